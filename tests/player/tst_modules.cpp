#include "platform/modules/modules.h"
#include "testmodule.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The module loader: where it looks, what it says when a module is missing
// or is not one, and the build and the installed layout it looks in.
class TestModules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aModuleLoadsOnce();
    void whatIsMissingIsSaid_data();
    void whatIsMissingIsSaid();
    void aModuleOfAnotherKindIsRefused();
    void theBuiltProgramFindsItsModules();
    void theInstalledProgramFindsItsModules();

private:
    static bool copy(const QString &from, const QString &to)
    {
        QFile::remove(to);
        return QFile::copy(from, to);
    }
};

void TestModules::aModuleLoadsOnce()
{
    QTemporaryDir folder;
    QVERIFY(copy(QStringLiteral(TEST_MODULE), Modules::path(folder.path(), QStringLiteral("essai"))));
    QString error;
    auto *module = Modules::load<TestModuleInterface>(folder.path(), QStringLiteral("essai"), &error);
    QVERIFY2(module, qPrintable(error));
    QCOMPARE(module->greeting(), QStringLiteral("Bonjour"));
    QCOMPARE(Modules::load<TestModuleInterface>(folder.path(), QStringLiteral("essai"), &error), module);
}

void TestModules::whatIsMissingIsSaid_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("said");

    QTest::newRow("no file") << QString() << "module absent : ";
    QTest::newRow("not a library") << "text"
                                   << "module illisible : ";
    QTest::newRow("a library, not a module") << QStringLiteral(NOT_A_MODULE) << "module illisible : ";
}

void TestModules::whatIsMissingIsSaid()
{
    QFETCH(QString, content);
    QFETCH(QString, said);

    QTemporaryDir folder;
    const QString file = Modules::path(folder.path(), QStringLiteral("essai"));
    if (content == QLatin1String("text")) {
        QFile text(file);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("Ceci n'est pas un module.\n");
    } else if (!content.isEmpty()) {
        QVERIFY(copy(content, file));
    }
    QString error;
    QCOMPARE(Modules::load(folder.path(), QStringLiteral("essai"), &error), nullptr);
    // Which file, so that whoever reads it knows what to put back.
    QVERIFY2(error.startsWith(said + file), qPrintable(error));
}

void TestModules::aModuleOfAnotherKindIsRefused()
{
    QTemporaryDir folder;
    QVERIFY(copy(QStringLiteral(TEST_MODULE), Modules::path(folder.path(), QStringLiteral("autre"))));
    QString error;
    QCOMPARE(Modules::load<OtherModuleInterface>(folder.path(), QStringLiteral("autre"), &error), nullptr);
    QCOMPARE(error, Modules::wrongKindText(Modules::path(folder.path(), QStringLiteral("autre"))));
}

// The tests lie in a folder beside the program's: they find the same modules.
void TestModules::theBuiltProgramFindsItsModules()
{
    const QString programFolder = QFileInfo(qEnvironmentVariable("ONDAVOX_BIN")).path();
    const QString engine = Modules::path(Modules::folderBeside(programFolder), QStringLiteral("webengine"));
    QVERIFY2(QFileInfo(engine).isFile(), qPrintable(engine));
    QCOMPARE(Modules::folder(), Modules::folderBeside(programFolder));
}

void TestModules::theInstalledProgramFindsItsModules()
{
    QTemporaryDir prefix;
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(QStringLiteral(CMAKE_COMMAND),
        { QStringLiteral("--install"), QStringLiteral(BUILD_DIR), QStringLiteral("--prefix"), prefix.path() });
    QVERIFY(install.waitForFinished(60000));
    QVERIFY2(install.exitCode() == 0, install.readAll().constData());

    const QString program = prefix.filePath(QStringLiteral(INSTALL_BINDIR));
    QVERIFY(QFileInfo(program + QStringLiteral("/ondavox")).isExecutable());
    const QString engine = Modules::path(Modules::folderBeside(program), QStringLiteral("webengine"));
    QVERIFY2(QFileInfo(engine).isFile(), qPrintable(engine));
}

QTEST_GUILESS_MAIN(TestModules)

#include "tst_modules.moc"
