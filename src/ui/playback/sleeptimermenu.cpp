#include "ui/playback/sleeptimermenu.h"

#include "core/playback/sleeptimer.h"

#include <QActionGroup>

SleepTimerMenu::SleepTimerMenu(SleepTimer &timer, QWidget *parent)
    : QMenu(QStringLiteral("Arrêt programmé"), parent)
    , m_timer(timer)
    , m_group(new QActionGroup(this))
{
    setObjectName(QStringLiteral("sleepTimerMenu"));
    for (const int minutes : SleepTimer::choices) {
        QAction *choice = addAction(QStringLiteral("%1 min").arg(minutes), this, [this, minutes] {
            m_timer.startMinutes(minutes);
        });
        choice->setCheckable(true);
        choice->setData(minutes);
        m_group->addAction(choice);
    }
    addSeparator();
    m_off = addAction(QStringLiteral("Désactiver"), &m_timer, &SleepTimer::cancel);
    m_off->setCheckable(true);
    m_off->setData(0);
    m_group->addAction(m_off);
    connect(this, &QMenu::aboutToShow, this, &SleepTimerMenu::tickRunningChoice);
    tickRunningChoice();
}

void SleepTimerMenu::tickRunningChoice()
{
    const int running = m_timer.isActive() ? m_timer.chosenMinutes() : 0;
    for (QAction *action : m_group->actions())
        action->setChecked(action->data().toInt() == running);
}
