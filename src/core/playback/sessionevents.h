#pragma once

#include "core/playback/mpvengine.h"

class PlaybackSession;

// mpv's news, handed to the playback session.
class SessionEvents : public MpvEngine::Events
{
public:
    explicit SessionEvents(PlaybackSession &session)
        : m_session(session)
    {
    }

    void fileStarted() override;
    void fileLoaded() override;
    void playbackRestarted() override;
    void fileEnded(PlaybackStatus::EndReason reason) override;
    void liveStreamKnown(bool live) override;
    void pausedChanged(bool paused) override;
    void bufferingChanged(bool buffering) override;
    void durationChanged(double seconds) override;
    void positionChanged(double seconds) override;
    void seekableChanged(bool seekable) override;
    void volumeChanged(int volume) override;
    void mutedChanged(bool muted) override;
    void streamTitleChanged(const QByteArray &raw) override;
    void videoShownChanged(bool shown) override;
    void logMessage(const QString &line) override;
    void preloaded(quint64 hook) override;

private:
    PlaybackSession &m_session;
};
