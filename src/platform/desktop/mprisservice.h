#pragma once

#include "core/desktop/nowplayingpublisher.h"
#include "core/playback/playercontrol.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>
#include <QString>
#include <QVariantMap>

// The now-playing publisher of the Linux desktop: an MPRIS 2 player on the
// session bus. Its metadata describes what plays: the stream's title, or else
// the station, with the station as artist and album and its picture; while
// the publisher's option sends a text, that text is the title. The desktop's
// media controls also see the playback state and can play, pause, stop, seek
// in a file, set the volume, raise the main window and quit through the
// orderly exit.
class MprisService : public QObject, public NowPlayingPublisher
{
    Q_OBJECT

public:
    static inline const QString serviceName = QStringLiteral("org.mpris.MediaPlayer2.ondavox");
    static inline const QString objectPath = QStringLiteral("/org/mpris/MediaPlayer2");

    explicit MprisService(PlayerControl &player, QObject *parent = nullptr);
    ~MprisService() override;

    // Exports the object and takes the bus name (a second instance takes a
    // name of its own, as the MPRIS convention has it). False, with a French
    // explanation in errorString(), when there is no session bus; publishing
    // then only keeps the values and the program goes on without it.
    bool start(QDBusConnection connection = QDBusConnection::sessionBus());
    QString errorString() const { return m_errorString; }

    void PublishNowPlaying(const QString &t1, const QString &t2, const QString &t3) override;

    // What plays, as the program knows it. The station is the display name;
    // the picture a full path, empty when none is known.
    void setStation(const QString &name);
    void setPicture(const QString &path);
    // A file, or a live stream (not seekable, or no length).
    void setSeekRange(bool seekable, double duration);
    void setPosition(double seconds);
    // The orderly exit: the desktop is told that nothing plays any more.
    void clear();

    // What the adaptors show and do.
    QVariantMap metadata() const { return m_metadata; }
    bool canSeek() const { return m_seekable && m_duration > 0; }
    qlonglong position() const;
    void seek(qlonglong offset);
    void setPositionFromDesktop(const QDBusObjectPath &trackId, qlonglong position);
    QString playbackStatus() const;
    double volume() const;
    void setVolume(double volume);
    PlayerControl &player() { return m_player; }
    void raise();
    void quit();
    void openUri(const QString &uri);

Q_SIGNALS:
    // The desktop asked to see the main window.
    void raiseRequested();
    // The desktop asked the program to end: the orderly exit.
    void quitRequested();
    // The desktop asked to play an address.
    void openUriRequested(const QString &uri);
    // The desktop asked to move in the file that plays.
    void seekRequested(double seconds);
    // The position jumped (in microseconds, as MPRIS counts).
    void seeked(qlonglong position);

private:
    void notifyPlayerProperty(const QString &name, const QVariant &value);
    // Composes the metadata anew and tells the desktop when it changed.
    void refreshMetadata();

    PlayerControl &m_player;
    QDBusConnection m_connection;
    QString m_registeredName;
    QString m_errorString;
    QString m_title;
    QString m_station;
    QString m_picture;
    QString m_streamTitle;
    QString m_url;
    QVariantMap m_metadata;
    bool m_cleared = false;
    bool m_seekable = false;
    double m_duration = 0;
    // Negative until the engine tells where it is in what plays.
    double m_position = -1;
    quint64 m_trackNumber = 0;
    QString m_lastPlaybackStatus;
    double m_lastVolume = 0.0;
};
