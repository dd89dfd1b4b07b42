#include "app/statestore.h"
#include "player/nowplaying.h"
#include "player/nowplayingpublisher.h"
#include "player/nowplayingtimer.h"

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
    void messageLayout_data()
    {
        QTest::addColumn<QString>("t1");
        QTest::addColumn<QString>("t2");
        QTest::addColumn<QString>("t3");
        QTest::addColumn<QString>("expected");

        const QString bs0 = QStringLiteral("\\0");
        const QString nul(QChar(u'\0'));
        QTest::newRow("clearing") << QString() << QString() << QString()
                                  << bs0 + "Music" + bs0 + "1" + bs0 + "{0}{1}" + bs0 + bs0 + bs0 + bs0 + bs0 + nul;
        QTest::newRow("station") << QStringLiteral("Rires et chansons") << QString() << QStringLiteral(" - Ondavox")
                                 << QStringLiteral("\\0Music\\01\\0{0}{1}\\0Rires et chansons\\0 - Ondavox\\0\\0\\0")
                + nul;
        QTest::newRow("t2 comes last") << QStringLiteral("A") << QStringLiteral("B") << QStringLiteral("C")
                                       << QStringLiteral("\\0Music\\01\\0{0}{1}\\0A\\0C\\0B\\0\\0") + nul;
        QTest::newRow("backslash zero in name unchanged")
            << QStringLiteral("AC\\0DC") << QString() << QStringLiteral(" - Ondavox")
            << QStringLiteral("\\0Music\\01\\0{0}{1}\\0AC\\0DC\\0 - Ondavox\\0\\0\\0") + nul;
        QTest::newRow("accents") << QStringLiteral("France Musique — été") << QString() << QString()
                                 << QStringLiteral("\\0Music\\01\\0{0}{1}\\0France Musique — été\\0\\0\\0\\0") + nul;
    }

    void messageLayout()
    {
        QFETCH(QString, t1);
        QFETCH(QString, t2);
        QFETCH(QString, t3);
        QFETCH(QString, expected);
        const QString message = NowPlaying::message(t1, t2, t3);
        QCOMPARE(message, expected);
        // Exactly one NUL, the last character: the transport's length counts it.
        QCOMPARE(message.count(QChar(u'\0')), 1);
    }

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
