#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QWindow>
#include <cstdio>

// For the start-up benchmark: with ONDAVOX_BENCH_EXIT_ON_SHOW set, the program
// writes "shown" on its standard output and quits as soon as its first window
// is on screen. Header-only, so that the benchmark's minimal window measures
// the same moment.
class ExitOnShow : public QObject
{
public:
    static void installIfRequested(QCoreApplication &application)
    {
        if (qEnvironmentVariableIsSet("ONDAVOX_BENCH_EXIT_ON_SHOW"))
            application.installEventFilter(new ExitOnShow(&application));
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_done && event->type() == QEvent::Expose) {
            auto *window = qobject_cast<QWindow *>(watched);
            if (window && window->isExposed()) {
                m_done = true;
                std::fputs("shown\n", stdout);
                std::fflush(stdout);
                QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
            }
        }
        return false;
    }

private:
    using QObject::QObject;
    bool m_done = false;
};
