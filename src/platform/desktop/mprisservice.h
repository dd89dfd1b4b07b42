#pragma once

#include "core/desktop/nowplayingpublisher.h"
#include "core/playback/playercontrol.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

// The now-playing publisher of the Linux desktop: an MPRIS 2 player on the
// session bus. What is published becomes the player's metadata; the desktop's
// media controls also see the playback state and can play, pause, stop, set the
// volume, raise the main window and quit through the orderly exit.
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

    // What the adaptors show and do.
    QVariantMap metadata() const { return m_metadata; }
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

private:
    void notifyPlayerProperty(const QString &name, const QVariant &value);

    PlayerControl &m_player;
    QDBusConnection m_connection;
    QString m_registeredName;
    QString m_errorString;
    QString m_title;
    QVariantMap m_metadata;
    quint64 m_trackNumber = 0;
    QString m_lastPlaybackStatus;
    double m_lastVolume = 0.0;
};
