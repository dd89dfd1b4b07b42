#include "core/playback/playbacksession.h"
#include "fakeengine.h"

#include <QSignalSpy>
#include <QTest>

namespace
{

void ask(PlaybackSession &session, const QString &call)
{
    const QString argument = call.section(QLatin1Char(' '), 1);
    if (call.startsWith(QLatin1String("url ")))
        session.setUrl(argument);
    else if (call.startsWith(QLatin1String("ahead ")))
        session.engineOpens(argument);
    else if (call.startsWith(QLatin1String("volume ")))
        session.setVolume(argument.toInt());
    else if (call == QLatin1String("stop"))
        session.stop();
    else if (call == QLatin1String("pause"))
        session.pause();
    else if (call == QLatin1String("play"))
        session.play();
    else if (call == QLatin1String("mute"))
        session.setMuted(true);
    else if (call == QLatin1String("own size"))
        session.setFitToFrame(false);
    else
        QFAIL(qPrintable(call));
}

// A session whose engine is there, and the engine.
struct Started {
    Started()
    {
        auto made = std::make_unique<FakeEngine>();
        engine = made.get();
        session.attachEngine(std::move(made));
    }

    PlaybackSession session;
    FakeEngine *engine;
};

} // namespace

// What plays, driven through a stand-in for libmpv.
class TestPlaybackSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keepsWhatItIsAskedUntilTheEngineComes_data();
    void keepsWhatItIsAskedUntilTheEngineComes();
    void withoutAnEngineEveryAddressSaysWhy();
    void theEndOfAReplacedAddressIsNoNews();
    void aFailureTakesTheReasonThatComesAfterIt();
    void triesComeSoonThenFurtherApart_data();
    void triesComeSoonThenFurtherApart();
    void aLiveStreamThatDropsIsOpenedAgain_data();
    void aLiveStreamThatDropsIsOpenedAgain();
};

void TestPlaybackSession::keepsWhatItIsAskedUntilTheEngineComes_data()
{
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QStringList>("handedOver");

    const QString connecting = PlaybackStatus::connecting;
    QTest::newRow("nothing") << QStringList() << QString() << QStringList();
    QTest::newRow("a stop before anything") << QStringList { "stop" } << QString() << QStringList { "stop" };
    QTest::newRow("an address") << QStringList { "url http://a/live" } << connecting
                                << QStringList { "load http://a/live" };
    QTest::newRow("the last address only") << QStringList { "url http://a/live", "url http://b/live" } << connecting
                                           << QStringList { "load http://b/live" };
    QTest::newRow("stopped") << QStringList { "url http://a/live", "stop" } << PlaybackStatus::ready
                             << QStringList { "stop" };
    QTest::newRow("paused while connecting")
        << QStringList { "url http://a/live", "pause" } << connecting << QStringList { "load http://a/live", "pause" };
    QTest::newRow("paused, then played") << QStringList { "url http://a/live", "pause", "play" } << connecting
                                         << QStringList { "load http://a/live" };
    QTest::newRow("played again after a stop")
        << QStringList { "url http://a/live", "stop", "play" } << connecting << QStringList { "load http://a/live" };
    QTest::newRow("volume, mute and size") << QStringList { "volume 130", "mute", "own size" } << QString()
                                           << QStringList { "volume 100", "mute", "own size" };
    // The engine was given the start-up stream as it was made.
    QTest::newRow("opened ahead") << QStringList { "ahead http://a/live" } << connecting << QStringList();
    QTest::newRow("opened ahead, then another") << QStringList { "ahead http://a/live", "url http://b/live" }
                                                << connecting << QStringList { "load http://b/live" };
    QTest::newRow("opened ahead, then stopped")
        << QStringList { "ahead http://a/live", "stop" } << PlaybackStatus::ready << QStringList { "stop" };
    QTest::newRow("opened ahead, then paused")
        << QStringList { "ahead http://a/live", "pause" } << connecting << QStringList { "pause" };
}

void TestPlaybackSession::keepsWhatItIsAskedUntilTheEngineComes()
{
    QFETCH(QStringList, asked);
    QFETCH(QString, status);
    QFETCH(QStringList, handedOver);

    PlaybackSession session;
    QSignalSpy statuses(&session, &PlaybackSession::statusChanged);
    for (const QString &call : std::as_const(asked))
        ask(session, call);
    QCOMPARE(session.status(), status);
    QCOMPARE(statuses.isEmpty(), status.isEmpty());

    auto engine = std::make_unique<FakeEngine>();
    FakeEngine &attached = *engine;
    session.attachEngine(std::move(engine));
    QCOMPARE(attached.calls, handedOver);
    // Nothing is told twice: the engine's own news comes next.
    QCOMPARE(session.status(), status);
}

void TestPlaybackSession::withoutAnEngineEveryAddressSaysWhy()
{
    PlaybackSession session;
    session.engineOpens(QStringLiteral("http://a/live"));
    session.engineUnavailable(QStringLiteral("module absent : /x/ondavox-player.so"));
    const QString why
        = QStringLiteral("Erreur : le lecteur multimédia ne peut pas démarrer (module absent : /x/ondavox-player.so)");
    QCOMPARE(session.status(), why);
    QCOMPARE(session.playbackState(), PlayerControl::PlaybackState::Stopped);
    session.play();
    session.stop();
    QCOMPARE(session.status(), why);
    session.setUrl(QString());
    QCOMPARE(session.status(), QString());
    session.setUrl(QStringLiteral("http://b/live"));
    QCOMPARE(session.status(), why);

    // Nothing was asked when it was found missing: nothing to say yet.
    PlaybackSession idle;
    idle.engineUnavailable(QStringLiteral("libmpv could not be created"));
    QCOMPARE(idle.status(), QString());
}

void TestPlaybackSession::theEndOfAReplacedAddressIsNoNews()
{
    Started started;
    PlaybackSession &session = started.session;
    MpvEngine::Events &mpv = started.engine->events();
    QSignalSpy titles(&session, &PlaybackSession::streamTitleChanged);

    session.setUrl(QStringLiteral("http://a/live"));
    mpv.fileStarted();
    mpv.fileLoaded();
    mpv.playbackRestarted();
    QCOMPARE(session.status(), PlaybackStatus::playing);
    // icecast passes an MP3 stream's titles in ISO-8859-1.
    mpv.streamTitleChanged("Caf\xe9 noir");
    QCOMPARE(session.streamTitle(), QStringLiteral("Café noir"));

    session.setUrl(QStringLiteral("http://b/live"));
    QCOMPARE(session.streamTitle(), QString());
    mpv.fileEnded(PlaybackStatus::EndReason::Stopped);
    QCOMPARE(session.status(), PlaybackStatus::connecting);
    QCOMPARE(session.playbackState(), PlayerControl::PlaybackState::Playing);
    mpv.fileStarted();
    mpv.playbackRestarted();
    QCOMPARE(session.status(), PlaybackStatus::playing);
    QCOMPARE(titles.count(), 2);

    // Nobody draws video here: mpv is not kept waiting for a surface.
    mpv.preloaded(7);
    QCOMPARE(started.engine->calls.last(), QStringLiteral("continue 7"));
}

void TestPlaybackSession::aFailureTakesTheReasonThatComesAfterIt()
{
    Started started;
    PlaybackSession &session = started.session;
    MpvEngine::Events &mpv = started.engine->events();
    session.setUrl(QStringLiteral("http://a/missing.mp3"));
    mpv.fileStarted();
    mpv.fileEnded(PlaybackStatus::EndReason::Failed);
    QCOMPARE(session.status(), QStringLiteral("Erreur : lecture impossible"));
    // mpv hands out its messages after its other news.
    const QString line = QStringLiteral("ffmpeg: http: HTTP error 404 Not Found");
    started.engine->log.append(line);
    mpv.logMessage(line);
    QCOMPARE(session.status(), QStringLiteral("Erreur : flux introuvable (404)"));
}

void TestPlaybackSession::triesComeSoonThenFurtherApart_data()
{
    QTest::addColumn<int>("attempt");
    QTest::addColumn<int>("sinceDropMs");
    QTest::addColumn<double>("drawn");
    QTest::addColumn<int>("waitMs");

    QTest::newRow("the first at once") << 1 << 0 << 1.0 << 0;
    QTest::newRow("soon after") << 2 << 10 << 1.0 << 500;
    QTest::newRow("still soon at nine seconds") << 15 << 9000 << 1.0 << 500;
    QTest::newRow("then two seconds") << 20 << 10000 << 0.0 << 2000;
    QTest::newRow("then four") << 22 << 15000 << 0.0 << 4000;
    QTest::newRow("at most five") << 60 << 600000 << 0.0 << 5000;
    // Listeners of one server spread out, never waiting longer than the cap.
    QTest::newRow("at most five, by chance earlier") << 60 << 600000 << 1.0 << 4250;
    QTest::newRow("a draw out of range") << 60 << 600000 << 7.0 << 4250;
}

void TestPlaybackSession::triesComeSoonThenFurtherApart()
{
    QFETCH(int, attempt);
    QFETCH(int, sinceDropMs);
    QFETCH(double, drawn);
    QFETCH(int, waitMs);
    QCOMPARE(Reconnection::waitBefore(attempt, std::chrono::milliseconds(sinceDropMs), drawn).count(), waitMs);
}

// How a live stream that played goes on: `then` in one letter per event
// after it dropped: F a try failed, L a try ended by the server's word
// that it will not do, R sound again, S the user stopped, U another
// address asked for.
void TestPlaybackSession::aLiveStreamThatDropsIsOpenedAgain_data()
{
    QTest::addColumn<bool>("live");
    QTest::addColumn<QString>("then");
    QTest::addColumn<int>("loads");
    QTest::addColumn<QString>("status");

    const QString reconnecting = QStringLiteral("Reconnexion au flux… (essai %1)");
    QTest::newRow("a file with a length ends") << false << "" << 1 << PlaybackStatus::ready;
    QTest::newRow("a live stream is tried again") << true << "" << 2 << reconnecting.arg(1);
    QTest::newRow("and again") << true << "FF" << 4 << reconnecting.arg(3);
    QTest::newRow("until it plays") << true << "FFR" << 4 << PlaybackStatus::playing;
    QTest::newRow("a refusal ends the tries") << true << "FL" << 3 << "Erreur : accès refusé (403)";
    QTest::newRow("a stop ends them") << true << "FS" << 3 << PlaybackStatus::ready;
    QTest::newRow("another address ends them") << true << "FU" << 3 << PlaybackStatus::connecting;
}

void TestPlaybackSession::aLiveStreamThatDropsIsOpenedAgain()
{
    QFETCH(bool, live);
    QFETCH(QString, then);
    QFETCH(int, loads);
    QFETCH(QString, status);

    Started started;
    PlaybackSession &session = started.session;
    FakeEngine &engine = *started.engine;
    MpvEngine::Events &mpv = engine.events();
    const auto loadsSoFar = [&engine] {
        return int(engine.calls.count(QStringLiteral("load http://a/live")));
    };
    session.setUrl(QStringLiteral("http://a/live"));
    mpv.fileStarted();
    mpv.playbackRestarted();
    mpv.liveStreamKnown(live);
    mpv.fileEnded(PlaybackStatus::EndReason::EndOfStream);
    if (live) {
        QCOMPARE(session.playbackState(), PlayerControl::PlaybackState::Stopped);
        QVERIFY(!session.status().startsWith(QLatin1String("Lec")));
    }
    QTRY_COMPARE(loadsSoFar(), live ? 2 : 1);
    for (const QChar event : then) {
        switch (event.toLatin1()) {
        case 'F': {
            const int before = loadsSoFar();
            mpv.fileStarted();
            mpv.fileEnded(PlaybackStatus::EndReason::Failed);
            QTRY_COMPARE(loadsSoFar(), before + 1);
            break;
        }
        case 'L': {
            mpv.fileStarted();
            mpv.fileEnded(PlaybackStatus::EndReason::Failed);
            const QString refusal = QStringLiteral("ffmpeg: http: HTTP error 403 Forbidden");
            engine.log.append(refusal);
            mpv.logMessage(refusal);
            break;
        }
        case 'R':
            mpv.fileStarted();
            mpv.playbackRestarted();
            break;
        case 'S':
            session.stop();
            break;
        case 'U':
            session.setUrl(QStringLiteral("http://b/live"));
            break;
        }
    }
    // No try comes after the last one counted, within longer than the waits between tries.
    QTest::qWait(700);
    QCOMPARE(loadsSoFar(), loads);
    QCOMPARE(session.status(), status);
}

QTEST_GUILESS_MAIN(TestPlaybackSession)
#include "tst_playbacksession.moc"
