#include "player/webview.h"
#include "processes.h"
#include "testhttpserver.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

// The browser component over QtWebEngine, on pages of a loopback server.
class TestWebView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void engineWaitsForFirstUse();
    void reportsHowALoadEnds_data();
    void reportsHowALoadEnds();

private:
    TestHttpServer m_server;
    // Bound and not listening: a connection to it is refused.
    TestProcesses::ReservedPort m_closedPort;
};

void TestWebView::initTestCase()
{
    QVERIFY(m_server.listen());
    m_server.addData(QStringLiteral("/index.html"), "<html><body><h1>Ondavox</h1></body></html>", "text/html");
    m_server.addStatus(QStringLiteral("/missing.html"), 404);
}

void TestWebView::engineWaitsForFirstUse()
{
    WebView browser;
    QWidget *area = browser.widget();
    QVERIFY(area);
    QVERIFY(!browser.hasEngine());
    browser.setTag(QStringLiteral("Debut"));
    QCOMPARE(browser.tag(), QStringLiteral("Debut"));
    browser.setVisible(false);
    QVERIFY(!browser.isVisible());
    browser.navigate(m_server.url(QStringLiteral("/index.html")));
    QVERIFY(browser.hasEngine());
    QCOMPARE(browser.view()->parentWidget(), area);
}

void TestWebView::reportsHowALoadEnds_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("completes");
    QTest::addColumn<int>("status");

    QTest::newRow("page") << m_server.url(QStringLiteral("/index.html")) << true << 0;
    QTest::newRow("http error") << m_server.url(QStringLiteral("/missing.html")) << false << 404;
    QTest::newRow("closed port") << QStringLiteral("http://127.0.0.1:%1/").arg(m_closedPort.port()) << false << -102;
}

void TestWebView::reportsHowALoadEnds()
{
    QFETCH(QString, address);
    QFETCH(bool, completes);
    QFETCH(int, status);

    WebView browser;
    browser.widget()->resize(400, 300);
    browser.widget()->show();
    QSignalSpy progress(&browser, &BrowserControl::progressChange);
    QSignalSpy complete(&browser, &BrowserControl::navigateComplete);
    QSignalSpy failed(&browser, &BrowserControl::navigateError);
    browser.navigate(address);
    QTRY_VERIFY_WITH_TIMEOUT(!complete.isEmpty() || !failed.isEmpty(), 20000);
    QCOMPARE(complete.count(), completes ? 1 : 0);
    QCOMPARE(failed.count(), completes ? 0 : 1);
    if (completes) {
        QCOMPARE(complete.first().at(0).toString(), address);
        QTRY_VERIFY(!progress.isEmpty());
        QCOMPARE(progress.last().at(1).toInt(), 100);
        QCOMPARE(browser.currentUrl(), address);
    } else {
        QCOMPARE(failed.first().at(0).toString(), address);
        QCOMPARE(failed.first().at(1).toInt(), status);
    }
}

int main(int argc, char *argv[])
{
    // The engine refuses to start as root with its sandbox on.
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestWebView test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_webview.moc"
