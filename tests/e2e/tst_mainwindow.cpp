#include "app/application.h"
#include "core/playback/playbackcontroller.h"
#include "core/playback/playercontrol.h"
#include "core/playback/playrequest.h"
#include "core/tv/editiondate.h"
#include "icecastserver.h"
#include "platform/browser/webview.h"
#include "testhttpserver.h"
#include "toolbarbutton.h"
#include "ui/shell/radio.h"
#include "ui/skin/imagebuttonpair.h"
#include "ui/tv/frmtv.h"

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>

// The whole program in one process, with the real player and browser, playing
// from servers on 127.0.0.1.
class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void playRequestShowsTheStationInTheStatusLine();
    void failingStreamsLeaveTheProgramResponsive_data();
    void failingStreamsLeaveTheProgramResponsive();
    void streamServerDyingMidStream();
    void webPageTakesThePlayersPlace();
    void tvWindowWaitsHiddenFromTheStart();

private:
    void play(const QString &address, const QString &name);
    bool responsive();

    QTemporaryDir m_home;
    IcecastServer m_icecast;
    TestHttpServer m_http;
    std::unique_ptr<Application> m_app;
};

void TestMainWindow::initTestCase()
{
    const QString missing = IcecastServer::missingTools();
    if (!missing.isEmpty())
        QSKIP(qPrintable(missing));
    QString error;
    QVERIFY2(m_icecast.start(&error), qPrintable(error));
    QVERIFY(m_http.listen());
    m_http.addStatus("/missing.mp3", 404);
    m_http.addData("/page.html", "<html><body><h1>Ondavox</h1></body></html>", "text/html");

    qputenv("XDG_DATA_HOME", m_home.filePath("data").toUtf8());
    qputenv("XDG_CONFIG_HOME", m_home.filePath("config").toUtf8());
    m_app = std::make_unique<Application>();
    m_app->start();
    QVERIFY(QTest::qWaitForWindowExposed(&m_app->windows().radio()));
}

void TestMainWindow::cleanupTestCase()
{
    m_app.reset();
}

void TestMainWindow::play(const QString &address, const QString &name)
{
    requestPlay({ PlayRequest::Kind::Stream, address, true, name, QStringLiteral("RADIO"), QString() },
        m_app->store(),
        m_app->player(),
        m_app->browser());
}

bool TestMainWindow::responsive()
{
    // The event loop turns: a zero timer fires promptly.
    bool fired = false;
    QTimer::singleShot(0, [&fired] {
        fired = true;
    });
    QTest::qWait(50);
    return fired && m_app->windows().radio().isVisible();
}

void TestMainWindow::playRequestShowsTheStationInTheStatusLine()
{
    play(m_icecast.streamUrl(), QStringLiteral("Rires et chansons"));
    QTRY_COMPARE_WITH_TIMEOUT(m_app->store().divers(), QStringLiteral("Lecture de Rires et chansons"), 15000);
    QVERIFY(m_app->player().status().startsWith(QStringLiteral("Lecture")));
    QCOMPARE(m_app->player().playbackState(), PlayerControl::PlaybackState::Playing);

    toolbarButton(m_app->windows().radio(), QStringLiteral("Arret"))->click();
    QTRY_COMPARE_WITH_TIMEOUT(m_app->store().divers(), QStringLiteral("Arrêté"), 5000);
    QCOMPARE(m_app->store().lecture(), QStringLiteral("Rires et chansons"));

    // The refresh button replays the current address.
    toolbarButton(m_app->windows().radio(), QStringLiteral("RefreshBtn"))->click();
    QTRY_COMPARE_WITH_TIMEOUT(m_app->store().divers(), QStringLiteral("Lecture de Rires et chansons"), 15000);
}

void TestMainWindow::failingStreamsLeaveTheProgramResponsive_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("refused connection") << "http://127.0.0.1:1/live.mp3";
    QTest::newRow("404") << m_http.url("/missing.mp3");
}

void TestMainWindow::failingStreamsLeaveTheProgramResponsive()
{
    QFETCH(QString, address);
    play(address, QStringLiteral("Station morte"));
    // The player says why; the status line, which only knows playing and
    // stopped, stays empty.
    QTRY_VERIFY_WITH_TIMEOUT(m_app->player().status().startsWith(QStringLiteral("Erreur")), 15000);
    QTest::qWait(300);
    QCOMPARE(m_app->store().divers(), QString());
    QVERIFY(responsive());
}

void TestMainWindow::streamServerDyingMidStream()
{
    play(m_icecast.streamUrl(), QStringLiteral("Rires et chansons"));
    QTRY_COMPARE_WITH_TIMEOUT(m_app->store().divers(), QStringLiteral("Lecture de Rires et chansons"), 15000);
    m_icecast.stop();
    QTRY_VERIFY_WITH_TIMEOUT(!m_app->player().status().startsWith(QStringLiteral("Lecture")), 20000);
    QTRY_VERIFY(m_app->store().divers() != QStringLiteral("Lecture de Rires et chansons"));
    QVERIFY(responsive());
}

void TestMainWindow::webPageTakesThePlayersPlace()
{
    requestPlay(
        { PlayRequest::Kind::WebPage, m_http.url("/page.html"), true, QStringLiteral("Page"), "WEB", QString() },
        m_app->store(),
        m_app->player(),
        m_app->browser());
    QTRY_COMPARE_WITH_TIMEOUT(m_app->store().divers(), PlaybackController::browserMessage, 5000);
    QVERIFY(m_app->browser().widget()->isVisible());
    QVERIFY(m_app->windows().radio().hasSizingFrame());
    QTRY_COMPARE_WITH_TIMEOUT(m_http.requestCount(QStringLiteral("/page.html")), 1, 15000);
}

void TestMainWindow::tvWindowWaitsHiddenFromTheStart()
{
    QWidget *tv = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QStringLiteral("frmTV"))
            tv = window;
    }
    QVERIFY2(tv, "no TV window after start-up");
    QVERIFY(!tv->isVisible());
    QCOMPARE(&m_app->windows().tv(), tv);
    const DateListPositions preset = CalcDate(QDate::currentDate(), m_app->store().preferences().check3);
    QCOMPARE(tv->findChild<QComboBox *>(QStringLiteral("Jour"))->currentIndex(), preset.Jour);
    QCOMPARE(tv->findChild<QComboBox *>(QStringLiteral("Mois"))->currentIndex(), preset.Mois);

    // The toolbar shows it with the default pointer, whatever a launch left.
    tv->setCursor(Qt::WaitCursor);
    toolbarButton(m_app->windows().radio(), QStringLiteral("Tv"))->click();
    QVERIFY(QTest::qWaitForWindowExposed(tv));
    QCOMPARE(tv->cursor().shape(), Qt::ArrowCursor);
    tv->hide();
}

int main(int argc, char *argv[])
{
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ondavox"));
    std::setlocale(LC_NUMERIC, "C");
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow.moc"
