#include "core/playback/enginehandle.h"

void EngineHandle::attach(std::unique_ptr<MpvEngine> engine, MpvEngine::Events &events)
{
    Q_ASSERT(!m_engine && engine);
    m_engine = std::move(engine);
    m_engine->start(events);
    // Settings before the address, and the pause last: a load unpauses.
    if (m_volume)
        m_engine->setVolume(*m_volume);
    if (m_muted)
        m_engine->setMuted(*m_muted);
    if (m_fitToFrame)
        m_engine->setFitToFrame(*m_fitToFrame);
    if (m_load) {
        if (m_load->isEmpty())
            m_engine->stop();
        else
            m_engine->loadFiles(*m_load);
    }
    if (m_paused && *m_paused)
        m_engine->setPaused(true);
    forget();
}

void EngineHandle::forget()
{
    m_load.reset();
    m_paused.reset();
    m_volume.reset();
    m_muted.reset();
    m_fitToFrame.reset();
}

void EngineHandle::loadFiles(const QStringList &addresses)
{
    if (m_engine)
        return m_engine->loadFiles(addresses);
    m_load = addresses;
    m_paused.reset();
}

void EngineHandle::stop()
{
    if (m_engine)
        return m_engine->stop();
    m_load = QStringList();
}

void EngineHandle::setPaused(bool paused)
{
    if (m_engine)
        return m_engine->setPaused(paused);
    m_paused = paused;
}

void EngineHandle::setVolume(int volume)
{
    if (m_engine)
        return m_engine->setVolume(volume);
    // It is made with the default.
    if (m_volume || volume != MpvEngine::Options().volume)
        m_volume = volume;
}

void EngineHandle::setMuted(bool muted)
{
    if (m_engine)
        return m_engine->setMuted(muted);
    m_muted = muted;
}

void EngineHandle::setFitToFrame(bool fit)
{
    if (m_engine)
        return m_engine->setFitToFrame(fit);
    m_fitToFrame = fit;
}

void EngineHandle::seekTo(double seconds)
{
    // Nothing is open to seek in before the engine is there.
    if (m_engine)
        m_engine->seekTo(seconds);
}
