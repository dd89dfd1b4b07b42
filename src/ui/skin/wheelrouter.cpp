#include "ui/skin/wheelrouter.h"

#include "ui/skin/wheelctl.h"

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
    if (event->type() != QEvent::Wheel)
        return QObject::eventFilter(watched, event);
    // Qt hands one turn of the wheel first to the native window under the
    // mouse, then, as copies, to the widget there, to each parent it
    // propagates to, and to whatever a widget forwards it to (a scroll area
    // to its scroll bar). The window's event is always a turn of its own, even
    // when it repeats the previous one within a millisecond; an event that
    // reaches a widget directly is one only if it is not a copy of the last.
    const auto *wheel = static_cast<const QWheelEvent *>(event);
    const TurnKey turn { wheel->timestamp(), wheel->globalPosition().toPoint(), wheel->angleDelta() };
    if (watched->isWindowType() || turn != m_lastTurn) {
        m_lastTurn = turn;
        route(wheel);
    }
    return QObject::eventFilter(watched, event);
}

void WheelRouter::route(const QWheelEvent *event)
{
    // A sideways turn is not a scroll of the browsers' lists.
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return;

    const QPoint position = event->globalPosition().toPoint();
    // A handler may unhook or hide a window: work on a copy.
    const auto controls = m_controls;
    for (const QPointer<WheelCtl> &control : controls) {
        if (control && control->window() && control->window()->isVisible())
            control->WheelMoved(delta, 0, position.x(), position.y());
    }
}
