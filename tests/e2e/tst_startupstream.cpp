#include "app/application.h"
#include "icecastserver.h"
#include "mprisname.h"
#include "platform/modules/engineloader.h"
#include "platform/modules/playermodule.h"
#include "processes.h"
#include "testhttpserver.h"
#include "testplayer.h"
#include "ui/playback/mediaplayer.h"
#include "ui/playback/playerview.h"
#include "ui/shell/radio.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>

namespace
{

constexpr int startTimeoutMs = 20000;

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QVariant mprisProperty(const QString &service, const QString &name)
{
    QDBusMessage get = QDBusMessage::createMethodCall(service,
        QStringLiteral("/org/mpris/MediaPlayer2"),
        QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << QStringLiteral("org.mpris.MediaPlayer2.Player") << name;
    const QDBusMessage reply = QDBusConnection::sessionBus().call(get);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return QVariant();
    return reply.arguments().first().value<QDBusVariant>().variant();
}

bool mprisCall(const QString &service, const QString &interface, const QString &method)
{
    const QDBusMessage call
        = QDBusMessage::createMethodCall(service, QStringLiteral("/org/mpris/MediaPlayer2"), interface, method);
    return QDBusConnection::sessionBus().call(call).type() == QDBusMessage::ReplyMessage;
}

} // namespace

// The start-up stream asked for by the player's engine as it is made, before
// the windows: the real program on servers on 127.0.0.1.
class TestStartupStream : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void missingPlayerStillShowsTheWindow();
    void programReadsItsStartupStreamOnce();
    void programWithoutItsModuleShowsTheWindowAndRequestsNothing();

private:
    // The real program started with a fresh home whose preferences play
    // `address` at start; the name it took on the session bus.
    QString startProgram(QProcess &program, QTemporaryDir &home, const QString &binary, const QString &address);
    // Asks it to quit, as the desktop's media controls do, and waits for its end.
    static void quitProgram(QProcess &program, const QString &name);

    QTemporaryDir m_media;
    QString m_tone;
    QByteArray m_toneBytes;
};

void TestStartupStream::initTestCase()
{
    const QString missing = IcecastServer::missingTools();
    if (!missing.isEmpty())
        QSKIP(qPrintable(missing));
    m_tone = m_media.filePath(QStringLiteral("tone.mp3"));
    QString error;
    QVERIFY2(TestProcesses::makeTone(m_tone, 6, &error), qPrintable(error));
    QFile tone(m_tone);
    QVERIFY(tone.open(QIODevice::ReadOnly));
    m_toneBytes = tone.readAll();
}

void TestStartupStream::missingPlayerStillShowsTheWindow()
{
    // A file that is no module, as a broken installation would have.
    const QString broken = m_media.filePath(QStringLiteral("ondavox-player.so"));
    writeFile(broken, "not a library");
    QString loadError;
    QVERIFY(!PlayerModule::load(broken, &loadError));
    QVERIFY2(loadError.contains(broken), qPrintable(loadError));
    const QString absent = m_media.filePath(QStringLiteral("lib/ondavox-player.so"));
    QVERIFY(!PlayerModule::load(absent, &loadError));
    QCOMPARE(loadError, QStringLiteral("module absent : ") + absent);

    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    // The program as it is where its module is missing.
    Application app;
    Startup::Files files;
    files.preferences.check2 = 1;
    files.preferences.urlDem = QStringLiteral("http://127.0.0.1:9/live.mp3");
    auto engine = std::make_unique<EngineLoader>(absent, Startup::startupStream(files.preferences));
    engine->localeSettled();
    app.start(files, std::move(engine));
    QVERIFY(QTest::qWaitForWindowExposed(&app.windows().radio()));
    const QString expected = QStringLiteral("Erreur : le lecteur multimédia ne peut pas démarrer (%1)").arg(loadError);
    QTRY_COMPARE(app.player().status(), expected);
    auto *view = app.windows().radio().findChild<PlayerView *>();
    QVERIFY(view);
    QCOMPARE(view->unavailableReason(), expected);
    QVERIFY(view->isVisible());
}

QString TestStartupStream::startProgram(
    QProcess &program, QTemporaryDir &home, const QString &binary, const QString &address)
{
    writeFile(home.filePath(QStringLiteral("data/ondavox/ovxpref.log")),
        "0*1*" + address.toUtf8() + "*0*AideOVX.txt*1*1*0*0*\r\n");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("ONDAVOX_MPV_AO"), QStringLiteral("null"));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(binary, {});
    if (!program.waitForStarted())
        return QString();
    QDeadlineTimer deadline(startTimeoutMs);
    while (mprisNameOf(program.processId()).isEmpty() && !deadline.hasExpired())
        QTest::qWait(20);
    return mprisNameOf(program.processId());
}

void TestStartupStream::quitProgram(QProcess &program, const QString &name)
{
    QVERIFY(mprisCall(name, QStringLiteral("org.mpris.MediaPlayer2"), QStringLiteral("Quit")));
    QVERIFY(program.waitForFinished(15000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
}

void TestStartupStream::programReadsItsStartupStreamOnce()
{
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
    TestHttpServer server;
    QVERIFY(server.listen());
    server.addDyingStream(QStringLiteral("/live.mp3"), m_toneBytes, "audio/mpeg", 60000);

    QTemporaryDir home;
    QProcess program;
    const QString name = startProgram(program, home, qEnvironmentVariable("ONDAVOX_BIN"), server.url("/live.mp3"));
    QVERIFY2(!name.isEmpty(), "the program did not show up on the session bus");
    QTRY_COMPARE_WITH_TIMEOUT(
        mprisProperty(name, QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Playing"), startTimeoutMs);
    // Time for a second request, had the player opened the stream itself.
    QTest::qWait(1500);
    QCOMPARE(server.requestCount(QStringLiteral("/live.mp3")), 1);
    QCOMPARE(mprisProperty(name, QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Playing"));
    quitProgram(program, name);
}

void TestStartupStream::programWithoutItsModuleShowsTheWindowAndRequestsNothing()
{
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
    TestHttpServer server;
    QVERIFY(server.listen());
    server.addDyingStream(QStringLiteral("/live.mp3"), m_toneBytes, "audio/mpeg", 60000);

    // The program alone, without the module beside it.
    QTemporaryDir install;
    const QString binary = install.filePath(QStringLiteral("bin/ondavox"));
    QVERIFY(QDir().mkpath(install.filePath(QStringLiteral("bin"))));
    QVERIFY(QFile::copy(qEnvironmentVariable("ONDAVOX_BIN"), binary));
    QVERIFY(!PlayerModule::isInstalled(install.filePath(QStringLiteral("bin"))));

    QTemporaryDir home;
    QProcess program;
    const QString name = startProgram(program, home, binary, server.url("/live.mp3"));
    QVERIFY2(!name.isEmpty(), "the program did not show up on the session bus");
    QTest::qWait(1500);
    QCOMPARE(mprisProperty(name, QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Stopped"));
    // No listener comes and goes for nothing.
    QCOMPARE(server.requestCount(QStringLiteral("/live.mp3")), 0);
    quitProgram(program, name);
}

int main(int argc, char *argv[])
{
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ondavox"));
    std::setlocale(LC_NUMERIC, "C");
    TestStartupStream test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startupstream.moc"
