#include "platform/desktop/instancechannel.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// `ondavox FILE` while Ondavox runs: the real program, started on a session
// bus of the test's own where this test holds the running program's name,
// hands the file over and ends.
class TestInstanceChannel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void aListOpenedWhileRunningGoesToTheRunningProgram();
    void onlyOneProgramHoldsTheName();

private:
    QProcess m_bus;
    QString m_busAddress;
    QTemporaryDir m_home;
    std::unique_ptr<InstanceChannel> m_channel;
};

void TestInstanceChannel::initTestCase()
{
    QVERIFY(QFileInfo::exists(qEnvironmentVariable("ONDAVOX_BIN")));
    m_bus.start(QStringLiteral("dbus-daemon"),
        { QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1") });
    QVERIFY2(m_bus.waitForStarted(), "dbus-daemon did not start");
    QVERIFY(m_bus.waitForReadyRead(5000));
    m_busAddress = QString::fromUtf8(m_bus.readLine()).trimmed();
    QVERIFY(!m_busAddress.isEmpty());
    // Before the first use of the session bus in this process.
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_busAddress.toUtf8());
    m_channel = std::make_unique<InstanceChannel>();
    QVERIFY(m_channel->open());
}

void TestInstanceChannel::cleanupTestCase()
{
    m_channel.reset();
    m_bus.kill();
    m_bus.waitForFinished();
}

void TestInstanceChannel::aListOpenedWhileRunningGoesToTheRunningProgram()
{
    QFile list(m_home.filePath(QStringLiteral("radios.pls")));
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write("[playlist]\nFile1=http://127.0.0.1:9/a.mp3\n");
    list.close();

    QSignalSpy received(m_channel.get(), &InstanceChannel::stationListsReceived);
    QProcess ondavox;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_busAddress);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
    ondavox.setProcessEnvironment(environment);
    // A file manager gives the name as it sees it: relative to the folder it runs in.
    ondavox.setWorkingDirectory(m_home.path());
    ondavox.start(qEnvironmentVariable("ONDAVOX_BIN"), { QStringLiteral("radios.pls") });
    QVERIFY(ondavox.waitForStarted());
    // The answer comes from this test's event loop.
    QTRY_VERIFY_WITH_TIMEOUT(ondavox.state() == QProcess::NotRunning, 20000);
    QCOMPARE(ondavox.exitStatus(), QProcess::NormalExit);
    QCOMPARE(ondavox.exitCode(), 0);
    QCOMPARE(received.size(), 1);
    QCOMPARE(received.at(0).at(0).toStringList(), QStringList { list.fileName() });
    // It ended without writing anything of the user's.
    QVERIFY(!QFileInfo::exists(m_home.filePath(QStringLiteral("data/ondavox"))));
}

void TestInstanceChannel::onlyOneProgramHoldsTheName()
{
    InstanceChannel second;
    QVERIFY(!second.open());
}

QTEST_GUILESS_MAIN(TestInstanceChannel)
#include "tst_instancechannel.moc"
