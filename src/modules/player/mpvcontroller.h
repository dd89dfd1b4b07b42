#pragma once

#include "core/playback/mpvengine.h"
#include "modules/player/mpveventtranslator.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <memory>

// The player module's engine: owns the libmpv core, gives it the playback
// session's commands, and has what it tells translated for the session on the
// GUI thread. Needs nothing beyond QtCore: the picture is drawn by a separate
// surface, so audio plays without one. It may be made on another thread (the
// program starts libmpv beside Qt's own start): it belongs to no thread until
// start().
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

    QStringList messages() const override { return m_translator.messages(); }
    void clearMessages() override { m_translator.clearMessages(); }
    void requestLiveStream() override;
    double duration() const override { return m_translator.duration(); }
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
    void command(const QStringList &arguments);

    std::unique_ptr<mpv_handle, HandleDeleter> m_handle;
    MpvEventTranslator m_translator;
    std::atomic_bool m_drainQueued = false;
    QString m_videoOutput;
};
