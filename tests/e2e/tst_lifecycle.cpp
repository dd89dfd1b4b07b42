#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <cstdio>
#include <unistd.h>

// The real program, started and ended as a desktop session would.
class TestLifecycle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void orderlyExitWritesTheRecordOnOneLine_data();
    void orderlyExitWritesTheRecordOnOneLine();

private:
    static QByteArray readFile(const QString &path);
    static bool catchesExitSignals(qint64 pid);
};

QByteArray TestLifecycle::readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The program has installed its handlers of the session's signals, as the
// kernel reports them; until then a signal would end it on the spot.
bool TestLifecycle::catchesExitSignals(qint64 pid)
{
    const QByteArray status = readFile(QStringLiteral("/proc/%1/status").arg(pid));
    const qsizetype start = status.indexOf("SigCgt:");
    if (start < 0)
        return false;
    const qsizetype end = status.indexOf('\n', start);
    bool ok = false;
    const quint64 caught = status.mid(start + 7, end - start - 7).trimmed().toULongLong(&ok, 16);
    const auto catches = [caught](int number) {
        return (caught >> (number - 1)) & 1;
    };
    return ok && catches(SIGTERM) && catches(SIGHUP) && catches(SIGINT);
}

void TestLifecycle::orderlyExitWritesTheRecordOnOneLine_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGHUP") << int(SIGHUP);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void TestLifecycle::orderlyExitWritesTheRecordOnOneLine()
{
    QFETCH(int, signalNumber);

    QTemporaryDir home;
    const QString userFolder = home.filePath("data/ondavox");
    QVERIFY(QDir().mkpath(userFolder));
    {
        QFile preferences(userFolder + "/ovxpref.log");
        QVERIFY(preferences.open(QIODevice::WriteOnly));
        preferences.write("0*0*\r\nhttp://127.0.0.1:9/x*0*AideOVX.txt*\r\n1*1*0*0*\r\n");
    }

    QProcess ondavox;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home.path());
    environment.insert("XDG_DATA_HOME", home.filePath("data"));
    environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
    environment.insert("ONDAVOX_MPV_AO", "null");
    ondavox.setProcessEnvironment(environment);
    ondavox.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    ondavox.start(qEnvironmentVariable("ONDAVOX_BIN"), {});
    QVERIFY(ondavox.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(catchesExitSignals(ondavox.processId()), 15000);
    QCOMPARE(ondavox.state(), QProcess::Running);

    ::kill(ondavox.processId(), signalNumber);
    QVERIFY(ondavox.waitForFinished(15000));
    QCOMPARE(ondavox.exitStatus(), QProcess::NormalExit);
    QCOMPARE(readFile(userFolder + "/ovxpref.log"), QByteArray("0*0*http://127.0.0.1:9/x*0*AideOVX.txt*1*1*0*0*\r\n"));

    const QByteArray errors = ondavox.readAllStandardError();
    std::fwrite(errors.constData(), 1, errors.size(), stderr);
    // Run by root, the browser engine goes without its sandbox: said once, and only then.
    QCOMPARE(errors.count("QTWEBENGINE_DISABLE_SANDBOX"), ::geteuid() == 0 ? 1 : 0);
}

QTEST_GUILESS_MAIN(TestLifecycle)
#include "tst_lifecycle.moc"
