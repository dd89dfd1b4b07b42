#include "core/playback/sessionevents.h"

#include "core/playback/playbacksession.h"
#include "core/playback/streamtitle.h"

#include <QMetaMethod>

void SessionEvents::fileStarted()
{
    m_session.onFileStarted();
}

void SessionEvents::fileLoaded()
{
    m_session.m_status.opened();
    m_session.publishStatus();
}

void SessionEvents::playbackRestarted()
{
    m_session.onPlaybackRestarted();
}

void SessionEvents::fileEnded(PlaybackStatus::EndReason reason)
{
    m_session.onFileEnded(reason);
}

void SessionEvents::liveStreamKnown(bool live)
{
    m_session.onLiveStreamKnown(live);
}

void SessionEvents::pausedChanged(bool paused)
{
    m_session.onPaused(paused);
}

void SessionEvents::bufferingChanged(bool buffering)
{
    m_session.onBuffering(buffering);
}

void SessionEvents::durationChanged(double seconds)
{
    m_session.m_duration = seconds;
    Q_EMIT m_session.seekRangeChanged(m_session.m_seekable, seconds);
}

void SessionEvents::positionChanged(double seconds)
{
    Q_EMIT m_session.positionChanged(seconds);
}

void SessionEvents::seekableChanged(bool seekable)
{
    m_session.m_seekable = seekable;
    Q_EMIT m_session.seekRangeChanged(seekable, m_session.m_duration);
}

void SessionEvents::volumeChanged(int volume)
{
    m_session.onVolumeReported(volume);
}

void SessionEvents::mutedChanged(bool muted)
{
    m_session.onMutedReported(muted);
}

void SessionEvents::streamTitleChanged(const QByteArray &raw)
{
    m_session.setStreamTitle(StreamTitle::decode(raw));
}

void SessionEvents::videoShownChanged(bool shown)
{
    m_session.m_status.setVideoShown(shown);
    Q_EMIT m_session.videoShownChanged(shown);
}

void SessionEvents::logMessage(const QString &line)
{
    m_session.onLogMessage(line);
}

void SessionEvents::preloaded(quint64 hook)
{
    // Nobody draws video: mpv need not wait.
    if (m_session.isSignalConnected(QMetaMethod::fromSignal(&PlaybackSession::preloaded)))
        Q_EMIT m_session.preloaded(hook);
    else
        m_session.m_engine->continueHook(hook);
}
