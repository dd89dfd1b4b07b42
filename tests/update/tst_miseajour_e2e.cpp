#include "core/state/statestore.h"
#include "core/update/downloadtexts.h"
#include "platform/browser/webview.h"
#include "testhttpserver.h"
#include "ui/skin/kivcommand.h"
#include "ui/update/miseajour.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The update window with the real browser engine, its page and its download
// served on the loopback interface, into a download folder of the test's own.
class TestMiseAJourE2e : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void fileArrivesWholeUnderTheServersName();
    void droppedConnectionLeavesNoFile();
    void pageInsteadOfAFileSaysSo();

private:
    void open(const QString &path);
    void press();
    // What the window says of the download.
    QString state() const { return m_window->findChild<QLabel *>(QStringLiteral("Etat"))->text(); }
    QStringList files() const { return QDir(m_downloads).entryList(QDir::Files | QDir::Hidden); }
    QByteArray read(const QString &name) const
    {
        QFile file(QDir(m_downloads).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString m_downloads;
    TestHttpServer m_http;
    QByteArray m_installer;
    std::unique_ptr<StateStore> m_store;
    std::unique_ptr<WebView> m_wb;
    std::unique_ptr<WebView> m_wbDownload;
    std::unique_ptr<MiseAJour> m_window;
};

void TestMiseAJourE2e::initTestCase()
{
    // Where the desktop keeps downloads, as a person's session says it. HOME
    // and XDG_CONFIG_HOME are the test's own (main()).
    const QDir home = QDir::home();
    m_downloads = home.filePath(QStringLiteral("Arrivées"));
    QVERIFY(QDir().mkpath(home.filePath(QStringLiteral("config"))));
    QFile dirs(home.filePath(QStringLiteral("config/user-dirs.dirs")));
    QVERIFY(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DOWNLOAD_DIR=\"$HOME/Arrivées\"\n");
    dirs.close();
    QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::DownloadLocation), m_downloads);

    m_installer.resize(300 * 1024 + 17);
    QRandomGenerator generator(64);
    for (char &byte : m_installer)
        byte = char(generator.bounded(256));

    QVERIFY(m_http.listen());
    m_http.addData(QStringLiteral("/ovx_online/Vdispo.htm"),
        "<html><body><h1>Version 0.65.1</h1></body></html>",
        "text/html; charset=utf-8");
    m_http.addAttachment(
        QStringLiteral("/telechargement/Ondavox-setup.exe"), m_installer, QStringLiteral("Ondavox-0.65.1-setup.exe"));
    m_http.addDyingStream(QStringLiteral("/telechargement/coupe.exe"),
        m_installer.left(100 * 1024),
        "application/octet-stream",
        200,
        m_installer.size());
    m_http.addData(QStringLiteral("/telechargement/page.htm"),
        "<html><body>Le fichier a déménagé.</body></html>",
        "text/html; charset=utf-8");
}

void TestMiseAJourE2e::init()
{
    QDir(m_downloads).removeRecursively();
}

void TestMiseAJourE2e::cleanup()
{
    m_window.reset();
    m_wb.reset();
    m_wbDownload.reset();
}

void TestMiseAJourE2e::open(const QString &path)
{
    m_store = std::make_unique<StateStore>();
    Preferences preferences;
    preferences.urlMaj = m_http.url(path);
    m_store->setPreferences(preferences);
    m_wb = std::make_unique<WebView>();
    QSignalSpy shown(m_wb.get(), &BrowserControl::navigateComplete);
    m_wbDownload = std::make_unique<WebView>();
    m_wbDownload->createEngine();
    m_window = std::make_unique<MiseAJour>(*m_store,
        *m_wb,
        m_wb->widget(),
        *m_wbDownload,
        QStandardPaths::writableLocation(QStandardPaths::DownloadLocation),
        m_http.url(QString()));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    const QString page = m_http.url(QStringLiteral("/ovx_online/Vdispo.htm"));
    QTRY_COMPARE_WITH_TIMEOUT(shown.isEmpty() ? QString() : shown.constLast().constFirst().toString(), page, 20000);
}

void TestMiseAJourE2e::press()
{
    m_window->findChild<KivCommand *>(QStringLiteral("KivCommand2"))->click();
}

void TestMiseAJourE2e::fileArrivesWholeUnderTheServersName()
{
    open(QStringLiteral("/telechargement/Ondavox-setup.exe"));
    press();
    const QDir downloads(m_downloads);
    QTRY_COMPARE_WITH_TIMEOUT(
        state(), DownloadTexts::savedText(downloads.filePath(QStringLiteral("Ondavox-0.65.1-setup.exe"))), 30000);
    QCOMPARE(read(QStringLiteral("Ondavox-0.65.1-setup.exe")), m_installer);

    // A second press, a second request, a second file beside the first.
    press();
    QCOMPARE(state(), DownloadTexts::requestingText(m_http.url(QStringLiteral("/telechargement/Ondavox-setup.exe"))));
    QTRY_COMPARE_WITH_TIMEOUT(
        state(), DownloadTexts::savedText(downloads.filePath(QStringLiteral("Ondavox-0.65.1-setup (1).exe"))), 30000);
    QCOMPARE(read(QStringLiteral("Ondavox-0.65.1-setup (1).exe")), m_installer);
    QCOMPARE(read(QStringLiteral("Ondavox-0.65.1-setup.exe")), m_installer);
    QCOMPARE(files().size(), 2);
}

void TestMiseAJourE2e::droppedConnectionLeavesNoFile()
{
    open(QStringLiteral("/telechargement/coupe.exe"));
    press();
    // Receiving: the bar shows.
    QTRY_VERIFY_WITH_TIMEOUT(m_window->findChild<QWidget *>(QStringLiteral("Progression"))->isVisible(), 20000);
    QVERIFY(!files().contains(QStringLiteral("coupe.exe")));
    // The engine tries again a few times before it gives up.
    QTRY_COMPARE_WITH_TIMEOUT(
        state(), DownloadTexts::failedText(QStringLiteral("coupe.exe"), DownloadTexts::Reason::Network), 60000);
    QVERIFY(!m_window->findChild<QWidget *>(QStringLiteral("Progression"))->isVisible());
    QTRY_COMPARE(files(), QStringList());
}

void TestMiseAJourE2e::pageInsteadOfAFileSaysSo()
{
    open(QStringLiteral("/telechargement/page.htm"));
    press();
    QTRY_COMPARE_WITH_TIMEOUT(state(), DownloadTexts::noFileText(0), 20000);
    QCOMPARE(files(), QStringList());
}

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", QDir(home.path()).filePath(QStringLiteral("config")).toUtf8());
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    TestMiseAJourE2e test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_miseajour_e2e.moc"
