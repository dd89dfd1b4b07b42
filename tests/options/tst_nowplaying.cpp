#include "core/desktop/nowplayingpublisher.h"
#include "core/desktop/nowplayingtimer.h"
#include "core/state/statestore.h"

#include <QTest>

namespace
{

struct Publication {
    QString t1, t2, t3;
    bool operator==(const Publication &) const = default;
};

class RecordingPublisher : public NowPlayingPublisher
{
public:
    void PublishNowPlaying(const QString &t1, const QString &t2, const QString &t3) override
    {
        publications.append({ t1, t2, t3 });
    }
    QList<Publication> publications;
};

}

Q_DECLARE_METATYPE(Publication)

class TestNowPlaying : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void timerPublishes_data()
    {
        QTest::addColumn<QString>("lecture");
        QTest::addColumn<int>("pseudoCheck");
        QTest::addColumn<QList<Publication>>("expected");

        const Publication empty;
        QTest::newRow("nothing chosen, option on") << QStringLiteral("Ondavox") << 1 << QList<Publication>();
        QTest::newRow("nothing chosen, option off") << QStringLiteral("Ondavox") << 0 << QList<Publication>();
        QTest::newRow("chosen, option off")
            << QStringLiteral("Rires et chansons") << 0 << QList<Publication> { empty, empty };
        const Publication station { QStringLiteral("Rires et chansons"), QString(), QStringLiteral(" - Ondavox") };
        QTest::newRow("chosen, option on")
            << QStringLiteral("Rires et chansons") << 1 << QList<Publication> { station, station };
        // Only the exact title means "nothing chosen yet".
        const Publication lower { QStringLiteral("ondavox"), QString(), QStringLiteral(" - Ondavox") };
        QTest::newRow("other case is a name") << QStringLiteral("ondavox") << 1 << QList<Publication> { lower, lower };
    }

    // Two ticks: the loop sends on every tick, changed or not.
    void timerPublishes()
    {
        QFETCH(QString, lecture);
        QFETCH(int, pseudoCheck);
        QFETCH(QList<Publication>, expected);

        StateStore store;
        Preferences preferences = store.preferences();
        preferences.pseudoCheck = pseudoCheck;
        store.setPreferences(preferences);
        store.setLecture(lecture);
        RecordingPublisher publisher;
        NowPlayingTimer timer(store, publisher);
        timer.TimerMSN_Timer();
        timer.TimerMSN_Timer();
        QCOMPARE(publisher.publications, expected);
    }

    void timerRunsEveryHalfSecond()
    {
        StateStore store;
        store.setLecture(QStringLiteral("FIP"));
        RecordingPublisher publisher;
        NowPlayingTimer timer(store, publisher);
        QVERIFY(timer.isActive());
        QCOMPARE(timer.interval(), 500);
        QTRY_COMPARE_WITH_TIMEOUT(publisher.publications.size(), 2, 1400);
    }

    void optionChangeFollowsAtNextTick()
    {
        StateStore store;
        store.setLecture(QStringLiteral("FIP"));
        RecordingPublisher publisher;
        NowPlayingTimer timer(store, publisher);
        timer.TimerMSN_Timer();
        Preferences preferences = store.preferences();
        preferences.pseudoCheck = 1;
        store.setPreferences(preferences);
        timer.TimerMSN_Timer();
        QCOMPARE(publisher.publications,
            (QList<Publication> { {}, { QStringLiteral("FIP"), QString(), QStringLiteral(" - Ondavox") } }));
    }

    void exitClearsAndStops()
    {
        StateStore store;
        store.setLecture(QStringLiteral("FIP"));
        Preferences preferences = store.preferences();
        preferences.pseudoCheck = 1;
        store.setPreferences(preferences);
        RecordingPublisher publisher;
        NowPlayingTimer timer(store, publisher);
        timer.clearForExit();
        QCOMPARE(publisher.publications, QList<Publication> { Publication() });
        QVERIFY(!timer.isActive());
    }
};

QTEST_GUILESS_MAIN(TestNowPlaying)
#include "tst_nowplaying.moc"
