#include "core/state/startup.h"
#include "core/state/statestore.h"
#include "core/state/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void catalogueTextIsEveryLineWithCrLf_data();
    void catalogueTextIsEveryLineWithCrLf();
    void preferencesOverSeveralLinesAreJoined();
    void missingFileStopsTheLoading_data();
    void missingFileStopsTheLoading();
    void fileFailingPartWayKeepsWhatWasRead_data();
    void fileFailingPartWayKeepsWhatWasRead();
    void findInstallFolderTakesTheFirstExisting();
    void findInstallFolderLeavesFieldsEmptyWhenNoneExists();
    void exitWritesOneLineRecord();
    void unwritableFolderKeepsThePreviousFile();

private:
    void writeBytes(const QString &path, const QByteArray &bytes);

    std::unique_ptr<QTemporaryDir> m_install;
    std::unique_ptr<QTemporaryDir> m_user;
    std::unique_ptr<StateStore> m_store;
};

void TestStartup::writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void TestStartup::init()
{
    m_install = std::make_unique<QTemporaryDir>();
    m_user = std::make_unique<QTemporaryDir>();
    m_store = std::make_unique<StateStore>();
    m_store->setChemin(m_install->path());
    m_store->setUserFolder(m_user->path());
}

void TestStartup::catalogueTextIsEveryLineWithCrLf_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty file") << QByteArray() << QString();
    QTest::newRow("no final line break") << QByteArray("abc") << QStringLiteral("abc\r\n");
    QTest::newRow("empty line kept") << QByteArray("a\r\n\r\nb\r\n") << QStringLiteral("a\r\n\r\nb\r\n");
    QTest::newRow("spaces kept") << QByteArray("  a  \r\n") << QStringLiteral("  a  \r\n");
    QTest::newRow("unix line ends") << QByteArray("a\nb\n") << QStringLiteral("a\r\nb\r\n");
    QTest::newRow("windows-1252 accents") << QByteArray("fran\xe7"
                                                        "ais-belge \x80\r\n")
                                          << QStringLiteral("français-belge €\r\n");
}

void TestStartup::catalogueTextIsEveryLineWithCrLf()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, text);

    writeBytes(m_install->filePath(Startup::radioCatalogueName), file);
    writeBytes(m_install->filePath(Startup::tvCatalogueName), file);
    Startup::loadFiles(*m_store);
    QCOMPARE(m_store->data(), text);
    QCOMPARE(m_store->dataTV(), text);
}

void TestStartup::preferencesOverSeveralLinesAreJoined()
{
    writeBytes(m_install->filePath(Startup::radioCatalogueName), "h\r\n");
    writeBytes(m_install->filePath(Startup::tvCatalogueName), "h\r\n");
    writeBytes(m_user->filePath(Startup::preferencesName), "0*1*\r\nabc*0*\r\n");
    Startup::loadFiles(*m_store);
    QCOMPARE(m_store->preferences().check2, 1);
    QCOMPARE(m_store->preferences().urlDem, QStringLiteral("abc"));
    QCOMPARE(m_store->preferences().fenetre, 0);
    QCOMPARE(m_store->preferences().check3, 1);
    // The reader's scratch text does not outlive the loading.
    QCOMPARE(m_store->curl(), QString());
}

void TestStartup::missingFileStopsTheLoading_data()
{
    QTest::addColumn<bool>("radio");
    QTest::addColumn<bool>("tv");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("dataTV");
    QTest::addColumn<int>("check1");

    QTest::newRow("all present") << true << true << "R\r\n"
                                 << "T\r\n"
                                 << 1;
    QTest::newRow("no radio catalogue") << false << true << ""
                                        << "" << 0;
    QTest::newRow("no tv catalogue") << true << false << "R\r\n"
                                     << "" << 0;
}

void TestStartup::missingFileStopsTheLoading()
{
    QFETCH(bool, radio);
    QFETCH(bool, tv);

    if (radio)
        writeBytes(m_install->filePath(Startup::radioCatalogueName), "R");
    if (tv)
        writeBytes(m_install->filePath(Startup::tvCatalogueName), "T");
    writeBytes(m_user->filePath(Startup::preferencesName), "1*1*u*1*A*0*0*1*1*\r\n");
    Startup::loadFiles(*m_store);

    QTEST(m_store->data(), "data");
    QTEST(m_store->dataTV(), "dataTV");
    QTEST(m_store->preferences().check1, "check1");
    QCOMPARE(m_store->curl(), QString());
}

namespace
{

// A file whose reading fails after `good` bytes, as on a failing disk or a
// network share that goes away.
class FailingFile : public QIODevice
{
public:
    explicit FailingFile(QByteArray good)
        : m_good(std::move(good))
    {
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 count = qMin(maxSize, qint64(m_good.size()) - m_at);
        if (count <= 0)
            return -1;
        std::memcpy(data, m_good.constData() + m_at, size_t(count));
        m_at += count;
        return count;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_good;
    qint64 m_at = 0;
};

} // namespace

void TestStartup::fileFailingPartWayKeepsWhatWasRead_data()
{
    QTest::addColumn<QString>("failing");
    QTest::addColumn<QByteArray>("readBeforeFailure");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("dataTV");
    QTest::addColumn<int>("check1");

    const QString radio = Startup::radioCatalogueName;
    QTest::newRow("radio catalogue, inside a line")
        << radio << QByteArray("H\r\nrec1\r\nrec2\r\npart") << "H\r\nrec1\r\nrec2\r\n"
        << "" << 0;
    QTest::newRow("radio catalogue, just after a line break") << radio << QByteArray("H\r\nrec1\r") << "H\r\nrec1\r\n"
                                                              << "" << 0;
    QTest::newRow("radio catalogue, at once") << radio << QByteArray() << ""
                                              << "" << 0;
    QByteArray longText;
    QString longLines;
    for (int i = 0; longText.size() < 100000; ++i) {
        const QByteArray line = QByteArray::number(i).rightJustified(38, '*');
        longText += line + "\r\n";
        longLines += QString::fromLatin1(line) + QStringLiteral("\r\n");
    }
    QTest::newRow("radio catalogue, beyond the first read") << radio << longText + "half a li" << longLines << "" << 0;
    QTest::newRow("tv catalogue") << Startup::tvCatalogueName << QByteArray("T1\r\nT") << "R\r\n"
                                  << "T1\r\n"
                                  << 0;
    QTest::newRow("preferences") << Startup::preferencesName << QByteArray("1*1*u*1*A*0*0*1*1*") << "R\r\n"
                                 << "T\r\n"
                                 << 0;
}

void TestStartup::fileFailingPartWayKeepsWhatWasRead()
{
    QFETCH(QString, failing);
    QFETCH(QByteArray, readBeforeFailure);

    writeBytes(m_install->filePath(Startup::radioCatalogueName), "R");
    writeBytes(m_install->filePath(Startup::tvCatalogueName), "T");
    writeBytes(m_user->filePath(Startup::preferencesName), "1*1*u*1*A*0*0*1*1*\r\n");
    Startup::loadFiles(*m_store, [&](const QString &path) -> std::unique_ptr<QIODevice> {
        if (QFileInfo(path).fileName() != failing)
            return Startup::openFile(path);
        auto file = std::make_unique<FailingFile>(readBeforeFailure);
        file->open(QIODevice::ReadOnly);
        return file;
    });

    QTEST(m_store->data(), "data");
    QTEST(m_store->dataTV(), "dataTV");
    QTEST(m_store->preferences().check1, "check1");
    QCOMPARE(m_store->curl(), QString());
}

void TestStartup::findInstallFolderTakesTheFirstExisting()
{
    QTemporaryDir second;
    QTemporaryDir third;
    StateStore store;
    Startup::FindInstallFolder({ m_install->filePath("missing"), second.path() + "/", third.path() }, store);
    QCOMPARE(store.chemin(), QDir::cleanPath(second.path()));
    QCOMPARE(store.disque(), QStringLiteral("/"));
    QCOMPARE(store.installPath("\\logos\\a.png"), QDir::cleanPath(second.path()) + "/logos/a.png");
}

void TestStartup::findInstallFolderLeavesFieldsEmptyWhenNoneExists()
{
    StateStore store;
    // A plain file is not an installation folder.
    writeBytes(m_install->filePath("file"), "x");
    Startup::FindInstallFolder({ m_install->filePath("missing"), m_install->filePath("file") }, store);
    QCOMPARE(store.chemin(), QString());
    QCOMPARE(store.disque(), QString());
}

void TestStartup::exitWritesOneLineRecord()
{
    Preferences preferences;
    preferences.urlDem = QStringLiteral("http://é/");
    m_store->setPreferences(preferences);
    m_store->setUserFolder(m_user->filePath("not/yet/there"));
    QVERIFY(Startup::writePreferences(*m_store));

    QFile file(m_store->userPath(Startup::preferencesName));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("0*0*http://\xe9/*-1*AideOVX.txt*1*1*0*0*\r\n"));
}

void TestStartup::unwritableFolderKeepsThePreviousFile()
{
    // A file where the user folder should be: the save fails and says so.
    writeBytes(m_user->filePath("blocked"), "keep");
    m_store->setUserFolder(m_user->filePath("blocked"));
    QVERIFY(!Startup::writePreferences(*m_store));
    QCOMPARE(TextFile::readLines(m_user->filePath("blocked")).value(), QStringList { "keep" });
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
