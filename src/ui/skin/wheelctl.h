#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class WheelRouter;

// The wheel control of a browser window: while the window is visible and the
// control hooked, every wheel turn in the application reaches it once as
// WheelRotate, whichever window has the focus. Hooked at construction.
class WheelCtl : public QObject
{
    Q_OBJECT

public:
    WheelCtl(WheelRouter &router, QWidget *window);
    ~WheelCtl() override;

    QWidget *window() const { return m_window; }

    // Raises WheelRotate with the same values.
    void WheelMoved(int Delta, int Shift, int x, int y);
    // Stops the deliveries; harmless when already unhooked.
    void unHook();

Q_SIGNALS:
    // Delta: vertical rotation in eighths of a degree, positive when the wheel
    // turns away from the user (120 a notch). Shift: 0. x, y: the mouse on
    // the screen.
    void WheelRotate(int Delta, int Shift, int x, int y);

private:
    QPointer<WheelRouter> m_router;
    QPointer<QWidget> m_window;
};
