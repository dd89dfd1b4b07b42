#include "core/playback/deferredplayer.h"
#include "core/playback/playbackstatus.h"
#include "fakecontrols.h"

#include <QSignalSpy>
#include <QTest>

namespace
{

// Records the order of what it is asked, for the hand-over.
class RecordingPlayer : public FakePlayer
{
public:
    void setUrl(const QString &url) override
    {
        calls.append(QStringLiteral("url ") + url);
        FakePlayer::setUrl(url);
        if (!url.isEmpty())
            setStatus(PlaybackStatus::connecting);
    }
    void setPicture(const QString &path) override
    {
        calls.append(QStringLiteral("picture ") + path);
        FakePlayer::setPicture(path);
    }
    void pause() override
    {
        calls.append(QStringLiteral("pause"));
        FakePlayer::pause();
    }

    QStringList calls;
};

} // namespace

// The player the main window has until the media player is loaded.
class TestDeferredPlayer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answersAsThePlayerWouldBeforeItIsThere();
    void handsOverWhatItWasAsked_data();
    void handsOverWhatItWasAsked();
    void passesEverythingThroughOnceAttached();
};

void TestDeferredPlayer::answersAsThePlayerWouldBeforeItIsThere()
{
    DeferredPlayer player;
    QSignalSpy statuses(&player, &PlayerControl::statusChanged);
    QSignalSpy states(&player, &PlayerControl::playbackStateChanged);
    QSignalSpy volumes(&player, &PlayerControl::volumeChanged);
    QCOMPARE(player.status(), QString());
    QCOMPARE(player.playbackState(), PlayerControl::PlaybackState::Stopped);

    // A stop before anything was asked leaves the status empty.
    player.setUrl(QString());
    QCOMPARE(player.status(), QString());
    QVERIFY(statuses.isEmpty());

    player.setUrl(QStringLiteral("http://radio.example/live"));
    QCOMPARE(player.url(), QStringLiteral("http://radio.example/live"));
    QCOMPARE(player.status(), PlaybackStatus::connecting);
    QCOMPARE(player.playbackState(), PlayerControl::PlaybackState::Playing);
    QCOMPARE(statuses.count(), 1);
    QCOMPARE(states.count(), 1);

    player.pause();
    QCOMPARE(player.playbackState(), PlayerControl::PlaybackState::Paused);
    player.play();
    QCOMPARE(player.playbackState(), PlayerControl::PlaybackState::Playing);

    player.stop();
    QCOMPARE(player.status(), PlaybackStatus::ready);
    QCOMPARE(player.playbackState(), PlayerControl::PlaybackState::Stopped);
    // Play after a stop asks for the address again.
    player.play();
    QCOMPARE(player.status(), PlaybackStatus::connecting);

    player.setVolume(130);
    QCOMPARE(player.volume(), 100);
    player.setVolume(100);
    QCOMPARE(volumes.count(), 1);
}

void TestDeferredPlayer::handsOverWhatItWasAsked_data()
{
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QStringList>("handedOver");

    QTest::newRow("nothing") << QStringList() << QStringList();
    QTest::newRow("the start-up stream") << QStringList { "url http://a/live" } << QStringList { "url http://a/live" };
    QTest::newRow("picture before its address") << QStringList { "picture /p.png", "url http://a/live" }
                                                << QStringList { "picture /p.png", "url http://a/live" };
    QTest::newRow("picture for the next address") << QStringList { "url http://a/live", "picture /p.png" }
                                                  << QStringList { "url http://a/live", "picture /p.png" };
    QTest::newRow("the last address only") << QStringList { "picture /p.png", "url http://a/live", "url http://b/live" }
                                           << QStringList { "url http://b/live" };
    QTest::newRow("stopped: nothing to play") << QStringList { "url http://a/live", "stop" } << QStringList();
    QTest::newRow("paused while connecting")
        << QStringList { "url http://a/live", "pause" } << QStringList { "url http://a/live", "pause" };
    QTest::newRow("paused, then played") << QStringList { "url http://a/live", "pause", "play" }
                                         << QStringList { "url http://a/live" };
}

void TestDeferredPlayer::handsOverWhatItWasAsked()
{
    QFETCH(QStringList, asked);
    QFETCH(QStringList, handedOver);

    DeferredPlayer player;
    for (const QString &call : std::as_const(asked)) {
        const QString argument = call.section(QLatin1Char(' '), 1);
        if (call.startsWith(QLatin1String("url ")))
            player.setUrl(argument);
        else if (call.startsWith(QLatin1String("picture ")))
            player.setPicture(argument);
        else if (call == QLatin1String("stop"))
            player.stop();
        else if (call == QLatin1String("pause"))
            player.pause();
        else if (call == QLatin1String("play"))
            player.play();
    }
    player.setDisplayName(QStringLiteral("Rires et chansons"));
    player.setVolume(70);
    player.setStretchToFit(false);
    player.setEnabled(false);
    player.setVisible(false);

    auto attached = std::make_unique<RecordingPlayer>();
    RecordingPlayer &target = *attached;
    player.attach(std::move(attached));
    QCOMPARE(target.calls, handedOver);
    QCOMPARE(target.displayName, QStringLiteral("Rires et chansons"));
    QCOMPARE(target.volume(), 70);
    QVERIFY(!target.stretchToFit());
    QVERIFY(!target.isEnabled());
    QVERIFY(!target.isVisible());
}

void TestDeferredPlayer::passesEverythingThroughOnceAttached()
{
    DeferredPlayer player;
    player.setUrl(QStringLiteral("http://a/live"));
    QSignalSpy statuses(&player, &PlayerControl::statusChanged);
    QSignalSpy titles(&player, &PlayerControl::streamTitleChanged);
    QSignalSpy downs(&player, &PlayerControl::mouseDown);

    auto attached = std::make_unique<RecordingPlayer>();
    RecordingPlayer &target = *attached;
    player.attach(std::move(attached));
    QCOMPARE(player.attached(), &target);

    // The player's own news, with nothing told twice: it was connecting
    // before it came.
    QVERIFY(statuses.isEmpty());
    target.setStatus(PlaybackStatus::playing);
    QCOMPARE(player.status(), PlaybackStatus::playing);
    QCOMPARE(statuses.count(), 1);
    QCOMPARE(statuses.last().first().toString(), PlaybackStatus::playing);
    Q_EMIT target.streamTitleChanged(QStringLiteral("Chanson"));
    QCOMPARE(titles.count(), 1);
    Q_EMIT target.mouseDown(2);
    QCOMPARE(downs.count(), 1);

    player.setPicture(QStringLiteral("/q.png"));
    player.setUrl(QStringLiteral("http://b/live"));
    player.pause();
    QCOMPARE(target.calls.mid(1), (QStringList { "picture /q.png", "url http://b/live", "pause" }));
    QCOMPARE(player.playbackState(), PlayerControl::PlaybackState::Paused);
    player.setVolume(20);
    QCOMPARE(target.volume(), 20);
    QCOMPARE(player.volume(), 20);
}

QTEST_GUILESS_MAIN(TestDeferredPlayer)
#include "tst_deferredplayer.moc"
