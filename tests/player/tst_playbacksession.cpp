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

QTEST_GUILESS_MAIN(TestPlaybackSession)
#include "tst_playbacksession.moc"
