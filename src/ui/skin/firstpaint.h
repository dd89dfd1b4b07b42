#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Runs something once a window has been painted for the first time, from
// the event loop, after the picture went to the screen: work that would
// hold the window back waits for it.
class FirstPaint : public QObject
{
public:
    // `then` runs once; the watch goes with the window if it never paints.
    static void then(QWidget &window, std::function<void()> then);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FirstPaint(QWidget &window, std::function<void()> then);

    std::function<void()> m_then;
};
