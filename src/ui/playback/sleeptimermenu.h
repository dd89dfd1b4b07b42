#pragma once

#include <QMenu>

class QActionGroup;
class SleepTimer;

// The sleep timer's choices as a submenu, for whichever menu holds it (the
// tray's, the player bar's): the durations, then "Désactiver". The running
// choice is ticked each time the menu opens.
class SleepTimerMenu : public QMenu
{
    Q_OBJECT

public:
    explicit SleepTimerMenu(SleepTimer &timer, QWidget *parent = nullptr);

private:
    void tickRunningChoice();

    SleepTimer &m_timer;
    QActionGroup *m_group;
    QAction *m_off;
};
