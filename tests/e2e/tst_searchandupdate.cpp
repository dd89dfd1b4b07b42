#include "app/application.h"
#include "core/playback/playbackcontroller.h"
#include "core/playback/playercontrol.h"
#include "core/state/statestore.h"
#include "platform/browser/webview.h"
#include "testhttpserver.h"
#include "ui/search/youtube.h"
#include "ui/shell/options.h"
#include "ui/shell/radio.h"
#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/kivcommand.h"
#include "ui/skin/kivoptionbutton.h"
#include "ui/skin/kivtextbox.h"
#include "ui/skin/twips.h"
#include "ui/tv/frmtv.h"
#include "ui/update/miseajour.h"

#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>

// The update and video search windows in the whole program, with the real
// player and browser.
class TestSearchAndUpdate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void optionsButtonOpensTheUpdateWindow();
    void searchWindowOpensEmptyAndKeepsItsTextWhenHidden();
    void resultsTakeThePlayersPlace();

private:
    QTemporaryDir m_home;
    TestHttpServer m_http;
    std::unique_ptr<Application> m_app;
};

void TestSearchAndUpdate::initTestCase()
{
    QVERIFY(m_http.listen());
    m_http.addData("/y/results", "<html><body><h1>Résultats</h1></body></html>", "text/html; charset=utf-8");
    qputenv("XDG_DATA_HOME", m_home.filePath("data").toUtf8());
    qputenv("XDG_CONFIG_HOME", m_home.filePath("config").toUtf8());
    m_app = std::make_unique<Application>();
    m_app->start();
    QVERIFY(QTest::qWaitForWindowExposed(&m_app->windows().radio()));
}

void TestSearchAndUpdate::cleanupTestCase()
{
    m_app.reset();
}

void TestSearchAndUpdate::optionsButtonOpensTheUpdateWindow()
{
    m_app->windows().options().findChild<KivCommand *>(QStringLiteral("KivCommand2"))->click();
    MiseAJour &window = m_app->windows().miseAJour();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!window.isModal());
    QCOMPARE(window.height(), Twips::toPixels(MiseAJour::heightTwips));
    QCOMPARE(window.url(), m_app->store().preferences().urlMaj);
    window.hide();
}

void TestSearchAndUpdate::searchWindowOpensEmptyAndKeepsItsTextWhenHidden()
{
    // The TV window's button opens the search and unloads the TV window.
    QPointer<frmTV> tv = &m_app->windows().tv();
    tv->show();
    tv->findChild<KivCommand *>(QStringLiteral("KivCommand1"))->click();
    QTRY_VERIFY(tv.isNull());
    Youtube &window = m_app->windows().youtube();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *field = window.findChild<KivTextBox *>(QStringLiteral("txtSearch"));
    QCOMPARE(field->text(), QString());
    QCOMPARE(window.engine(), VideoSearch::Engine::GoogleVideos);
    QTest::keyClicks(field, QStringLiteral("chat"));
    window.closePair()->hideNormalImage();
    window.closePair()->click();
    QVERIFY(!window.isVisible());

    // Asked again from a TV window loaded afresh: the same search window.
    tv = &m_app->windows().tv();
    tv->show();
    tv->findChild<KivCommand *>(QStringLiteral("KivCommand1"))->click();
    QTRY_VERIFY(tv.isNull());
    QCOMPARE(&m_app->windows().youtube(), &window);
    QVERIFY(window.isVisible());
    QCOMPARE(field->text(), QStringLiteral("chat"));
    window.hide();
}

void TestSearchAndUpdate::resultsTakeThePlayersPlace()
{
    const VideoSearch::Hosts hosts { m_http.url("/g"), m_http.url("/y"), m_http.url("/d") };
    QPointer<Youtube> window
        = new Youtube(m_app->store(), m_app->player(), m_app->browser(), m_app->windows().radio(), hosts);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.data()));
    window->findChild<KivOptionButton *>(QStringLiteral("ChoixYoutube"))->click();
    auto *field = window->findChild<KivTextBox *>(QStringLiteral("txtSearch"));
    QTest::keyClicks(field, QStringLiteral("chat noir"));
    QTest::keyClick(field, Qt::Key_Return);

    const QString address = m_http.url("/y/results?search_query=chat+noir");
    QTRY_VERIFY_WITH_TIMEOUT(
        m_http.lastRequest(QStringLiteral("/y/results")).startsWith("GET /y/results?search_query=chat+noir "), 20000);
    QVERIFY(m_app->browser().widget()->isVisible());
    QVERIFY(!m_app->player().isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(m_app->store().divers(), PlaybackController::browserMessage, 5000);
    QCOMPARE(m_app->store().lecture(), QStringLiteral("Recherche manuelle"));
    QCOMPARE(m_app->store().curl(), address);
    QCOMPARE(m_app->store().radioTv(), QStringLiteral("WEB"));
    QCOMPARE(m_app->windows().radio().size(), QSize(800, 600));
    QVERIFY(m_app->windows().radio().hasSizingFrame());
    QTRY_VERIFY(window.isNull());
}

int main(int argc, char *argv[])
{
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ondavox"));
    std::setlocale(LC_NUMERIC, "C");
    TestSearchAndUpdate test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_searchandupdate.moc"
