#include "ui/windowdragger.h"

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
        if (!startsMove(mouse->buttons()))
            return false;
        QWidget *window = area->window();
        if (m_manualMove) {
            window->move(mouse->globalPosition().toPoint() - m_grabOffset);
            return true;
        }
        QWindow *handle = window->windowHandle();
        if (handle && handle->startSystemMove())
            return true;
        m_manualMove = true;
        m_grabOffset = mouse->globalPosition().toPoint() - window->frameGeometry().topLeft();
        return true;
    }
    case QEvent::MouseButtonPress:
        // The press must be taken here, or it travels to the parent, which
        // would then receive the moves instead of the drag area.
        return static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
    case QEvent::MouseButtonRelease:
        m_manualMove = false;
        return false;
    default:
        return false;
    }
}
