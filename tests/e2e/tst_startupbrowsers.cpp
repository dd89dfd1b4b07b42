#include "app/application.h"
#include "core/playback/playercontrol.h"
#include "core/playback/playrequest.h"
#include "engineview.h"
#include "mappedlibraries.h"
#include "platform/browser/webview.h"
#include "screencolour.h"
#include "startedprogram.h"
#include "toolbarbutton.h"
#include "ui/shell/options.h"
#include "ui/shell/radio.h"
#include "ui/skin/imagebuttonpair.h"
#include "webpagetext.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>

// The whole program started with its start-up stream, the publisher's site
// served on loopback: radio alone runs no browser engine and maps none of its
// libraries, and a window shown later loads the engine and shows, drawn on
// screen, the page fetched at start.
class TestStartupBrowsers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void radioAloneRunsNoBrowserEngine();
    void optionsShowTheTestPageFetchedAtStart();
    void aWebLaunchStartsTheEngine();
    void theEngineStartedQuietly();

private:
    static int engineProcesses();

    StartedProgram m_program;
    Application *m_app = nullptr;
};

const QString homePage = StartedProgram::homePage;
const QString testPage = StartedProgram::testPage;
const QString connected = StartedProgram::connected;
// Each page has a colour of its own, to be seen on screen.
const QColor testPageColour(48, 160, 48);
const QColor launchedPageColour(192, 48, 48);

// What Qt and the engine warned about.
QStringList warnings;
QtMessageHandler defaultHandler = nullptr;

void keepWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg)
        warnings.append(message);
    defaultHandler(type, context, message);
}

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
    if (const QString why = StartedProgram::unavailable(); !why.isEmpty())
        QSKIP(qPrintable(why));
    const QString error = m_program.prepare("<html><body style=\"background: rgb(48, 160, 48)\">OK</body></html>");
    QVERIFY2(error.isEmpty(), qPrintable(error));
    m_program.site.addData(QStringLiteral("/page.html"),
        "<html><body style=\"background: rgb(192, 48, 48)\">Page</body></html>",
        "text/html");
    QVERIFY(m_program.start());
    m_app = m_program.app.get();
}

void TestStartupBrowsers::cleanupTestCase()
{
    m_program.app.reset();
}

void TestStartupBrowsers::radioAloneRunsNoBrowserEngine()
{
    QTRY_VERIFY_WITH_TIMEOUT(m_app->player().status().startsWith(QStringLiteral("Lecture")), 15000);
    QTRY_COMPARE_WITH_TIMEOUT(StartedProgram::connectedLine(m_app->windows().options()), connected, 10000);
    QTRY_COMPARE(m_program.site.requestCount(homePage), 1);
    QCOMPARE(m_program.site.requestCount(testPage), 1);
    // Time for an engine to show up, had anything started one.
    QTest::qWait(2000);
    QVERIFY(!engineView(m_app->browser()));
    QVERIFY(!engineView(m_app->testInternet()));
    QVERIFY(!isMapped(browserEngineLibrary));
    QCOMPARE(engineProcesses(), 0);
}

void TestStartupBrowsers::optionsShowTheTestPageFetchedAtStart()
{
    toolbarButton(m_app->windows().radio(), QStringLiteral("BoutonOptions"))->click();
    Options &options = m_app->windows().options();
    QVERIFY(QTest::qWaitForWindowExposed(&options));
    WebView &box = m_app->testInternet();
    QVERIFY(engineView(box));
    QVERIFY(isMapped(browserEngineLibrary));
    QTRY_COMPARE_WITH_TIMEOUT(webPageText(box), QStringLiteral("OK"), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(shareOnScreen(box.widget(), testPageColour) > 0.5, 10000);
    QCOMPARE(StartedProgram::connectedLine(options), connected);
    QCOMPARE(m_program.site.requestCount(testPage), 1);
    // The main window's page is still unseen.
    QVERIFY(!engineView(m_app->browser()));
    options.hide();
}

void TestStartupBrowsers::aWebLaunchStartsTheEngine()
{
    PlayRequest page;
    page.kind = PlayRequest::Kind::WebPage;
    page.address = m_program.site.url(QStringLiteral("/page.html"));
    page.name = QStringLiteral("Page");
    page.mode = QStringLiteral("WEB");
    requestPlay(page, m_app->store(), m_app->player(), m_app->browser());
    QVERIFY(engineView(m_app->browser()));
    QTRY_COMPARE_WITH_TIMEOUT(webPageText(m_app->browser()), QStringLiteral("Page"), 20000);
    // Drawn, in the main window where the video surface is too.
    QTRY_VERIFY_WITH_TIMEOUT(shareOnScreen(m_app->browser().widget(), launchedPageColour) > 0.5, 10000);
    QCOMPARE(m_program.site.requestCount(QStringLiteral("/page.html")), 1);
    QCOMPARE(m_program.site.requestCount(homePage), 1);
}

// Loaded long after the application was made, the engine finds what it needs
// to draw (OpenGL for Qt Quick, a share context) and has nothing to say.
void TestStartupBrowsers::theEngineStartedQuietly()
{
    QVERIFY(engineView(m_app->browser()));
    for (const QString &warning : std::as_const(warnings))
        QVERIFY2(!warning.contains(QLatin1String("WebEngine")), qPrintable(warning));
}

int main(int argc, char *argv[])
{
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    defaultHandler = qInstallMessageHandler(keepWarnings);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ondavox"));
    std::setlocale(LC_NUMERIC, "C");
    TestStartupBrowsers test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startupbrowsers.moc"
