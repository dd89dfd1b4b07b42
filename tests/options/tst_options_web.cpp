#include "core/desktop/keepontoptimer.h"
#include "core/state/statestore.h"
#include "engineview.h"
#include "platform/browser/webview.h"
#include "processes.h"
#include "testhttpserver.h"
#include "ui/shell/options.h"
#include "webpagetext.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

// The connection test with the real browser engine against pages served on
// the loopback interface.
class TestOptionsWeb : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_http.listen());
        m_http.addData(QStringLiteral("/ovx_online/test_connexion.php"),
            QByteArrayLiteral("<html><body>OK</body></html>"),
            QByteArrayLiteral("text/html"));
        m_http.addStatus(QStringLiteral("/missing.php"), 404);
    }

    void lineFollowsTheTestPage_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("colour");

        QTest::newRow("page loads") << "/ovx_online/test_connexion.php"
                                    << "Ondavox est bien connecté à Internet" << QColor(0, 128, 0);
        QTest::newRow("page missing") << "/missing.php"
                                      << "Ondavox ne peut pas accéder à Internet" << QColor(255, 0, 0);
        QTest::newRow("nobody listening") << "closed"
                                          << "Ondavox ne peut pas accéder à Internet" << QColor(255, 0, 0);
    }

    void lineFollowsTheTestPage()
    {
        QFETCH(QString, page);
        QFETCH(QString, text);
        QFETCH(QColor, colour);

        QString address;
        // Bound and not listening, for as long as the test: the connection is refused.
        const TestProcesses::ReservedPort closed;
        if (page == QStringLiteral("closed")) {
            address = QStringLiteral("http://127.0.0.1:%1/ovx_online/test_connexion.php").arg(closed.port());
        } else {
            address = m_http.url(page);
        }

        StateStore store;
        KeepOnTopTimer timerPPlan;
        WebView testInternet;
        Options options(store, timerPPlan, testInternet, testInternet.widget(), address);
        options.show();
        QVERIFY(QTest::qWaitForWindowExposed(&options));
        auto *connected = options.findChild<QLabel *>(QStringLiteral("Connected"));
        QCOMPARE(connected->text(), QStringLiteral("Ondavox ne peut pas accéder à Internet."));

        options.startConnectionTest();
        QTRY_COMPARE_WITH_TIMEOUT(connected->text(), text, 30000);
        connected->ensurePolished();
        QCOMPARE(connected->palette().color(connected->foregroundRole()), colour);
    }

    // At start the window is hidden: the line follows a plain request, and the
    // box, once the window is shown, shows the page that request brought.
    void testStartedHiddenShowsItsPageLater()
    {
        const QString path = QStringLiteral("/ovx_online/test_connexion.php");
        const int before = m_http.requestCount(path);
        StateStore store;
        KeepOnTopTimer timerPPlan;
        WebView testInternet;
        Options options(store, timerPPlan, testInternet, testInternet.widget(), m_http.url(path));
        auto *connected = options.findChild<QLabel *>(QStringLiteral("Connected"));
        options.startConnectionTest();
        QTRY_COMPARE_WITH_TIMEOUT(connected->text(), QStringLiteral("Ondavox est bien connecté à Internet"), 10000);
        QVERIFY(!engineView(testInternet));

        options.show();
        QVERIFY(QTest::qWaitForWindowExposed(&options));
        QVERIFY(engineView(testInternet));
        QTRY_VERIFY_WITH_TIMEOUT(webPageText(testInternet) == QStringLiteral("OK"), 20000);
        QCOMPARE(m_http.requestCount(path), before + 1);
        connected->ensurePolished();
        QCOMPARE(connected->palette().color(connected->foregroundRole()), QColor(0, 128, 0));
    }

private:
    TestHttpServer m_http;
};

int main(int argc, char *argv[])
{
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    TestOptionsWeb test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_options_web.moc"
