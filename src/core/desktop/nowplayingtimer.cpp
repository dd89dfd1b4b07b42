#include "core/desktop/nowplayingtimer.h"

#include "core/desktop/nowplayingpublisher.h"
#include "core/state/statestore.h"

namespace
{

// `Lecture` holds the program's title until a launcher names what it plays; a
// stream started by the start-up address leaves it so.
const QString nothingChosen = QStringLiteral("Ondavox");
const QString titleSuffix = QStringLiteral(" - Ondavox");

}

NowPlayingTimer::NowPlayingTimer(const StateStore &store, NowPlayingPublisher &publisher, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_publisher(publisher)
{
    m_timer.setInterval(500);
    connect(&m_timer, &QTimer::timeout, this, &NowPlayingTimer::TimerMSN_Timer);
    m_timer.start();
}

void NowPlayingTimer::TimerMSN_Timer()
{
    const QString lecture = m_store.lecture();
    if (lecture == nothingChosen)
        return;
    if (m_store.preferences().pseudoCheck == 0)
        m_publisher.PublishNowPlaying(QString(), QString(), QString());
    else
        m_publisher.PublishNowPlaying(lecture, QString(), titleSuffix);
}

void NowPlayingTimer::clearForExit()
{
    m_timer.stop();
    m_publisher.PublishNowPlaying(QString(), QString(), QString());
}
