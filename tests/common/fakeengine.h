#pragma once

#include "core/playback/mpvengine.h"

#include <QStringList>

// Stands for libmpv in tests of the playback session: records what it is
// asked, and lets the test tell the session what mpv would (events()).
class FakeEngine : public MpvEngine
{
public:
    void start(Events &events) override { m_events = &events; }
    Events &events() { return *m_events; }

    mpv_handle *handle() const override { return nullptr; }
    QString videoOutput() const override { return QStringLiteral("null"); }
    void loadFiles(const QStringList &addresses) override
    {
        calls.append(QStringLiteral("load ") + addresses.join(' '));
    }
    void stop() override { calls.append(QStringLiteral("stop")); }
    void setPaused(bool paused) override { calls.append(paused ? QStringLiteral("pause") : QStringLiteral("resume")); }
    void seekTo(double seconds) override { calls.append(QStringLiteral("seek %1").arg(seconds)); }
    void setVolume(int volume) override { calls.append(QStringLiteral("volume %1").arg(volume)); }
    void setMuted(bool muted) override { calls.append(muted ? QStringLiteral("mute") : QStringLiteral("unmute")); }
    void setFitToFrame(bool fit) override { calls.append(fit ? QStringLiteral("fit") : QStringLiteral("own size")); }
    QStringList messages() const override { return log; }
    void clearMessages() override { log.clear(); }
    void requestLiveStream() override { }
    double duration() const override { return 0; }
    bool hasVideoTrack() const override { return false; }
    void continueHook(quint64 hook) override { calls.append(QStringLiteral("continue %1").arg(hook)); }
    void setStreamRecord(const QString &path) override { calls.append(QStringLiteral("record ") + path); }
    QString audioCodec() const override { return codec; }
    MpvSurface *createSurface(std::function<void()>) override { return nullptr; }

    QStringList calls;
    QStringList log;
    QString codec;

private:
    Events *m_events = nullptr;
};
