#include "core/update/downloadtexts.h"
#include "core/update/updatedownloader.h"
#include "fakecontrols.h"
#include "fakedownload.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using Stage = UpdateDownloader::Stage;
using Failure = BrowserDownload::Failure;
Q_DECLARE_METATYPE(BrowserDownload::Failure)
Q_DECLARE_METATYPE(DownloadTexts::Reason)

// The update download over a fake browser whose downloads write files as the
// engine does.
class TestUpdateDownloader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void savesUnderTheServersNameOnceWhole();
    void numbersRatherThanReplacing();
    void twoPressesGiveTwoFiles();
    void aFailureLeavesNoFile_data();
    void aFailureLeavesNoFile();
    void aShortFileIsNotSaved();
    void anAnswerWithoutAFile_data();
    void anAnswerWithoutAFile();
    void aLaterPressOvertakesAPendingOne();
    void downloadsNobodyAskedForAreLeft();
    void folderIsCreatedWhenMissing();
    void aFolderThatTakesNoFileIsSaid();
    void anEmptyAddressAsksNothing();

private:
    QStringList files() const { return QDir(m_folder->path()).entryList(QDir::Files | QDir::Hidden); }
    QByteArray read(const QString &name) const
    {
        QFile file(m_folder->filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // A press that the browser answers with a download of `name`.
    FakeDownload *pressGivingFile(UpdateDownloader &downloader, const QString &name);

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<FakeBrowser> m_browser;
    std::vector<std::unique_ptr<FakeDownload>> m_downloads;
};

namespace
{
const QString address = QStringLiteral("http://127.0.0.1:9/telechargement/Ondavox-setup.exe");
const QByteArray installer = QByteArray(300 * 1024, 'x');
}

void TestUpdateDownloader::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    m_browser = std::make_unique<FakeBrowser>();
    m_downloads.clear();
}

FakeDownload *TestUpdateDownloader::pressGivingFile(UpdateDownloader &downloader, const QString &name)
{
    downloader.start(address);
    m_downloads.push_back(std::make_unique<FakeDownload>(name));
    FakeDownload *download = m_downloads.back().get();
    Q_EMIT m_browser->downloadStarted(download);
    return download;
}

void TestUpdateDownloader::savesUnderTheServersNameOnceWhole()
{
    UpdateDownloader downloader(*m_browser, m_folder->path());
    QSignalSpy changed(&downloader, &UpdateDownloader::changed);
    downloader.start(address);
    QCOMPARE(m_browser->addresses, QStringList { address });
    QCOMPARE(downloader.stage(), Stage::Requesting);
    QCOMPARE(downloader.text(), QStringLiteral("Demande du fichier à 127.0.0.1..."));

    FakeDownload download(QStringLiteral("Ondavox-0.65-setup.exe"));
    Q_EMIT m_browser->downloadStarted(&download);
    QCOMPARE(download.acceptedFolder, m_folder->path());
    QVERIFY(download.acceptedName != QStringLiteral("Ondavox-0.65-setup.exe"));
    QCOMPARE(downloader.stage(), Stage::Receiving);

    download.receive(installer.left(100 * 1024), installer.size());
    QCOMPARE(downloader.text(), QStringLiteral("Téléchargement de « Ondavox-0.65-setup.exe » : 100 Ko sur 300 Ko"));
    QCOMPARE(downloader.receivedBytes(), 100 * 1024);
    QCOMPARE(downloader.totalBytes(), installer.size());
    QVERIFY(!files().contains(QStringLiteral("Ondavox-0.65-setup.exe")));

    download.receive(installer.mid(100 * 1024), installer.size());
    download.complete();
    const QString saved = m_folder->filePath(QStringLiteral("Ondavox-0.65-setup.exe"));
    QCOMPARE(downloader.stage(), Stage::Saved);
    QCOMPARE(downloader.text(), QStringLiteral("Fichier enregistré : ") + saved);
    QCOMPARE(files(), QStringList { QStringLiteral("Ondavox-0.65-setup.exe") });
    QCOMPARE(read(QStringLiteral("Ondavox-0.65-setup.exe")), installer);
    QVERIFY(changed.count() >= 4);
}

void TestUpdateDownloader::numbersRatherThanReplacing()
{
    QFile earlier(m_folder->filePath(QStringLiteral("Ondavox-setup.exe")));
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("version précédente");
    earlier.close();

    UpdateDownloader downloader(*m_browser, m_folder->path());
    FakeDownload *download = pressGivingFile(downloader, QStringLiteral("Ondavox-setup.exe"));
    download->receive(installer, installer.size());
    download->complete();
    QCOMPARE(downloader.text(), DownloadTexts::savedText(m_folder->filePath(QStringLiteral("Ondavox-setup (1).exe"))));
    QCOMPARE(read(QStringLiteral("Ondavox-setup.exe")), QByteArray("version précédente"));
    QCOMPARE(read(QStringLiteral("Ondavox-setup (1).exe")), installer);
}

void TestUpdateDownloader::twoPressesGiveTwoFiles()
{
    UpdateDownloader downloader(*m_browser, m_folder->path());
    FakeDownload *first = pressGivingFile(downloader, QStringLiteral("Ondavox-setup.exe"));
    FakeDownload *second = pressGivingFile(downloader, QStringLiteral("Ondavox-setup.exe"));
    QCOMPARE(m_browser->addresses, QStringList({ address, address }));
    // Both run at once, each into a file of its own.
    QVERIFY(first->acceptedName != second->acceptedName);
    first->receive(installer.left(1000), installer.size());
    second->receive("abc", 3);
    QCOMPARE(downloader.text(), QStringLiteral("Téléchargement de « Ondavox-setup.exe » : 3 octets sur 3 octets"));
    second->complete();
    first->receive(installer.mid(1000), installer.size());
    first->complete();

    // The window shows the latest press.
    QCOMPARE(downloader.text(), DownloadTexts::savedText(m_folder->filePath(QStringLiteral("Ondavox-setup.exe"))));
    QCOMPARE(read(QStringLiteral("Ondavox-setup.exe")), QByteArray("abc"));
    QCOMPARE(read(QStringLiteral("Ondavox-setup (1).exe")), installer);
    QCOMPARE(files().size(), 2);
}

void TestUpdateDownloader::aFailureLeavesNoFile_data()
{
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<DownloadTexts::Reason>("reason");

    QTest::newRow("network") << Failure::Network << DownloadTexts::Reason::Network;
    QTest::newRow("server") << Failure::Server << DownloadTexts::Reason::Server;
    QTest::newRow("disk") << Failure::File << DownloadTexts::Reason::File;
    QTest::newRow("cancelled") << Failure::Cancelled << DownloadTexts::Reason::Cancelled;
    QTest::newRow("no browser") << Failure::NoBrowser << DownloadTexts::Reason::NoBrowser;
}

void TestUpdateDownloader::aFailureLeavesNoFile()
{
    QFETCH(Failure, failure);
    QFETCH(DownloadTexts::Reason, reason);

    UpdateDownloader downloader(*m_browser, m_folder->path());
    FakeDownload *download = pressGivingFile(downloader, QStringLiteral("Ondavox-setup.exe"));
    download->receive(installer.left(5000), installer.size());
    download->fail(failure);
    QCOMPARE(downloader.stage(), Stage::Failed);
    QCOMPARE(downloader.text(), DownloadTexts::failedText(QStringLiteral("Ondavox-setup.exe"), reason));
    QVERIFY(downloader.text().startsWith(QStringLiteral("Échec du téléchargement de « Ondavox-setup.exe » : ")));
    QCOMPARE(files(), QStringList());
}

void TestUpdateDownloader::aShortFileIsNotSaved()
{
    UpdateDownloader downloader(*m_browser, m_folder->path());
    FakeDownload *download = pressGivingFile(downloader, QStringLiteral("Ondavox-setup.exe"));
    download->receive(installer.left(5000), installer.size());
    download->complete();
    QCOMPARE(downloader.stage(), Stage::Failed);
    QCOMPARE(downloader.text(),
        DownloadTexts::failedText(QStringLiteral("Ondavox-setup.exe"), DownloadTexts::Reason::Incomplete));
    QCOMPARE(files(), QStringList());
}

void TestUpdateDownloader::anAnswerWithoutAFile_data()
{
    QTest::addColumn<bool>("page");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("text");

    QTest::newRow("web page") << true << 0 << DownloadTexts::noFileText(0);
    QTest::newRow("not found") << false << 404 << DownloadTexts::noFileText(404);
    QTest::newRow("refused") << false << -102 << DownloadTexts::noFileText(-102);
}

void TestUpdateDownloader::anAnswerWithoutAFile()
{
    QFETCH(bool, page);
    QFETCH(int, status);
    QFETCH(QString, text);

    UpdateDownloader downloader(*m_browser, m_folder->path());
    downloader.start(address);
    if (page)
        Q_EMIT m_browser->navigateComplete(address);
    else
        Q_EMIT m_browser->navigateError(address, status);
    QCOMPARE(downloader.stage(), Stage::NoFile);
    QCOMPARE(downloader.text(), text);
    QCOMPARE(files(), QStringList());
}

void TestUpdateDownloader::aLaterPressOvertakesAPendingOne()
{
    UpdateDownloader downloader(*m_browser, m_folder->path());
    downloader.start(address);
    FakeDownload *download = pressGivingFile(downloader, QStringLiteral("Ondavox-setup.exe"));
    QVERIFY(!download->acceptedName.isEmpty());
    // The overtaken navigation ends with nothing that concerns the download.
    Q_EMIT m_browser->navigateComplete(address);
    QCOMPARE(downloader.stage(), Stage::Receiving);
}

void TestUpdateDownloader::downloadsNobodyAskedForAreLeft()
{
    UpdateDownloader downloader(*m_browser, m_folder->path());
    FakeDownload download(QStringLiteral("page.pdf"));
    Q_EMIT m_browser->downloadStarted(&download);
    QVERIFY(download.acceptedName.isEmpty());
    QCOMPARE(downloader.stage(), Stage::Idle);
    QCOMPARE(files(), QStringList());
}

void TestUpdateDownloader::folderIsCreatedWhenMissing()
{
    const QString folder = m_folder->filePath(QStringLiteral("Téléchargements"));
    UpdateDownloader downloader(*m_browser, folder);
    FakeDownload *download = pressGivingFile(downloader, QStringLiteral("Ondavox-setup.exe"));
    download->receive(installer, installer.size());
    download->complete();
    const QString saved = QDir(folder).filePath(QStringLiteral("Ondavox-setup.exe"));
    QCOMPARE(downloader.text(), DownloadTexts::savedText(saved));
    QVERIFY(QFile::exists(saved));
}

void TestUpdateDownloader::aFolderThatTakesNoFileIsSaid()
{
    QFile file(m_folder->filePath(QStringLiteral("fichier")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString folder = file.fileName() + QStringLiteral("/Téléchargements");
    UpdateDownloader downloader(*m_browser, folder);
    FakeDownload *download = pressGivingFile(downloader, QStringLiteral("Ondavox-setup.exe"));
    QVERIFY(download->acceptedName.isEmpty());
    QCOMPARE(downloader.stage(), Stage::Failed);
    QCOMPARE(downloader.text(),
        DownloadTexts::failedText(QStringLiteral("Ondavox-setup.exe"), DownloadTexts::Reason::Folder, folder));
    QVERIFY(downloader.text().contains(folder));
}

void TestUpdateDownloader::anEmptyAddressAsksNothing()
{
    UpdateDownloader downloader(*m_browser, m_folder->path());
    downloader.start(QStringLiteral("  "));
    QVERIFY(m_browser->addresses.isEmpty());
    QCOMPARE(downloader.stage(), Stage::NoFile);
    QCOMPARE(downloader.text(), DownloadTexts::noAddressText());
}

QTEST_GUILESS_MAIN(TestUpdateDownloader)
#include "tst_updatedownloader.moc"
