#include "app/application.h"
#include "browserevents.h"
#include "core/playback/playbackcontroller.h"
#include "core/playback/playercontrol.h"
#include "core/playback/playrequest.h"
#include "core/update/downloadtexts.h"
#include "engineview.h"
#include "mappedlibraries.h"
#include "platform/browser/browserenginemodule.h"
#include "platform/browser/unavailablepage.h"
#include "platform/browser/webview.h"
#include "platform/modules/modules.h"
#include "startedprogram.h"
#include "testhttpserver.h"
#include "toolbarbutton.h"
#include "ui/shell/options.h"
#include "ui/shell/radio.h"
#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/kivcommand.h"
#include "ui/update/miseajour.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>

// A machine without the browser engine's module, or with a broken one: this
// suite lies in a folder of its own, whose module folder holds every module
// of the build but the engine's, beside the build's data. The program starts, plays radio, runs its
// connection test and its hidden fetches, and says where a page would be
// shown what is missing.
class TestEngineMissing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void radioPlaysAndHiddenPagesAreFetched();
    void theOptionsBoxSaysItShortly();
    void aWebLaunchSaysWhatIsMissing();
    void aShownViewStillTellsItsLoads_data();
    void aShownViewStillTellsItsLoads();
    void aFileToSaveFailsSayingWhy();
    void aBrokenModuleIsNamed();

private:
    QString engineFile() const
    {
        return Modules::path(Modules::folder(), QString::fromLatin1(BrowserEngineModule::name));
    }

    StartedProgram m_program;
    Application *m_app = nullptr;
    TestHttpServer m_http;
};

const QString homePage = StartedProgram::homePage;
const QString testPage = StartedProgram::testPage;
const QString connected = StartedProgram::connected;

void TestEngineMissing::initTestCase()
{
    const QString built = Modules::folderBeside(QFileInfo(qEnvironmentVariable("ONDAVOX_BIN")).path());
    QVERIFY2(Modules::folder() != built, "this suite must not lie beside the program");
    QDir(Modules::folder()).removeRecursively();
    QVERIFY(QDir().mkpath(Modules::folder()));
    for (const QFileInfo &module : QDir(built).entryInfoList({ QStringLiteral("*.so") }, QDir::Files)) {
        if (module.fileName() != QFileInfo(engineFile()).fileName())
            QVERIFY(QFile::copy(module.filePath(), QDir(Modules::folder()).filePath(module.fileName())));
    }
    // Without its catalogues the program would not read its preferences.
    const QString data = QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/ondavox"));
    QFile::remove(data);
    QVERIFY(QDir().mkpath(QFileInfo(data).path()));
    QVERIFY(QFile::link(qEnvironmentVariable("ONDAVOX_BUILD_DATA"), data));

    if (const QString why = StartedProgram::unavailable(); !why.isEmpty())
        QSKIP(qPrintable(why));
    const QString error = m_program.prepare("<html><body>OK</body></html>");
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(m_http.listen());
    m_http.addData(QStringLiteral("/page.html"), "<html><body>Page</body></html>", "text/html");
    m_http.addStatus(QStringLiteral("/missing.html"), 404);
    m_http.addAttachment(QStringLiteral("/telechargement/Ondavox-setup.exe"),
        QByteArray(4096, 'M'),
        QStringLiteral("Ondavox-setup.exe"));
    QVERIFY(m_program.start());
    m_app = m_program.app.get();
}

void TestEngineMissing::cleanupTestCase()
{
    m_program.app.reset();
}

void TestEngineMissing::radioPlaysAndHiddenPagesAreFetched()
{
    QTRY_VERIFY2_WITH_TIMEOUT(
        m_app->player().status().startsWith(QStringLiteral("Lecture")), qPrintable(m_app->player().status()), 15000);
    QTRY_COMPARE_WITH_TIMEOUT(StartedProgram::connectedLine(m_app->windows().options()), connected, 10000);
    QTRY_COMPARE(m_program.site.requestCount(homePage), 1);
    QCOMPARE(m_program.site.requestCount(testPage), 1);
}

void TestEngineMissing::theOptionsBoxSaysItShortly()
{
    toolbarButton(m_app->windows().radio(), QStringLiteral("BoutonOptions"))->click();
    Options &options = m_app->windows().options();
    QVERIFY(QTest::qWaitForWindowExposed(&options));
    WebView &box = m_app->testInternet();
    QVERIFY(!engineView(box));
    auto *said = box.widget()->findChild<UnavailablePage *>();
    QVERIFY(said);
    QVERIFY(said->isVisible());
    // Too small a box for the reason: the short text, the reason in the tooltip.
    QCOMPARE(said->text(), UnavailablePage::shortText());
    QCOMPARE(said->toolTip(), UnavailablePage::fullText(QStringLiteral("module absent : ") + engineFile()));
    QCOMPARE(StartedProgram::connectedLine(options), connected);
    // Its refresh button still tests the connection.
    options.startConnectionTest();
    QTRY_COMPARE(m_program.site.requestCount(testPage), 2);
    QTRY_COMPARE(StartedProgram::connectedLine(options), connected);
    options.hide();
}

void TestEngineMissing::aWebLaunchSaysWhatIsMissing()
{
    PlayRequest page;
    page.kind = PlayRequest::Kind::WebPage;
    page.address = m_http.url(QStringLiteral("/page.html"));
    page.name = QStringLiteral("Page");
    page.mode = QStringLiteral("WEB");
    WebView &browser = m_app->browser();
    BrowserEvents seen(&browser);
    requestPlay(page, m_app->store(), m_app->player(), browser);
    QTRY_VERIFY_WITH_TIMEOUT(seen.ended(), 10000);
    QCOMPARE(seen.log.constLast(), "complete " + page.address);
    QVERIFY(!engineView(browser));
    auto *said = browser.widget()->findChild<UnavailablePage *>();
    QVERIFY(said);
    QVERIFY(said->isVisible());
    QCOMPARE(said->text(), UnavailablePage::fullText(QStringLiteral("module absent : ") + engineFile()));
    QTRY_COMPARE_WITH_TIMEOUT(m_app->store().divers(), PlaybackController::browserMessage, 5000);
    QVERIFY(!isMapped(browserEngineLibrary));
}

void TestEngineMissing::aShownViewStillTellsItsLoads_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("outcome");

    const QString page = m_http.url(QStringLiteral("/page.html"));
    const QString missing = m_http.url(QStringLiteral("/missing.html"));
    QTest::newRow("page") << page << "complete " + page;
    QTest::newRow("http error") << missing << "error " + missing + " 404";
    // What only an engine can load fails.
    QTest::newRow("beyond http") << "about:blank"
                                 << "error about:blank -302";
}

void TestEngineMissing::aShownViewStillTellsItsLoads()
{
    QFETCH(QString, address);
    QFETCH(QString, outcome);

    WebView browser;
    browser.widget()->resize(400, 300);
    browser.widget()->show();
    QVERIFY(browser.widget()->findChild<UnavailablePage *>());
    BrowserEvents seen(&browser);
    browser.navigate(address);
    QTRY_VERIFY_WITH_TIMEOUT(seen.ended(), 10000);
    QCOMPARE(seen.log, (QStringList { "progress 0", "progress 100", outcome }));
}

void TestEngineMissing::aFileToSaveFailsSayingWhy()
{
    QTemporaryDir downloads;
    StateStore store;
    Preferences preferences;
    preferences.urlMaj = m_http.url(QStringLiteral("/telechargement/Ondavox-setup.exe"));
    store.setPreferences(preferences);
    WebView wb;
    WebView wbDownload;
    wbDownload.createEngine();
    MiseAJour window(store, wb, wb.widget(), wbDownload, downloads.path(), m_http.url(QString()));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.findChild<KivCommand *>(QStringLiteral("KivCommand2"))->click();
    QTRY_COMPARE_WITH_TIMEOUT(window.downloader().stage(), UpdateDownloader::Stage::Failed, 10000);
    QCOMPARE(window.downloader().text(),
        DownloadTexts::failedText(QStringLiteral("Ondavox-setup.exe"), DownloadTexts::Reason::NoBrowser));
    QCOMPARE(QDir(downloads.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestEngineMissing::aBrokenModuleIsNamed()
{
    QFile broken(engineFile());
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray(4096, '\0'));
    broken.close();
    WebView browser;
    browser.widget()->resize(600, 300);
    browser.widget()->show();
    QVERIFY(!engineView(browser));
    // The reason, as the loader words it, in the place of the page.
    const QString said = browser.widget()->findChild<UnavailablePage *>()->toolTip();
    const QString reason = QStringLiteral("module illisible : ") + engineFile() + " (";
    QVERIFY2(said.startsWith(UnavailablePage::fullText(reason).chopped(1)), qPrintable(said));
    QFile::remove(engineFile());
}

int main(int argc, char *argv[])
{
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ondavox"));
    std::setlocale(LC_NUMERIC, "C");
    TestEngineMissing test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_enginemissing.moc"
