#include "app/application.h"
#include "app/options.h"
#include "app/radio.h"
#include "icecastserver.h"
#include "player/playercontrol.h"
#include "player/playrequest.h"
#include "player/webview.h"
#include "testhttpserver.h"
#include "ui/imagebuttonpair.h"
#include "webpagetext.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>
#include <clocale>

// The whole program started with its start-up stream, the publisher's site
// served on loopback: radio alone runs no browser engine, and a window shown
// later shows the page fetched at start.
class TestStartupBrowsers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void radioAloneRunsNoBrowserEngine();
    void optionsShowTheTestPageFetchedAtStart();
    void aWebLaunchStartsTheEngine();

private:
    static int engineProcesses();

    QTemporaryDir m_home;
    IcecastServer m_icecast;
    TestHttpServer m_site;
    std::unique_ptr<Application> m_app;
};

const QString homePage = QStringLiteral("/index-ovx.php");
const QString testPage = QStringLiteral("/ovx_online/test_connexion.php");

// The engine's helper processes among this process's children.
int TestStartupBrowsers::engineProcesses()
{
    int found = 0;
    const QByteArray self = QByteArray::number(QCoreApplication::applicationPid());
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields.at(1) == self && text.contains("(QtWebEngineProc"))
            ++found;
    }
    return found;
}

void TestStartupBrowsers::initTestCase()
{
    const QString missing = IcecastServer::missingTools();
    if (!missing.isEmpty())
        QSKIP(qPrintable(missing));
    const QUrl site(QStringLiteral(ONDAVOX_SITE_URL));
    if (site.host() != QLatin1String("127.0.0.1"))
        QSKIP("the publisher's site is not on loopback in this build");
    QVERIFY2(m_site.listen(quint16(site.port(80))), "the site's port is taken");
    m_site.addData(homePage, "<html><body>Accueil</body></html>", "text/html");
    m_site.addData(testPage, "<html><body>OK</body></html>", "text/html");
    m_site.addData(QStringLiteral("/page.html"), "<html><body>Page</body></html>", "text/html");
    QString error;
    QVERIFY2(m_icecast.start(&error), qPrintable(error));

    const QString userFolder = m_home.filePath(QStringLiteral("data/ondavox"));
    QVERIFY(QDir().mkpath(userFolder));
    QFile preferences(userFolder + QStringLiteral("/ovxpref.log"));
    QVERIFY(preferences.open(QIODevice::WriteOnly));
    preferences.write("0*1*" + m_icecast.streamUrl().toUtf8() + "*0*AideOVX.txt*1*1*0*0*\r\n");
    preferences.close();
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());

    m_app = std::make_unique<Application>();
    m_app->start();
    QVERIFY(QTest::qWaitForWindowExposed(&m_app->radio()));
}

void TestStartupBrowsers::cleanupTestCase()
{
    m_app.reset();
}

void TestStartupBrowsers::radioAloneRunsNoBrowserEngine()
{
    QTRY_VERIFY_WITH_TIMEOUT(m_app->player().status().startsWith(QStringLiteral("Lecture")), 15000);
    QTRY_COMPARE_WITH_TIMEOUT(m_app->options().connectionTest().result(), ConnectionTest::Result::Connected, 10000);
    QTRY_COMPARE(m_site.requestCount(homePage), 1);
    QCOMPARE(m_site.requestCount(testPage), 1);
    // Time for an engine to show up, had anything started one.
    QTest::qWait(2000);
    QVERIFY(!m_app->browser().hasEngine());
    QVERIFY(!m_app->options().findChild<QWebEngineView *>());
    QCOMPARE(engineProcesses(), 0);
}

void TestStartupBrowsers::optionsShowTheTestPageFetchedAtStart()
{
    m_app->radio().button(QStringLiteral("BoutonOptions"))->click();
    Options &options = m_app->options();
    QVERIFY(QTest::qWaitForWindowExposed(&options));
    auto *box = options.findChild<QWebEngineView *>();
    QVERIFY(box);
    QTRY_COMPARE_WITH_TIMEOUT(webPageText(box), QStringLiteral("OK"), 20000);
    QCOMPARE(options.findChild<QLabel *>(QStringLiteral("Connected"))->text(),
        QStringLiteral("Ondavox est bien connecté à Internet"));
    QCOMPARE(m_site.requestCount(testPage), 1);
    // The main window's page is still unseen.
    QVERIFY(!m_app->browser().hasEngine());
    options.hide();
}

void TestStartupBrowsers::aWebLaunchStartsTheEngine()
{
    PlayRequest page;
    page.kind = PlayRequest::Kind::WebPage;
    page.address = m_site.url(QStringLiteral("/page.html"));
    page.name = QStringLiteral("Page");
    page.mode = QStringLiteral("WEB");
    requestPlay(page, m_app->store(), m_app->player(), m_app->browser());
    QVERIFY(m_app->browser().hasEngine());
    QTRY_COMPARE_WITH_TIMEOUT(webPageText(m_app->browser().view()), QStringLiteral("Page"), 20000);
    QCOMPARE(m_site.requestCount(QStringLiteral("/page.html")), 1);
    QCOMPARE(m_site.requestCount(homePage), 1);
}

int main(int argc, char *argv[])
{
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ondavox"));
    std::setlocale(LC_NUMERIC, "C");
    TestStartupBrowsers test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startupbrowsers.moc"
