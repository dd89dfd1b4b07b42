#include "core/desktop/keepontoptimer.h"

KeepOnTopTimer::KeepOnTopTimer(QObject *parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &KeepOnTopTimer::fired);
}

void KeepOnTopTimer::setInterval(int milliseconds)
{
    if (milliseconds <= 0) {
        m_timer.stop();
        return;
    }
    m_timer.start(milliseconds);
}

void KeepOnTopTimer::toggle()
{
    setInterval(interval() == 0 ? 50 : 0);
}
