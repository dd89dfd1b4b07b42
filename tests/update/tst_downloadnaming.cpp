#include "core/update/downloadnaming.h"
#include "core/update/downloadtexts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Names and texts of the update download.
class TestDownloadNaming : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void safeName_data();
    void safeName();
    void numberedName_data();
    void numberedName();
    void reservedPartFilesAreDistinct();
    void moveNeverReplaces();
    void longNamesFitTheFolder_data();
    void longNamesFitTheFolder();
    void reserveFailsInAFolderThatIsAFile();
    void sizeText_data();
    void sizeText();
    void noFileText_data();
    void noFileText();
};

void TestDownloadNaming::safeName_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("name");

    QTest::newRow("plain") << "Ondavox-setup.exe"
                           << "Ondavox-setup.exe";
    QTest::newRow("path") << "../../etc/passwd"
                          << "passwd";
    QTest::newRow("windows path") << "C:\\temp\\setup.exe"
                                  << "setup.exe";
    QTest::newRow("hidden") << ".bashrc"
                            << "bashrc";
    QTest::newRow("dots only") << ".."
                               << "telechargement";
    QTest::newRow("empty") << ""
                           << "telechargement";
    QTest::newRow("trailing slash") << "dossier/"
                                    << "telechargement";
    QTest::newRow("control characters") << QStringLiteral("set\nup\t.exe") << "setup.exe";
    QTest::newRow("spaces around") << "  setup.exe "
                                   << "setup.exe";
    QTest::newRow("accents kept") << "Mise à jour.exe"
                                  << "Mise à jour.exe";
    QTest::newRow("hidden behind a dot and a space") << ". .bashrc"
                                                     << "bashrc";
    QTest::newRow("parent folder behind a dot and a space") << ". .."
                                                            << "telechargement";
    QTest::newRow("dot, space, dot") << ". ."
                                     << "telechargement";
    QTest::newRow("right-to-left override") << QStringLiteral("Ondavox-setup\u202Eexe.txt") << "Ondavox-setupexe.txt";
    QTest::newRow("half a character") << QStringLiteral("Radio\xDADA.exe") << "Radio.exe";
    QTest::newRow("a whole character outside the basic plane")
        << QStringLiteral("Radio 🎷.exe") << QStringLiteral("Radio 🎷.exe");
}

void TestDownloadNaming::safeName()
{
    QFETCH(QString, server);
    QFETCH(QString, name);
    QCOMPARE(DownloadNaming::safeName(server), name);
}

void TestDownloadNaming::numberedName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("numbered");

    QTest::newRow("itself") << "setup.exe" << 0 << "setup.exe";
    QTest::newRow("first") << "setup.exe" << 1 << "setup (1).exe";
    QTest::newRow("twelfth") << "setup.exe" << 12 << "setup (12).exe";
    QTest::newRow("dotted version") << "Ondavox-0.65.1-setup.exe" << 2 << "Ondavox-0.65.1-setup (2).exe";
    QTest::newRow("no extension") << "LISEZMOI" << 1 << "LISEZMOI (1)";
    QTest::newRow("tarball") << "ondavox.tar.gz" << 1 << "ondavox (1).tar.gz";
    QTest::newRow("part") << "setup.exe.part" << 1 << "setup.exe (1).part";
}

void TestDownloadNaming::numberedName()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    QFETCH(QString, numbered);
    QCOMPARE(DownloadNaming::numberedName(name, number), numbered);
}

void TestDownloadNaming::reservedPartFilesAreDistinct()
{
    QTemporaryDir folder;
    const QString first = DownloadNaming::reservePartFile(folder.path(), QStringLiteral("setup.exe"));
    const QString second = DownloadNaming::reservePartFile(folder.path(), QStringLiteral("setup.exe"));
    QCOMPARE(first, QStringLiteral("setup.exe.part"));
    QCOMPARE(second, QStringLiteral("setup (1).exe.part"));
    QVERIFY(QFile::exists(folder.filePath(first)));
    QVERIFY(QFile::exists(folder.filePath(second)));
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("setup.exe"))));
}

void TestDownloadNaming::moveNeverReplaces()
{
    QTemporaryDir folder;
    for (const char *taken : { "setup.exe", "setup (1).exe" }) {
        QFile file(folder.filePath(QLatin1String(taken)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("earlier");
    }
    QFile part(folder.filePath(QStringLiteral("setup.exe.part")));
    QVERIFY(part.open(QIODevice::WriteOnly));
    part.write("new");
    part.close();

    QCOMPARE(
        DownloadNaming::moveToFreeName(folder.path(), QStringLiteral("setup.exe.part"), QStringLiteral("setup.exe")),
        QStringLiteral("setup (2).exe"));
    for (const char *taken : { "setup.exe", "setup (1).exe" }) {
        QFile file(folder.filePath(QLatin1String(taken)));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("earlier"));
    }
    QFile moved(folder.filePath(QStringLiteral("setup (2).exe")));
    QVERIFY(moved.open(QIODevice::ReadOnly));
    QCOMPARE(moved.readAll(), QByteArray("new"));
    QVERIFY(!part.exists());
}

void TestDownloadNaming::longNamesFitTheFolder_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("extension");

    QTest::newRow("10 000 letters") << QString(10000, QLatin1Char('a')) + ".exe"
                                    << ".exe";
    QTest::newRow("250 accented letters") << QString(250, QChar(0xE9)) + ".exe"
                                          << ".exe";
    QTest::newRow("characters of four bytes") << QStringLiteral("🎷").repeated(100) + ".tar.gz"
                                              << ".tar.gz";
    QTest::newRow("no extension worth the name") << "a." + QString(300, QLatin1Char('b')) << QString();
}

// The longest form a name takes, numbered and temporary, is still a name the
// folder accepts; its stem is cut, never its extension, never half a character.
void TestDownloadNaming::longNamesFitTheFolder()
{
    QFETCH(QString, server);
    QFETCH(QString, extension);
    const QString name = DownloadNaming::safeName(server);
    QVERIFY(name.endsWith(extension));
    QVERIFY(server.startsWith(name.chopped(extension.size())));
    QVERIFY(name.size() > 50);
    const QString longest = DownloadNaming::numberedName(name, 999) + QStringLiteral(".part");
    QVERIFY(QFile::encodeName(longest).size() <= 255);
    QCOMPARE(QString::fromUtf8(QFile::encodeName(longest)), longest);

    QTemporaryDir folder;
    for (int i = 0; i < 3; ++i)
        QVERIFY(!DownloadNaming::reservePartFile(folder.path(), name).isEmpty());
}

void TestDownloadNaming::reserveFailsInAFolderThatIsAFile()
{
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("fichier")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QCOMPARE(DownloadNaming::reservePartFile(file.fileName(), QStringLiteral("setup.exe")), QString());
}

void TestDownloadNaming::sizeText_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("none") << qint64(0) << "0 octet";
    QTest::newRow("one") << qint64(1) << "1 octet";
    QTest::newRow("some") << qint64(512) << "512 octets";
    QTest::newRow("last bytes") << qint64(1023) << "1023 octets";
    QTest::newRow("one kilo") << qint64(1024) << "1 Ko";
    QTest::newRow("kilos") << qint64(300 * 1024 + 700) << "300 Ko";
    QTest::newRow("one mega") << qint64(1024 * 1024) << "1,0 Mo";
    QTest::newRow("megas") << qint64(2516582) << "2,4 Mo";
}

void TestDownloadNaming::sizeText()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(DownloadTexts::sizeText(bytes), text);
}

void TestDownloadNaming::noFileText_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("text");

    QTest::newRow("page") << 0 << "Aucun fichier reçu : le serveur a répondu par une page web au lieu du fichier.";
    QTest::newRow("not found") << 404 << "Aucun fichier reçu : le serveur a répondu par l'erreur 404.";
    QTest::newRow("refused") << -102 << "Aucun fichier reçu : le serveur ne répond pas (erreur réseau -102).";
}

void TestDownloadNaming::noFileText()
{
    QFETCH(int, status);
    QFETCH(QString, text);
    QCOMPARE(DownloadTexts::noFileText(status), text);
}

QTEST_GUILESS_MAIN(TestDownloadNaming)
#include "tst_downloadnaming.moc"
