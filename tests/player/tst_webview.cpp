#include "browserevents.h"
#include "core/browser/browserdownload.h"
#include "engineview.h"
#include "mappedlibraries.h"
#include "platform/browser/webview.h"
#include "processes.h"
#include "testhttpserver.h"
#include "webpagetext.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

// The browser component, on pages of a loopback server that counts what it is
// asked: without its engine while it has never been shown, with it after.
class TestWebView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void engineWaitsUntilShown();
    void hiddenAndShownViewsSayTheSame_data();
    void hiddenAndShownViewsSayTheSame();
    void hiddenViewAsksAsTheEngineDoes();
    void stopWhileHidden();
    void refreshWhileHiddenAsksAgain();
    void handedOverPageLoadsItsPartsWithItsCookie();
    void refreshAfterHandOverAsksTheServer();
    void failureShownLaterIsNotToldTwice();
    void engineCreatedDuringAFetchWaitsForIt();
    void addressesBeyondHttpNeedTheEngine();
    void aFileToSaveGoesToTheEngine();

private:
    static void show(WebView &browser);

    TestHttpServer m_server;
    // Bound and not listening: a connection to it is refused.
    TestProcesses::ReservedPort m_closedPort;
};

void TestWebView::initTestCase()
{
    // The suite does not link the engine: its library comes with the first view shown.
    QVERIFY(!isMapped(browserEngineLibrary));
    QVERIFY(m_server.listen());
    m_server.addData(QStringLiteral("/index.html"), "<html><body><h1>Ondavox</h1></body></html>", "text/html");
    m_server.addData(QStringLiteral("/hidden.html"), "<html><body><h1>Fetched</h1></body></html>", "text/html");
    m_server.addData(QStringLiteral("/shown.html"), "<html><body><h1>Loaded</h1></body></html>", "text/html");
    m_server.addStatus(QStringLiteral("/missing.html"), 404);
    m_server.addRedirect(QStringLiteral("/old.html"), m_server.url(QStringLiteral("/index.html")));
    m_server.addRedirect(QStringLiteral("/loop.html"), m_server.url(QStringLiteral("/loop.html")));
    m_server.addLateData(QStringLiteral("/late.html"), "<html><body>Late</body></html>", "text/html", 1500);
    m_server.addData(QStringLiteral("/cookie.html"),
        "<html><body>Cookie<img src=\"pixel.png\"></body></html>",
        "text/html",
        "Set-Cookie: sid=42; Path=/\r\n");
    m_server.addData(QStringLiteral("/pixel.png"), QByteArray::fromBase64("iVBORw0KGgo="), "image/png");
    m_server.addData(QStringLiteral("/again.html"), "<html><body>Again</body></html>", "text/html");
    m_server.addData(QStringLiteral("/waited.html"), "<html><body>Waited</body></html>", "text/html");
    m_server.addAttachment(QStringLiteral("/setup.exe"), QByteArray(4096, 'M'), QStringLiteral("Ondavox-setup.exe"));
}

void TestWebView::show(WebView &browser)
{
    browser.widget()->resize(400, 300);
    browser.widget()->show();
}

void TestWebView::engineWaitsUntilShown()
{
    // In a window, as the program places it; the window is not shown yet.
    QWidget window;
    WebView browser;
    QWidget *area = browser.widget();
    area->setParent(&window);
    BrowserEvents seen(&browser);
    browser.setTag(QStringLiteral("Debut"));
    QCOMPARE(browser.tag(), QStringLiteral("Debut"));
    const QString address = m_server.url(QStringLiteral("/hidden.html"));
    browser.navigate(address);
    QTRY_VERIFY_WITH_TIMEOUT(seen.ended(), 10000);
    QCOMPARE(seen.log, (QStringList { "progress 0", "progress 100", "complete " + address }));
    QVERIFY(!engineView(browser));

    // Hidden again and again: still nothing to see, still no engine.
    browser.setVisible(false);
    browser.setVisible(true);
    QVERIFY(!engineView(browser));
    QVERIFY(!isMapped(browserEngineLibrary));

    window.resize(400, 300);
    window.show();
    QVERIFY(engineView(browser));
    QVERIFY(isMapped(browserEngineLibrary));
    QCOMPARE(engineView(browser)->parentWidget(), area);
    QTRY_COMPARE_WITH_TIMEOUT(webPageText(browser), QStringLiteral("Fetched"), 20000);
    // The page was not asked for again, and its outcome not told again.
    QTest::qWait(500);
    QCOMPARE(m_server.requestCount(QStringLiteral("/hidden.html")), 1);
    QCOMPARE(seen.log.size(), 3);
}

void TestWebView::hiddenAndShownViewsSayTheSame_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("outcome");

    const QString page = m_server.url(QStringLiteral("/index.html"));
    const QString missing = m_server.url(QStringLiteral("/missing.html"));
    const QString closed = QStringLiteral("http://127.0.0.1:%1/").arg(m_closedPort.port());
    const QString loop = m_server.url(QStringLiteral("/loop.html"));
    QTest::newRow("page") << page << "complete " + page;
    QTest::newRow("http error") << missing << "error " + missing + " 404";
    QTest::newRow("closed port") << closed << "error " + closed + " -102";
    QTest::newRow("redirect") << m_server.url(QStringLiteral("/old.html")) << "complete " + page;
    QTest::newRow("redirect loop") << loop << "error " + loop + " -310";
}

void TestWebView::hiddenAndShownViewsSayTheSame()
{
    QFETCH(QString, address);
    QFETCH(QString, outcome);
    const QStringList expected { "progress 0", "progress 100", outcome };

    WebView hidden;
    BrowserEvents hiddenSaw(&hidden);
    hidden.navigate(address);
    QTRY_VERIFY_WITH_TIMEOUT(hiddenSaw.ended(), 10000);
    QVERIFY(!engineView(hidden));

    WebView shown;
    show(shown);
    BrowserEvents shownSaw(&shown);
    shown.navigate(address);
    QTRY_VERIFY_WITH_TIMEOUT(shownSaw.ended(), 20000);

    QCOMPARE(hiddenSaw.log, expected);
    QCOMPARE(shownSaw.log, expected);
    QVERIFY(hiddenSaw.rising);
}

void TestWebView::hiddenViewAsksAsTheEngineDoes()
{
    WebView shown;
    show(shown);
    QSignalSpy shownDone(&shown, &BrowserControl::navigateComplete);
    shown.navigate(m_server.url(QStringLiteral("/shown.html")));
    QVERIFY(shownDone.wait(20000));
    WebView hidden;
    QSignalSpy hiddenDone(&hidden, &BrowserControl::navigateComplete);
    hidden.navigate(m_server.url(QStringLiteral("/hidden.html")));
    QVERIFY(hiddenDone.wait(10000));

    for (const QByteArray &field : { QByteArray("User-Agent"),
             QByteArray("Accept"),
             QByteArray("Upgrade-Insecure-Requests"),
             QByteArray("Sec-Fetch-Site"),
             QByteArray("Sec-Fetch-Mode"),
             QByteArray("Sec-Fetch-User"),
             QByteArray("Sec-Fetch-Dest"),
             QByteArray("Cache-Control") }) {
        const QByteArray engine = m_server.lastRequestHeader(QStringLiteral("/shown.html"), field);
        const QByteArray fetch = m_server.lastRequestHeader(QStringLiteral("/hidden.html"), field);
        QVERIFY2(engine == fetch, field + ": engine \"" + engine + "\", fetch \"" + fetch + "\"");
    }
}

void TestWebView::stopWhileHidden()
{
    WebView browser;
    BrowserEvents seen(&browser);
    browser.navigate(m_server.url(QStringLiteral("/late.html")));
    QTRY_COMPARE(m_server.requestCount(QStringLiteral("/late.html")), 1);
    browser.stop();
    // As the engine does on a stop: the progress ends, no outcome.
    QCOMPARE(seen.log, (QStringList { "progress 0", "progress 100" }));
    QTest::qWait(2000);
    QCOMPARE(seen.log.size(), 2);

    // Shown later, the view has nothing to show and asks for nothing.
    show(browser);
    QVERIFY(engineView(browser));
    QTest::qWait(1000);
    QCOMPARE(m_server.requestCount(QStringLiteral("/late.html")), 1);
    QCOMPARE(seen.log.size(), 2);
}

void TestWebView::refreshWhileHiddenAsksAgain()
{
    WebView browser;
    BrowserEvents seen(&browser);
    const QString address = m_server.url(QStringLiteral("/again.html"));
    browser.refresh();
    QVERIFY(seen.log.isEmpty());
    browser.navigate(address);
    QTRY_VERIFY_WITH_TIMEOUT(seen.ended(), 10000);
    browser.refresh();
    QTRY_COMPARE_WITH_TIMEOUT(seen.log.size(), 6, 10000);
    QCOMPARE(seen.log.mid(3), (QStringList { "progress 0", "progress 100", "complete " + address }));
    QCOMPARE(m_server.requestCount(QStringLiteral("/again.html")), 2);
    QCOMPARE(m_server.lastRequestHeader(QStringLiteral("/again.html"), "Cache-Control"), QByteArray("max-age=0"));
    QVERIFY(!engineView(browser));
}

void TestWebView::handedOverPageLoadsItsPartsWithItsCookie()
{
    WebView browser;
    QSignalSpy complete(&browser, &BrowserControl::navigateComplete);
    browser.navigate(m_server.url(QStringLiteral("/cookie.html")));
    QVERIFY(complete.wait(10000));
    QCOMPARE(m_server.requestCount(QStringLiteral("/pixel.png")), 0);

    show(browser);
    // Its picture, named relative to the page's own address, comes with the
    // cookie the page set, as if the engine had loaded the page itself.
    QTRY_COMPARE_WITH_TIMEOUT(m_server.requestCount(QStringLiteral("/pixel.png")), 1, 20000);
    QCOMPARE(m_server.lastRequestHeader(QStringLiteral("/pixel.png"), "Cookie"), QByteArray("sid=42"));
    QCOMPARE(m_server.requestCount(QStringLiteral("/cookie.html")), 1);
    QCOMPARE(complete.count(), 1);
}

void TestWebView::refreshAfterHandOverAsksTheServer()
{
    WebView browser;
    QSignalSpy complete(&browser, &BrowserControl::navigateComplete);
    const QString address = m_server.url(QStringLiteral("/index.html"));
    const int before = m_server.requestCount(QStringLiteral("/index.html"));
    browser.navigate(address);
    QVERIFY(complete.wait(10000));
    show(browser);
    QTRY_COMPARE_WITH_TIMEOUT(webPageText(browser), QStringLiteral("Ondavox"), 20000);

    // Not the handed-over copy again: the server's page, told like any load.
    browser.refresh();
    QTRY_COMPARE_WITH_TIMEOUT(complete.count(), 2, 20000);
    QCOMPARE(complete.last().first().toString(), address);
    QCOMPARE(m_server.requestCount(QStringLiteral("/index.html")), before + 2);
}

void TestWebView::failureShownLaterIsNotToldTwice()
{
    WebView browser;
    QSignalSpy failed(&browser, &BrowserControl::navigateError);
    const QString address = QStringLiteral("http://127.0.0.1:%1/").arg(m_closedPort.port());
    browser.navigate(address);
    QVERIFY(failed.wait(10000));
    QCOMPARE(failed.first().at(1).toInt(), -102);

    // The engine shows its own page for the failure, without saying it again.
    show(browser);
    QTRY_VERIFY_WITH_TIMEOUT(!webPageText(browser).isEmpty(), 20000);
    QTest::qWait(2000);
    QCOMPARE(failed.count(), 1);
}

void TestWebView::engineCreatedDuringAFetchWaitsForIt()
{
    WebView browser;
    BrowserEvents seen(&browser);
    const QString address = m_server.url(QStringLiteral("/late.html"));
    const int before = m_server.requestCount(QStringLiteral("/late.html"));
    browser.navigate(address);
    QTRY_COMPARE(m_server.requestCount(QStringLiteral("/late.html")), before + 1);
    // As the update window does before its downloads.
    browser.createEngine();
    QVERIFY(engineView(browser));
    QTRY_VERIFY_WITH_TIMEOUT(seen.ended(), 10000);
    QCOMPARE(seen.log, (QStringList { "progress 0", "progress 100", "complete " + address }));
    QTRY_COMPARE_WITH_TIMEOUT(webPageText(browser), QStringLiteral("Late"), 20000);
    QCOMPARE(m_server.requestCount(QStringLiteral("/late.html")), before + 1);

    // From now on the engine loads every page itself.
    browser.navigate(m_server.url(QStringLiteral("/waited.html")));
    QTRY_COMPARE_WITH_TIMEOUT(webPageText(browser), QStringLiteral("Waited"), 20000);
    QCOMPARE(seen.log.size(), 6);
}

void TestWebView::addressesBeyondHttpNeedTheEngine()
{
    WebView browser;
    QSignalSpy complete(&browser, &BrowserControl::navigateComplete);
    browser.navigate(QStringLiteral("about:blank"));
    QVERIFY(engineView(browser));
    QVERIFY(complete.wait(20000));
}

void TestWebView::aFileToSaveGoesToTheEngine()
{
    // A view that is never shown, like the update window's download view.
    QWidget window;
    WebView browser;
    browser.widget()->setParent(&window);
    // Not taken, the download is cancelled and gone once its handlers return.
    QStringList offered;
    connect(&browser, &BrowserControl::downloadStarted, this, [&offered](BrowserDownload *download) {
        offered.append(download->suggestedFileName());
    });
    QSignalSpy complete(&browser, &BrowserControl::navigateComplete);
    browser.navigate(m_server.url(QStringLiteral("/setup.exe")));
    QTRY_COMPARE_WITH_TIMEOUT(offered, QStringList { QStringLiteral("Ondavox-setup.exe") }, 20000);
    QVERIFY(engineView(browser));
    QVERIFY(complete.isEmpty());
}

int main(int argc, char *argv[])
{
    // The engine refuses to start as root with its sandbox on.
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    TestWebView test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_webview.moc"
