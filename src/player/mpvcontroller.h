#pragma once

#include "player/earlystream.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>

struct mpv_handle;
struct mpv_event;

// Owns the libmpv core and turns its events and observed properties into
// typed signals on the GUI thread. Needs nothing beyond QtCore: the picture is
// drawn by a separate surface, so audio plays without one.
class MpvController : public QObject
{
    Q_OBJECT

public:
    struct Options {
        // mpv's names ("null" in tests); empty: ONDAVOX_MPV_AO / ONDAVOX_MPV_VO,
        // then mpv's own choice for audio and the render API for video.
        QString audioOutput;
        QString videoOutput;
        int volume = 50;
        // See setFitToFrame().
        bool fitToFrame = true;
    };

    // Nothing, with the reason in `error`, when libmpv cannot start.
    static std::unique_ptr<MpvController> create(const Options &options, QString *error);
    ~MpvController() override;

    mpv_handle *handle() const { return m_handle.get(); }
    QString videoOutput() const { return m_videoOutput; }

    // The first address replaces whatever plays; the others follow it.
    void loadFiles(const QStringList &addresses);
    // Plays what `body` delivers, in place of whatever plays, read with the
    // demuxer named (FFmpeg's name; empty: found from the data).
    void loadStream(const EarlyStream::Body &body, const QByteArray &demuxer);
    void stop();
    void setPaused(bool paused);
    void seekTo(double seconds);
    void setVolume(int volume);
    void setMuted(bool muted);
    // The picture always keeps its proportions. Fitted, it is scaled to fill
    // the frame (bars where the shapes differ); otherwise it keeps its own
    // size and is only shrunk when it is larger than the frame.
    void setFitToFrame(bool fit);
    // Brings the picture back after the video surface lost its context.
    void reloadVideo();

    // mpv's messages since clearMessages(), oldest first (the last hundred).
    QStringList messages() const { return m_messages; }
    void clearMessages() { m_messages.clear(); }

    // Asks, without waiting, whether what plays now comes over the network
    // with no length (a live stream, which never ends on its own); the answer
    // comes as liveStreamKnown().
    void requestLiveStream();
    double duration() const { return m_duration; }

    // What is open now has a video track (cover art aside). Asks mpv and
    // waits for its answer.
    bool hasVideoTrack() const;
    // Lets mpv go on after preloaded().
    void continueHook(quint64 hook);

Q_SIGNALS:
    void fileStarted();
    void fileLoaded();
    // Playback (re)started: the first audio is on its way out.
    void playbackRestarted();
    // mpv_end_file_reason and mpv_error codes.
    void fileEnded(int reason, int error);
    void liveStreamKnown(bool live);
    void pausedChanged(bool paused);
    void bufferingChanged(bool buffering);
    void durationChanged(double seconds);
    void positionChanged(double seconds);
    void seekableChanged(bool seekable);
    void volumeChanged(int volume);
    void mutedChanged(bool muted);
    // The ICY title bytes as the server sent them; empty when there is none.
    void streamTitleChanged(const QByteArray &raw);
    // A picture is being drawn (the video output is set up), or no more.
    void videoShownChanged(bool shown);
    // One of mpv's messages, as messages() keeps it ("prefix: text").
    void logMessage(const QString &line);
    // Drawing through the render API, mpv has opened a file and waits, before
    // it chooses tracks and starts the decoders, for continueHook(hook).
    void preloaded(quint64 hook);

private:
    struct HandleDeleter {
        void operator()(mpv_handle *handle) const;
    };

    explicit MpvController(mpv_handle *handle);
    static void wakeup(void *context);
    static int openStream(void *context, char *uri, struct mpv_stream_cb_info *info);
    void drainEvents();
    void handleEvent(const mpv_event &event);
    void handleProperty(const mpv_event &event);
    void handleReply(const mpv_event &event);
    void command(const QStringList &arguments);

    std::unique_ptr<mpv_handle, HandleDeleter> m_handle;
    std::atomic_bool m_drainQueued = false;
    QString m_videoOutput;
    QStringList m_messages;
    double m_duration = 0;
    // Which liveStreamKnown() request the replies belong to, and the first
    // half of its answer.
    quint64 m_liveRequest = 0;
    bool m_viaNetwork = false;
    // The body the last loadStream() gave, for mpv's thread to open.
    std::mutex m_streamMutex;
    std::optional<EarlyStream::Body> m_stream;
    QByteArray m_streamUri;
    quint64 m_streamCount = 0;
};
