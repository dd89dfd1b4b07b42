#pragma once

#include "core/playback/playbackstatus.h"

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

// Keeps a live stream going for as long as the user wants it: when it drops
// or stalls, it is tried again. Tries come at once, then every half second
// for the first ten seconds, so that a server back within seconds is heard
// within seconds, then further apart up to about five seconds, each a little
// earlier by chance, so that a server coming back is not met by all its
// listeners at once. The system's word that the network is back brings the
// next try forward. A stream that never played is not tried again: it fails,
// as it did before, and one that sends nothing to hear fails too.
class Reconnection : public QObject
{
    Q_OBJECT

public:
    using Clock = std::chrono::steady_clock;
    using Milliseconds = std::chrono::milliseconds;

    // How long sound may be awaited: before a stream's first sound, and once
    // it played.
    static constexpr Milliseconds firstSoundLimit { 20000 };
    static constexpr Milliseconds stallLimit { 10000 };

    explicit Reconnection(QObject *parent = nullptr);

    // The wait before try `attempt` (1 is the first), made `drawn` (0 to 1)
    // shorter by up to 15 % once the waits pass half a second; `sinceDrop`
    // is the time since the stream dropped.
    static Milliseconds waitBefore(int attempt, Milliseconds sinceDrop, double drawn);

    // What the session tells of the stream it plays.
    // Another address is asked for, or a stop: what was known goes.
    void forget();
    // The engine was given the address to open; sound is awaited.
    void opened();
    void soundStarted();
    void liveStreamKnown(bool live);
    void bufferingChanged(bool buffering);
    void pausedChanged(bool paused);
    // The engine ended the stream: true when a new try is on its way, for a
    // live stream that played and was let down by its server or the
    // network; false when the end stands.
    bool ended(PlaybackStatus::EndReason why, const QStringList &messages);
    // The server's word, come after the end of a try, that no try will do.
    bool refusedLastingly(const QStringList &messages);

    bool isActive() const { return m_attempt > 0; }
    // The try under way or scheduled, from 1.
    int attempt() const { return m_attempt; }
    // How long until the next try; zero while one is under way.
    Milliseconds untilNextTry() const;
    // The next try at once, as the user asks.
    void tryNow();

    // For tests: the draw that shortens the waits (0 to 1).
    void setDraw(std::function<double()> draw) { m_draw = std::move(draw); }

Q_SIGNALS:
    // Time for try `attempt`: the session gives the engine the address again.
    void tryDue(int attempt);
    // Try `attempt` is scheduled; untilNextTry() says when.
    void waiting(int attempt);
    // Sound was awaited too long: the engine is to let the stream go. A
    // stream that played is tried again (waiting() follows); one that never
    // did has failed.
    void stalled(bool triedAgain);

private:
    void dropped();
    void tryFailed();
    void cancel();
    void onStalled();
    void onNetworkBack();

    int m_attempt = 0;
    // The address asked for played as a live stream: worth trying again.
    bool m_playedLive = false;
    // Sound has come out since the engine was last given the address.
    bool m_soundPlaying = false;
    bool m_paused = false;
    Clock::time_point m_droppedAt;
    QTimer m_retry;
    QTimer m_watchdog;
    std::function<double()> m_draw;
};
