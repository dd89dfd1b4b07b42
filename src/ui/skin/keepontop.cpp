#include "ui/skin/keepontop.h"

#include <QWidget>

void KeepOnTop::apply(QWidget *window)
{
    if (!window)
        return;
    if (!window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        const bool visible = window->isVisible();
        const QRect geometry = window->geometry();
        const Qt::WindowStates state = window->windowState();
        window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        window->setGeometry(geometry);
        window->setWindowState(state);
        if (visible)
            window->show();
    }
    if (window->isVisible()) {
        window->raise();
        window->activateWindow();
    }
}
