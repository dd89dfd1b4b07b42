#include "core/playback/playbackcontroller.h"
#include "core/playback/playrequest.h"
#include "core/state/statestore.h"
#include "fakecontrols.h"

#include <QSignalSpy>
#include <QTest>

class TestPlaybackController : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void statusLine_data();
    void statusLine();
    void hoverHintFreezesTheLineUntilThePictureIsEntered();
    void emptyNameShowsOndavoxWithinOneTick();
    void startupStreamIsPlayedUnderOndavox();
    void videoFitFollowsTheOption();
    void progressWithValueAboveItsBound();
    void progressBarOnlyWhileAPageLoads_data();
    void progressBarOnlyWhileAPageLoads();
    void loadingMessageOnlyOnceTheStartupPageIsOver();
    void stopAndReplay();
    void rightButtonSuppressesThePlayerMenu();
    void playRequestSteps();

private:
    std::unique_ptr<StateStore> m_store;
    std::unique_ptr<FakePlayer> m_player;
    std::unique_ptr<FakeBrowser> m_browser;
    std::unique_ptr<PlaybackController> m_controller;
};

void TestPlaybackController::init()
{
    m_store = std::make_unique<StateStore>();
    m_player = std::make_unique<FakePlayer>();
    m_browser = std::make_unique<FakeBrowser>();
    m_controller = std::make_unique<PlaybackController>(*m_store, *m_player, *m_browser);
}

void TestPlaybackController::statusLine_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("browserVisible");
    QTest::addColumn<QString>("line");

    QTest::newRow("french playing") << "Lecture en cours" << false << "Lecture de Rires et chansons";
    QTest::newRow("english playing") << "Playing" << false << "";
    QTest::newRow("nothing loaded yet") << "" << false << "";
    QTest::newRow("ready") << "Prêt" << false << "Arrêté";
    QTest::newRow("english ready") << "Ready" << false << "Arrêté";
    QTest::newRow("stopped") << "Stopped" << false << "Arrêté";
    QTest::newRow("acute spelling") << "Arrété" << false << "Arrêté";
    QTest::newRow("comparison is case-sensitive") << "prêt" << false << "";
    QTest::newRow("connecting") << "Connexion..." << false << "";
    QTest::newRow("failed stream") << "Erreur : connexion refusée" << false << "";
    QTest::newRow("browser shown while playing")
        << "Lecture en cours" << true << "Visualisation avec Internet Explorer";
    QTest::newRow("browser shown while stopped") << "Prêt" << true << "Visualisation avec Internet Explorer";
}

void TestPlaybackController::statusLine()
{
    QFETCH(QString, status);
    QFETCH(bool, browserVisible);

    m_store->setLecture(QStringLiteral("Rires et chansons"));
    m_player->setStatus(status);
    m_browser->setVisible(browserVisible);
    m_controller->TimerInfos_Timer();
    QTEST(m_store->divers(), "line");
}

void TestPlaybackController::hoverHintFreezesTheLineUntilThePictureIsEntered()
{
    m_store->setLecture(QStringLiteral("FIP"));
    m_player->setStatus(QStringLiteral("Lecture en cours"));
    const QString hint = QStringLiteral("- Arrêter la lecture en cours");
    m_store->setDivers(hint);
    m_player->setStatus(QStringLiteral("Prêt"));
    m_controller->TimerInfos_Timer();
    QCOMPARE(m_store->divers(), hint);

    Q_EMIT m_player->mouseMove();
    QCOMPARE(m_store->divers(), QString());
    m_controller->TimerInfos_Timer();
    QCOMPARE(m_store->divers(), QStringLiteral("Arrêté"));
}

void TestPlaybackController::emptyNameShowsOndavoxWithinOneTick()
{
    m_store->setLecture(QString());
    m_controller->start();
    QTRY_COMPARE_WITH_TIMEOUT(m_store->lecture(), QStringLiteral("Ondavox"), 400);
}

void TestPlaybackController::startupStreamIsPlayedUnderOndavox()
{
    // The start-up address plays without a display name.
    m_player->setUrl(QStringLiteral("http://127.0.0.1/live"));
    m_player->setStatus(QStringLiteral("Lecture en cours"));
    m_controller->TimerInfos_Timer();
    QCOMPARE(m_store->divers(), QStringLiteral("Lecture de Ondavox"));
}

void TestPlaybackController::videoFitFollowsTheOption()
{
    Preferences preferences;
    preferences.checkCadre = 0;
    m_store->setPreferences(preferences);
    m_controller->TimerInfos_Timer();
    QCOMPARE(m_player->stretchToFit(), false);
    preferences.checkCadre = 1;
    m_store->setPreferences(preferences);
    m_controller->TimerInfos_Timer();
    QCOMPARE(m_player->stretchToFit(), true);
}

void TestPlaybackController::progressWithValueAboveItsBound()
{
    QSignalSpy progress(m_controller.get(), &PlaybackController::progressChanged);
    Q_EMIT m_browser->progressChange(150, 100);
    QCOMPARE(progress.size(), 1);
    QCOMPARE(progress.at(0).at(0).toInt(), 150);
    QCOMPARE(m_store->divers(), PlaybackController::loadingMessage);
}

void TestPlaybackController::progressBarOnlyWhileAPageLoads_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("progress");
    QTest::addColumn<int>("progressMax");
    QTest::addColumn<bool>("shown");
    QTest::newRow("start-up home page") << "Debut" << 10 << 100 << false;
    QTest::newRow("start-up home page, almost done") << "Debut" << 99 << 100 << false;
    QTest::newRow("a page loading") << "" << 10 << 100 << true;
    QTest::newRow("not begun") << "" << 0 << 100 << false;
    QTest::newRow("done") << "" << 100 << 100 << false;
    QTest::newRow("above its bound") << "" << 150 << 100 << false;
}

void TestPlaybackController::progressBarOnlyWhileAPageLoads()
{
    QFETCH(QString, tag);
    QFETCH(int, progress);
    QFETCH(int, progressMax);
    QFETCH(bool, shown);
    m_browser->setTag(tag);
    QSignalSpy changes(m_controller.get(), &PlaybackController::progressChanged);
    Q_EMIT m_browser->progressChange(progress, progressMax);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.at(0).at(0).toInt(), progress);
    QCOMPARE(changes.at(0).at(1).toInt(), progressMax);
    QCOMPARE(changes.at(0).at(2).toBool(), shown);
}

void TestPlaybackController::loadingMessageOnlyOnceTheStartupPageIsOver()
{
    m_browser->setTag(QStringLiteral("Debut"));
    Q_EMIT m_browser->progressChange(10, 100);
    QCOMPARE(m_store->divers(), QString());

    QSignalSpy frame(m_controller.get(), &PlaybackController::sizingFrameRequested);
    m_store->setRadioTv(QStringLiteral("RADIO"));
    QCOMPARE(frame.size(), 0);
    m_store->setRadioTv(QStringLiteral("TV"));
    QCOMPARE(frame.size(), 1);
    QCOMPARE(m_browser->tag(), QStringLiteral("Debut"));
    m_store->setRadioTv(QStringLiteral("WEB"));
    QCOMPARE(frame.size(), 2);
    Q_EMIT m_browser->progressChange(20, 100);
    QCOMPARE(m_store->divers(), PlaybackController::loadingMessage);
    // The next tick puts the status back.
    m_controller->TimerInfos_Timer();
    QCOMPARE(m_store->divers(), QString());
}

void TestPlaybackController::stopAndReplay()
{
    m_store->setCurl(QStringLiteral("http://a/stream"));
    m_store->setLecture(QStringLiteral("A"));
    m_player->setUrl(QStringLiteral("http://a/stream"));
    m_controller->Arret_Click();
    QCOMPARE(m_player->url(), QString());
    QCOMPARE(m_browser->stops, 1);
    QCOMPARE(m_store->lecture(), QStringLiteral("A"));

    m_controller->RefreshBtn_Click();
    QCOMPARE(m_player->url(), QStringLiteral("http://a/stream"));

    m_player->setVisible(false);
    m_controller->RefreshBtn_Click();
    QCOMPARE(m_browser->refreshes, 1);

    // With no current address the refresh stops the player.
    m_player->setVisible(true);
    m_store->setCurl(QString());
    m_controller->RefreshBtn_Click();
    QCOMPARE(m_player->url(), QString());
}

void TestPlaybackController::rightButtonSuppressesThePlayerMenu()
{
    Q_EMIT m_player->mouseDown(1);
    QVERIFY(m_player->isEnabled());
    Q_EMIT m_player->mouseDown(2);
    QVERIFY(!m_player->isEnabled());
    m_controller->Form_MouseMove();
    QVERIFY(m_player->isEnabled());
    m_controller->Form_MouseDown(2);
    QVERIFY(!m_player->isEnabled());
    m_controller->Form_MouseUp();
    QVERIFY(m_player->isEnabled());
}

void TestPlaybackController::playRequestSteps()
{
    m_store->setCurl(QStringLiteral("http://previous"));
    requestPlay({ PlayRequest::Kind::Stream,
                    QStringLiteral("http://r"),
                    false,
                    QStringLiteral("Radio R"),
                    "RADIO",
                    QStringLiteral("/opt/ondavox/logos/r.png") },
        *m_store,
        *m_player,
        *m_browser);
    QCOMPARE(m_player->url(), QStringLiteral("http://r"));
    // The player has the station's picture by the time the stream starts.
    QCOMPARE(m_player->urlPictures, QStringList { QStringLiteral("/opt/ondavox/logos/r.png") });
    QCOMPARE(m_store->curl(), QStringLiteral("http://previous"));
    QCOMPARE(m_store->lecture(), QStringLiteral("Radio R"));
    QVERIFY(m_player->isVisible());
    QVERIFY(!m_browser->isVisible());
    QCOMPARE(m_store->radioTv(), QStringLiteral("RADIO"));

    requestPlay({ PlayRequest::Kind::WebPage, QStringLiteral("http://page"), true, std::nullopt, "WEB", QString() },
        *m_store,
        *m_player,
        *m_browser);
    QCOMPARE(m_player->url(), QString());
    QCOMPARE(m_player->urlPictures.last(), QString());
    QCOMPARE(m_browser->addresses, QStringList { "http://page" });
    QCOMPARE(m_store->curl(), QStringLiteral("http://page"));
    QCOMPARE(m_store->lecture(), QStringLiteral("Radio R"));
    QVERIFY(!m_player->isVisible());
    QVERIFY(m_browser->isVisible());
    QCOMPARE(m_store->radioTv(), QStringLiteral("WEB"));
}

QTEST_GUILESS_MAIN(TestPlaybackController)
#include "tst_playbackcontroller.moc"
