#pragma once

#include "core/playback/mpvengine.h"

#include <QStringList>
#include <memory>
#include <optional>

// The engine as the playback session drives it, whether it is there yet or
// not: until it arrives, the last of each request (what to load or a stop,
// pause, volume, mute, fit) is kept, and handed over when it does.
class EngineHandle
{
public:
    // Starts its news to `events` and hands over what was kept. Once.
    void attach(std::unique_ptr<MpvEngine> engine, MpvEngine::Events &events);
    MpvEngine *get() const { return m_engine.get(); }
    MpvEngine *operator->() const { return m_engine.get(); }
    explicit operator bool() const { return m_engine != nullptr; }
    // No engine will come: nothing kept is of use.
    void forget();

    void loadFiles(const QStringList &addresses);
    void stop();
    void setPaused(bool paused);
    void setVolume(int volume);
    void setMuted(bool muted);
    void setFitToFrame(bool fit);
    void seekTo(double seconds);

private:
    std::unique_ptr<MpvEngine> m_engine;
    // Load these, or stop (empty).
    std::optional<QStringList> m_load;
    std::optional<bool> m_paused;
    std::optional<int> m_volume;
    std::optional<bool> m_muted;
    std::optional<bool> m_fitToFrame;
};
