#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

// Makes widgets drag areas of their window (a title strip, a title label):
// moving the mouse over one with the left button held hands the window to the
// window manager's move, which follows the mouse until the button is released.
// A move without a pressed button does nothing. Where the window manager
// cannot move windows for us, the window follows the mouse by itself.
class WindowDragger : public QObject
{
    Q_OBJECT

public:
    explicit WindowDragger(QObject *parent = nullptr);

    void addDragArea(QWidget *area);

    static bool startsMove(Qt::MouseButtons buttons) { return buttons.testFlag(Qt::LeftButton); }

Q_SIGNALS:
    // Any mouse move over a drag area, pressed or not (`Deplace_MouseMove`).
    void dragAreaMouseMove(QWidget *area);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_manualMove = false;
    QPoint m_pressGlobal;
    QPoint m_grabOffset;
};
