#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QSocketNotifier>
#include <memory>

struct xcb_connection_t;

// Watches an X server for top-level windows being mapped, as a window manager
// would see them, and says whose process each one belongs to (_NET_WM_PID).
// A program's first window is on screen from that moment: nothing inside the
// program has to tell.
class WindowWatch : public QObject
{
    Q_OBJECT

public:
    explicit WindowWatch(const QElapsedTimer &clock, QObject *parent = nullptr);
    ~WindowWatch() override;

    bool open(const QString &display);

Q_SIGNALS:
    // `atMs` on the clock given; windows of one pixel (helpers) are left out.
    void mapped(qint64 pid, quint32 window, double atMs);
    void unmapped(quint32 window);

private:
    void readEvents();
    qint64 windowPid(quint32 window);

    const QElapsedTimer &m_clock;
    xcb_connection_t *m_connection = nullptr;
    quint32 m_pidAtom = 0;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
