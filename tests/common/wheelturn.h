#pragma once

#include <QCoreApplication>
#include <QPoint>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

// Turns the wheel the way the window system does: a spontaneous event to the
// native window under the mouse. `angle` 120 is a notch away from the user,
// -120 one towards; turns told apart by their time.
inline void turnWheel(QWidget *window, int angle, quint64 timestamp, QPoint globalPos = QPoint(640, 400))
{
    const QPointF local = window->mapFromGlobal(QPointF(globalPos));
    QWheelEvent event(
        local, QPointF(globalPos), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    event.setTimestamp(timestamp);
    QSpontaneKeyEvent::setSpontaneous(&event);
    QCoreApplication::sendEvent(window->windowHandle(), &event);
}
