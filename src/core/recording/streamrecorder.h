#pragma once

#include "core/recording/titlelist.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>

class PlaybackSession;

// Records the radio that plays, as its stream arrives (no decoding, no
// loss), into a folder of the user's, with the titles heard in a text file
// beside each recording. It follows the session: a new station, a stop or
// an end ends the recording, whole; a stream that drops and comes back goes
// on in a new file, named after the time it came back; a file that cannot be
// written ends the recording, said once, while the radio plays on.
class StreamRecorder : public QObject
{
    Q_OBJECT

public:
    explicit StreamRecorder(PlaybackSession &session, QObject *parent = nullptr);
    // Closes the file, so that it is whole.
    ~StreamRecorder() override;

    // Where recordings go; created when the first one starts.
    void setFolder(const QString &folder) { m_folder = folder; }
    QString folder() const { return m_folder; }
    // The station's name, for the files' names.
    void setStationName(const QString &name) { m_station = name; }
    // A web page is in the player's place.
    void setPageShown(bool shown);

    bool isRecording() const { return m_recording; }
    // What start() would do now: true when a radio's sound plays.
    bool canStart() const { return unavailableReason().isEmpty(); }
    // Why nothing can be recorded now, in French; empty when it can.
    QString unavailableReason() const;
    // Since start(), outages included.
    qint64 elapsedMs() const { return m_recording ? m_clock.elapsed() : 0; }
    // The files of the recording under way or of the last one, in order.
    QStringList files() const { return m_files; }

    // False, with failed() told, when the first file cannot be made.
    bool start();
    void stop();
    void toggle();

Q_SIGNALS:
    void recordingChanged(bool recording);
    // canStart() or unavailableReason() may have changed.
    void availabilityChanged();
    // Every second while recording.
    void elapsedChanged(qint64 ms);
    // Why the recording could not start or stopped, in French; once for each.
    void failed(const QString &message);

private:
    void onStatusChanged();
    void onPlaybackStarted();
    void onTitleChanged(const QString &title);
    void onEngineMessage(const QString &line);
    // A new file for what comes from now on.
    bool openFile();
    void closeFile();
    bool writeTitles();
    void fail(const QString &message);

    PlaybackSession &m_session;
    QString m_folder;
    QString m_station;
    bool m_pageShown = false;
    bool m_videoShown = false;
    bool m_recording = false;
    // mpv records into m_files.last(). It holds what it records and writes
    // the file when it is closed (libmpv 0.35, measured): only an orderly
    // close, never a crash, leaves a file.
    bool m_fileOpen = false;
    bool m_failed = false;
    QStringList m_files;
    TitleList m_titles;
    QElapsedTimer m_clock;
    QElapsedTimer m_fileClock;
    QTimer m_tick;
};
