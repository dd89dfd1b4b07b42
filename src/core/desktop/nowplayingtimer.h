#pragma once

#include <QObject>
#include <QTimer>

class NowPlayingPublisher;
class StateStore;

// The publishing loop `TimerMSN`: every 500 ms, once something was chosen, the
// display name goes to the publisher while the option `PseudoCheck` is ticked,
// and the empty texts go while it is not. It sends on every tick, changed or
// not; the publisher decides what is news.
class NowPlayingTimer : public QObject
{
    Q_OBJECT

public:
    NowPlayingTimer(const StateStore &store, NowPlayingPublisher &publisher, QObject *parent = nullptr);

    void TimerMSN_Timer();

    // First step of the orderly exit: the published name is cleared and the
    // loop stops, so that no later tick publishes it again.
    void clearForExit();

    int interval() const { return m_timer.interval(); }
    bool isActive() const { return m_timer.isActive(); }

private:
    const StateStore &m_store;
    NowPlayingPublisher &m_publisher;
    QTimer m_timer;
};
