#include "ui/skin/firstpaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

void FirstPaint::then(QWidget &window, std::function<void()> then)
{
    new FirstPaint(window, std::move(then));
}

FirstPaint::FirstPaint(QWidget &window, std::function<void()> then)
    : QObject(&window)
    , m_then(std::move(then))
{
    window.installEventFilter(this);
}

bool FirstPaint::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && m_then) {
        // The paint goes to the screen when the handler returns.
        QTimer::singleShot(0, watched, std::move(m_then));
        m_then = nullptr;
        deleteLater();
    }
    return false;
}
