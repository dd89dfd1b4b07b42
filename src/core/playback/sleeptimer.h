#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>

class PlayerControl;

// Stops playback once a chosen time has run out. The last seconds fade the
// volume down to silence; then the player stops and gets its volume back, so
// that the next station does not start silent. A new start replaces the
// running countdown.
class SleepTimer : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds defaultFade { 10000 };
    // The choices offered to the user, in minutes.
    static constexpr int choices[] = { 15, 30, 45, 60, 90 };

    explicit SleepTimer(PlayerControl &player, QObject *parent = nullptr);
    ~SleepTimer() override;

    // How long the fade at the end lasts; shorter countdowns fade throughout.
    void setFadeLength(std::chrono::milliseconds fade) { m_fade = fade; }

    // One of the choices; the length of a minute can be shortened for tests.
    void startMinutes(int minutes);
    void setMinuteLength(std::chrono::milliseconds minute) { m_minute = minute; }
    void start(std::chrono::milliseconds duration);
    // Nothing more happens; a fade under way gives the volume back at once.
    void cancel();

    bool isActive() const { return m_tick.isActive(); }
    // The minutes chosen for the running countdown; 0 when none runs.
    int chosenMinutes() const { return m_chosenMinutes; }
    std::chrono::milliseconds remaining() const;
    // "Arrêt dans 14 min 05 s"; empty when no countdown runs.
    QString remainingText() const;

Q_SIGNALS:
    // Started, cancelled or run out.
    void activeChanged(bool active);
    // At most once a second while it runs, with remainingText().
    void remainingChanged(const QString &text);
    void finished();

private:
    void begin(std::chrono::milliseconds duration, int minutes);
    void onTick();
    void restoreVolume();
    void finish();

    PlayerControl &m_player;
    QTimer m_tick;
    QDeadlineTimer m_deadline;
    std::chrono::milliseconds m_fade = defaultFade;
    std::chrono::milliseconds m_minute { 60000 };
    int m_chosenMinutes = 0;
    // The volume before the fade began; negative while none runs.
    int m_volumeBeforeFade = -1;
    QString m_lastText;
};
