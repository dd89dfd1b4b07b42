#include "core/playback/reconnection.h"

#include <QNetworkInformation>
#include <QRandomGenerator>

using namespace std::chrono_literals;

Reconnection::Reconnection(QObject *parent)
    : QObject(parent)
    , m_draw([] {
        return QRandomGenerator::global()->generateDouble();
    })
{
    m_retry.setSingleShot(true);
    m_watchdog.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, [this] {
        Q_EMIT tryDue(m_attempt);
    });
    connect(&m_watchdog, &QTimer::timeout, this, &Reconnection::onStalled);
}

Reconnection::Milliseconds Reconnection::waitBefore(int attempt, Milliseconds sinceDrop, double drawn)
{
    if (attempt <= 1)
        return 0ms;
    Milliseconds wait = 5000ms;
    if (sinceDrop < 10s)
        wait = 500ms;
    else if (sinceDrop < 14s)
        wait = 2000ms;
    else if (sinceDrop < 20s)
        wait = 4000ms;
    if (wait <= 500ms)
        return wait;
    // Earlier, never later: the cap is what the listener waits at most.
    return Milliseconds(qRound64(wait.count() * (1.0 - 0.15 * qBound(0.0, drawn, 1.0))));
}

void Reconnection::forget()
{
    cancel();
    m_watchdog.stop();
    m_playedLive = false;
    m_soundPlaying = false;
}

void Reconnection::opened()
{
    m_soundPlaying = false;
    if (!m_paused)
        m_watchdog.start(m_playedLive ? stallLimit : firstSoundLimit);
}

void Reconnection::soundStarted()
{
    m_soundPlaying = true;
    m_watchdog.stop();
    cancel();
}

void Reconnection::liveStreamKnown(bool live)
{
    if (live)
        m_playedLive = true;
}

void Reconnection::bufferingChanged(bool buffering)
{
    if (!m_soundPlaying || m_paused)
        return;
    if (buffering)
        m_watchdog.start(stallLimit);
    else
        m_watchdog.stop();
}

void Reconnection::pausedChanged(bool paused)
{
    m_paused = paused;
    // A pause is the user's, not a stall.
    if (paused)
        m_watchdog.stop();
}

bool Reconnection::ended(PlaybackStatus::EndReason why, const QStringList &messages)
{
    m_soundPlaying = false;
    m_watchdog.stop();
    // A file with a length ends as files do; a live stream ends only when its
    // server or the network let it down.
    const bool dropped = why == PlaybackStatus::EndReason::EndOfStream || why == PlaybackStatus::EndReason::Failed;
    if (!m_playedLive || !dropped || PlaybackStatus::isLasting(messages, true)) {
        cancel();
        return false;
    }
    if (isActive())
        tryFailed();
    else
        this->dropped();
    return true;
}

bool Reconnection::refusedLastingly(const QStringList &messages)
{
    if (!isActive() || !PlaybackStatus::isLasting(messages, true))
        return false;
    cancel();
    return true;
}

void Reconnection::onStalled()
{
    m_soundPlaying = false;
    if (!m_playedLive)
        return Q_EMIT stalled(false);
    if (isActive())
        tryFailed();
    else
        dropped();
    Q_EMIT stalled(true);
}

void Reconnection::dropped()
{
    // Loaded only once a stream has dropped: a program that never loses
    // one needs no word from the system.
    static const bool networkInformation
        = QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
    if (networkInformation) {
        connect(QNetworkInformation::instance(),
            &QNetworkInformation::reachabilityChanged,
            this,
            &Reconnection::onNetworkBack,
            Qt::UniqueConnection);
    }
    m_attempt = 1;
    m_droppedAt = Clock::now();
    m_retry.start(0);
}

void Reconnection::tryFailed()
{
    ++m_attempt;
    const auto sinceDrop = std::chrono::duration_cast<Milliseconds>(Clock::now() - m_droppedAt);
    m_retry.start(waitBefore(m_attempt, sinceDrop, m_draw()));
}

void Reconnection::tryNow()
{
    if (m_retry.isActive())
        m_retry.start(0);
}

void Reconnection::cancel()
{
    m_attempt = 0;
    m_retry.stop();
}

Reconnection::Milliseconds Reconnection::untilNextTry() const
{
    return m_retry.isActive() ? Milliseconds(m_retry.remainingTime()) : 0ms;
}

void Reconnection::onNetworkBack()
{
    if (QNetworkInformation::instance()->reachability() == QNetworkInformation::Reachability::Online)
        tryNow();
}
