#pragma once

#include <QObject>
#include <QTimer>

// `TimerPPlan`: a request arms it for 50 ms, and when it fires the main window
// is made topmost once and the timer disarms itself. A toggle while armed
// disarms it, which is why a quick click on the keep-on-top button (mouse-down
// then click) does nothing, while a held button makes the window topmost and
// arms the timer once more.
class KeepOnTopTimer : public QObject
{
    Q_OBJECT

public:
    explicit KeepOnTopTimer(QObject *parent = nullptr);

    int interval() const { return m_timer.isActive() ? m_timer.interval() : 0; }
    // 0 disarms; any other value arms the timer with that interval.
    void setInterval(int milliseconds);
    // Arms with 50 ms when disarmed, disarms otherwise.
    void toggle();

Q_SIGNALS:
    // Bring the main window to the front and keep it on top.
    void fired();

private:
    QTimer m_timer;
};
