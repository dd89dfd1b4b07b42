#include "ui/wheelrouter.h"

#include "ui/wheelctl.h"

#include <QCoreApplication>
#include <QWheelEvent>
#include <QWidget>

WheelRouter::WheelRouter(QObject *parent)
    : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
}

WheelRouter::~WheelRouter()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

void WheelRouter::hook(WheelCtl *control)
{
    if (control && !isHooked(control))
        m_controls.append(control);
}

void WheelRouter::unHook(const WheelCtl *control)
{
    m_controls.removeIf([control](const QPointer<WheelCtl> &hooked) {
        return !hooked || hooked == control;
    });
}

bool WheelRouter::isHooked(const WheelCtl *control) const
{
    return std::any_of(m_controls.begin(), m_controls.end(), [control](const QPointer<WheelCtl> &hooked) {
        return hooked && hooked == control;
    });
}

bool WheelRouter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel)
        route(static_cast<const QWheelEvent *>(event));
    return QObject::eventFilter(watched, event);
}

void WheelRouter::route(const QWheelEvent *event)
{
    const TurnKey turn {
        event->timestamp(), event->globalPosition().toPoint(), event->angleDelta(), static_cast<int>(event->phase())
    };
    if (m_routedOnce && turn == m_lastTurn)
        return;
    m_routedOnce = true;
    m_lastTurn = turn;

    // A sideways turn is not a scroll of the browsers' lists.
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return;

    // A handler may unhook or hide a window: work on a copy.
    const auto controls = m_controls;
    for (const QPointer<WheelCtl> &control : controls) {
        if (control && control->window() && control->window()->isVisible())
            control->WheelMoved(delta, 0, turn.globalPosition.x(), turn.globalPosition.y());
    }
}
