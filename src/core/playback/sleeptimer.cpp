#include "core/playback/sleeptimer.h"

#include "core/playback/playercontrol.h"

#include <algorithm>
#include <cmath>

namespace
{

// Short enough for the fade to sound smooth, and for the shown seconds to
// change on time.
constexpr int tickMs = 200;

} // namespace

SleepTimer::SleepTimer(PlayerControl &player, QObject *parent)
    : QObject(parent)
    , m_player(player)
{
    m_tick.setInterval(tickMs);
    connect(&m_tick, &QTimer::timeout, this, &SleepTimer::onTick);
}

SleepTimer::~SleepTimer()
{
    restoreVolume();
}

void SleepTimer::startMinutes(int minutes)
{
    begin(m_minute * minutes, minutes);
}

void SleepTimer::start(std::chrono::milliseconds duration)
{
    begin(duration, 0);
}

void SleepTimer::begin(std::chrono::milliseconds duration, int minutes)
{
    restoreVolume();
    m_chosenMinutes = minutes;
    const bool wasActive = isActive();
    m_deadline.setRemainingTime(duration);
    m_lastText.clear();
    m_tick.start();
    if (!wasActive)
        Q_EMIT activeChanged(true);
    onTick();
}

void SleepTimer::cancel()
{
    if (!isActive())
        return;
    m_tick.stop();
    restoreVolume();
    m_chosenMinutes = 0;
    m_lastText.clear();
    Q_EMIT remainingChanged(QString());
    Q_EMIT activeChanged(false);
}

std::chrono::milliseconds SleepTimer::remaining() const
{
    if (!isActive())
        return std::chrono::milliseconds(0);
    return std::chrono::milliseconds(std::max<qint64>(0, m_deadline.remainingTime()));
}

QString SleepTimer::remainingText() const
{
    if (!isActive())
        return QString();
    // Rounded up: "0 s" would read as already stopped.
    const qint64 seconds = (remaining().count() + 999) / 1000;
    if (seconds < 60)
        return QStringLiteral("Arrêt dans %1 s").arg(seconds);
    return QStringLiteral("Arrêt dans %1 min %2 s").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

void SleepTimer::onTick()
{
    const std::chrono::milliseconds left = remaining();
    if (left.count() <= 0) {
        finish();
        return;
    }
    // Nothing to fade out when the user already stopped: the slider stays put.
    const bool fading = m_volumeBeforeFade >= 0 || m_player.playbackState() == PlayerControl::PlaybackState::Playing;
    if (left <= m_fade && fading) {
        if (m_volumeBeforeFade < 0)
            m_volumeBeforeFade = m_player.volume();
        const double share = double(left.count()) / double(std::max<qint64>(1, m_fade.count()));
        const int level = int(std::lround(m_volumeBeforeFade * share));
        if (level != m_player.volume())
            m_player.setVolume(level);
    }
    const QString text = remainingText();
    if (text != m_lastText) {
        m_lastText = text;
        Q_EMIT remainingChanged(text);
    }
}

void SleepTimer::restoreVolume()
{
    if (m_volumeBeforeFade < 0)
        return;
    const int volume = m_volumeBeforeFade;
    m_volumeBeforeFade = -1;
    m_player.setVolume(volume);
}

void SleepTimer::finish()
{
    m_tick.stop();
    m_chosenMinutes = 0;
    m_lastText.clear();
    // Stopped before the volume comes back, so that nothing is heard loud again.
    m_player.stop();
    restoreVolume();
    Q_EMIT remainingChanged(QString());
    Q_EMIT activeChanged(false);
    Q_EMIT finished();
}
