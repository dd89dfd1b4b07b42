#pragma once

#include "core/playback/mpvengine.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <memory>

struct mpv_event;

// The player module's engine: owns the libmpv core and tells its events and
// observed properties to the playback session, on the GUI thread. Needs
// nothing beyond QtCore: the picture is drawn by a separate surface, so audio
// plays without one. It may be made on another thread (the program starts
// libmpv beside Qt's own start): it belongs to no thread until start().
class MpvController : public QObject, public MpvEngine
{
    Q_OBJECT

public:
    // Nothing, with the reason in `error`, when libmpv cannot start.
    static std::unique_ptr<MpvController> create(const Options &options, QString *error);
    ~MpvController() override;

    void start(Events &events) override;

    mpv_handle *handle() const override { return m_handle.get(); }
    QString videoOutput() const override { return m_videoOutput; }

    void loadFiles(const QStringList &addresses) override;
    void stop() override;
    void setPaused(bool paused) override;
    void seekTo(double seconds) override;
    void setVolume(int volume) override;
    void setMuted(bool muted) override;
    void setFitToFrame(bool fit) override;
    // Brings the picture back after the video surface lost its context.
    void reloadVideo();

    QStringList messages() const override { return m_messages; }
    void clearMessages() override { m_messages.clear(); }
    void requestLiveStream() override;
    double duration() const override { return m_duration; }
    bool hasVideoTrack() const override;
    void continueHook(quint64 hook) override;
    void setStreamRecord(const QString &path) override;
    QString audioCodec() const override;
    MpvSurface *createSurface(std::function<void()> initialized) override;

private:
    struct HandleDeleter {
        void operator()(mpv_handle *handle) const;
    };

    explicit MpvController(mpv_handle *handle);
    static void wakeup(void *context);
    void drainEvents();
    void handleEvent(const mpv_event &event);
    void handleProperty(const mpv_event &event);
    void handleReply(const mpv_event &event);
    void command(const QStringList &arguments);

    std::unique_ptr<mpv_handle, HandleDeleter> m_handle;
    Events *m_events = nullptr;
    std::atomic_bool m_drainQueued = false;
    QString m_videoOutput;
    QStringList m_messages;
    double m_duration = 0;
    // Which liveStreamKnown() request the replies belong to, and the first
    // half of its answer.
    quint64 m_liveRequest = 0;
    bool m_viaNetwork = false;
    // Sets of the volume and of the mute not answered yet.
    int m_volumeSets = 0;
    int m_muteSets = 0;
};
