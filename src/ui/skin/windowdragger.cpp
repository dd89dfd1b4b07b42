#include "ui/skin/windowdragger.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

WindowDragger::WindowDragger(QObject *parent)
    : QObject(parent)
{
}

void WindowDragger::addDragArea(QWidget *area)
{
    area->setMouseTracking(true);
    area->installEventFilter(this);
}

bool WindowDragger::eventFilter(QObject *watched, QEvent *event)
{
    auto *area = qobject_cast<QWidget *>(watched);
    if (!area)
        return false;
    switch (event->type()) {
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        Q_EMIT dragAreaMouseMove(area);
        // Taken either way: a drag area is not the window's bare surface.
        if (!startsMove(mouse->buttons()))
            return true;
        QWidget *window = area->window();
        if (m_manualMove) {
            window->move(mouse->globalPosition().toPoint() - m_grabOffset);
            return true;
        }
        QWindow *handle = window->windowHandle();
        if (handle && handle->startSystemMove())
            return true;
        m_manualMove = true;
        m_grabOffset = m_pressGlobal - window->frameGeometry().topLeft();
        window->move(mouse->globalPosition().toPoint() - m_grabOffset);
        return true;
    }
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        m_pressGlobal = mouse->globalPosition().toPoint();
        // Taken here, or the press travels to the parent, which would then
        // receive the moves instead of the drag area.
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_manualMove = false;
        return false;
    default:
        return false;
    }
}
