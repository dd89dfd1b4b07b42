#include "app/application.h"
#include "core/playback/earlystream.h"
#include "core/playback/streamrequest.h"
#include "icecastserver.h"
#include "mprisname.h"
#include "platform/modules/playermodule.h"
#include "processes.h"
#include "testhttpserver.h"
#include "testplayer.h"
#include "ui/playback/mediaplayer.h"
#include "ui/playback/playerview.h"
#include "ui/playback/unavailableplayer.h"
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

// The player given the address the way the start-up sequence gives it: its
// connection opened beforehand.
std::unique_ptr<MediaPlayer> playEarly(const QString &address)
{
    std::unique_ptr<MediaPlayer> player = makeTestPlayer();
    if (!player)
        return player;
    player->offerEarlyStream(EarlyStream::open(address));
    player->setUrl(address);
    return player;
}

QString messagesOf(MediaPlayer &player)
{
    return player.status() + QLatin1Char('\n') + player.controller().messages().join(QLatin1Char('\n'));
}

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

// The start-up stream opened before the player is there, then read by it:
// the real player on servers on 127.0.0.1, and the real program.
class TestStartupStream : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void earlyRequestIsTheEnginesOwn();
    void liveStreamPlaysWithItsTitlesFromOneConnection();
    void failuresSayWhatTheEngineSays_data();
    void failuresSayWhatTheEngineSays();
    void redirectLeadsToTheStream();
    void streamDyingIsAnInterruption();
    void notAStreamIsOpenedByTheEngine();
    void anotherAddressClosesTheConnection();
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

void TestStartupStream::earlyRequestIsTheEnginesOwn()
{
    // What libmpv sends when it opens the address itself: the early request
    // must not tell itself apart.
    TestHttpServer server;
    QVERIFY(server.listen());
    server.addStatus(QStringLiteral("/live.mp3"), 404);
    auto player = makeTestPlayer();
    QVERIFY(player);
    player->setUrl(server.url(QStringLiteral("/live.mp3")));
    QTRY_COMPARE_WITH_TIMEOUT(server.requestCount(QStringLiteral("/live.mp3")), 1, startTimeoutMs);
    QCOMPARE(server.lastRequest(QStringLiteral("/live.mp3")) + "\r\n\r\n",
        StreamRequest::compose(QUrl(server.url(QStringLiteral("/live.mp3")))));
}

void TestStartupStream::liveStreamPlaysWithItsTitlesFromOneConnection()
{
    IcecastServer icecast;
    QString error;
    QVERIFY2(icecast.start(&error), qPrintable(error));
    const QString first = QStringLiteral("Café crème à Noël");
    QVERIFY2(icecast.setTitle(first, &error), qPrintable(error));

    auto player = playEarly(icecast.streamUrl());
    QVERIFY(player);
    player->widget();
    QTRY_COMPARE_WITH_TIMEOUT(player->status(), PlaybackStatus::playing, startTimeoutMs);
    QVERIFY(player->readsEarlyStream());
    QCOMPARE(player->url(), icecast.streamUrl());
    // One listener: the connection opened before the player.
    QCOMPARE(icecast.listenerCount(), 1);

    // The titles come through it, decoded, to the face and the bar.
    QTRY_COMPARE_WITH_TIMEOUT(player->streamTitle(), first, 15000);
    QCOMPARE(player->face()->titleText(), first);
    QVERIFY(player->controlBar()->statusText().endsWith(first));
    const QString next = QStringLiteral("<b>Suite</b>");
    QVERIFY2(icecast.setTitle(next, &error), qPrintable(error));
    QTRY_COMPARE_WITH_TIMEOUT(player->face()->titleText(), next, 15000);

    // A replay opens the address anew, as any later launch does.
    player->stop();
    QVERIFY(!player->readsEarlyStream());
    QTRY_COMPARE_WITH_TIMEOUT(icecast.listenerCount(), 0, 10000);
    player->play();
    QTRY_COMPARE_WITH_TIMEOUT(player->status(), PlaybackStatus::playing, startTimeoutMs);
    QVERIFY(!player->readsEarlyStream());
    QCOMPARE(icecast.listenerCount(), 1);
}

void TestStartupStream::failuresSayWhatTheEngineSays_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("status");

    QTest::newRow("refused connection") << QString() << "Erreur : connexion refusée";
    QTest::newRow("missing stream") << "/missing.mp3"
                                    << "Erreur : flux introuvable (404)";
    QTest::newRow("forbidden") << "/private.mp3"
                               << "Erreur : accès refusé (403)";
}

void TestStartupStream::failuresSayWhatTheEngineSays()
{
    QFETCH(QString, path);
    QFETCH(QString, status);

    TestHttpServer server;
    QVERIFY(server.listen());
    server.addStatus(QStringLiteral("/missing.mp3"), 404);
    server.addStatus(QStringLiteral("/private.mp3"), 403);
    const TestProcesses::ReservedPort closed;
    const QString address
        = path.isEmpty() ? QStringLiteral("http://127.0.0.1:%1/live.mp3").arg(closed.port()) : server.url(path);

    // The engine's own word first, then the early connection's.
    auto engine = makeTestPlayer();
    QVERIFY(engine);
    engine->setUrl(address);
    QTRY_VERIFY2_WITH_TIMEOUT(engine->status() == status, qPrintable(messagesOf(*engine)), startTimeoutMs);
    const int engineRequests = server.requestCount(path);

    auto player = playEarly(address);
    QVERIFY(player);
    QTRY_VERIFY2_WITH_TIMEOUT(player->status() == status, qPrintable(messagesOf(*player)), startTimeoutMs);
    QCOMPARE(player->playbackState(), PlayerControl::PlaybackState::Stopped);
    player->widget();
    QCOMPARE(player->controlBar()->statusText(), status);
    // The server saw one request, no more than the engine alone makes.
    if (!path.isEmpty())
        QCOMPARE(server.requestCount(path) - engineRequests, 1);
}

void TestStartupStream::redirectLeadsToTheStream()
{
    TestHttpServer server;
    QVERIFY(server.listen());
    server.addDyingStream(QStringLiteral("/live.mp3"), m_toneBytes, "audio/mpeg", 60000);
    server.addRedirect(QStringLiteral("/listen"), QStringLiteral("/live.mp3"));
    auto player = playEarly(server.url(QStringLiteral("/listen")));
    QVERIFY(player);
    QTRY_COMPARE_WITH_TIMEOUT(player->status(), PlaybackStatus::playing, startTimeoutMs);
    QVERIFY(player->readsEarlyStream());
    QCOMPARE(player->url(), server.url(QStringLiteral("/listen")));
    QCOMPARE(server.requestCount(QStringLiteral("/listen")), 1);
    QCOMPARE(server.requestCount(QStringLiteral("/live.mp3")), 1);
}

void TestStartupStream::streamDyingIsAnInterruption()
{
    TestHttpServer server;
    QVERIFY(server.listen());
    // About two seconds of sound, then the connection drops.
    server.addDyingStream(QStringLiteral("/dying.mp3"), m_toneBytes.left(32 * 1024), "audio/mpeg", 1000);
    auto player = playEarly(server.url(QStringLiteral("/dying.mp3")));
    QVERIFY(player);
    QTRY_COMPARE_WITH_TIMEOUT(player->status(), PlaybackStatus::playing, startTimeoutMs);
    QTRY_VERIFY2_WITH_TIMEOUT(
        player->status() == PlaybackStatus::interrupted, qPrintable(messagesOf(*player)), startTimeoutMs);
}

void TestStartupStream::notAStreamIsOpenedByTheEngine()
{
    // A file with a length, behind a redirect: the engine opens it itself,
    // where the redirect led, and plays it to its end.
    TestHttpServer server;
    QVERIFY(server.listen());
    QVERIFY(server.addFile(QStringLiteral("/song.mp3"), m_tone));
    server.addRedirect(QStringLiteral("/listen"), QStringLiteral("/song.mp3"));
    auto player = playEarly(server.url(QStringLiteral("/listen")));
    QVERIFY(player);
    QTRY_COMPARE_WITH_TIMEOUT(player->status(), PlaybackStatus::playing, startTimeoutMs);
    QVERIFY(!player->readsEarlyStream());
    QCOMPARE(server.requestCount(QStringLiteral("/listen")), 1);
    // The early look, then the engine's own request.
    QCOMPARE(server.requestCount(QStringLiteral("/song.mp3")), 2);
    QCOMPARE(player->url(), server.url(QStringLiteral("/listen")));
    // A file that ends is not a live stream cut short.
    QTRY_COMPARE_WITH_TIMEOUT(player->status(), PlaybackStatus::ready, startTimeoutMs);
}

void TestStartupStream::anotherAddressClosesTheConnection()
{
    TestHttpServer server;
    QVERIFY(server.listen());
    server.addDyingStream(QStringLiteral("/live.mp3"), m_toneBytes, "audio/mpeg", 60000);
    QVERIFY(server.addFile(QStringLiteral("/other.mp3"), m_tone));
    auto player = makeTestPlayer();
    QVERIFY(player);
    player->offerEarlyStream(EarlyStream::open(server.url(QStringLiteral("/live.mp3"))));
    QTRY_COMPARE(server.requestCount(QStringLiteral("/live.mp3")), 1);
    player->setUrl(server.url(QStringLiteral("/other.mp3")));
    QTRY_COMPARE_WITH_TIMEOUT(player->status(), PlaybackStatus::playing, startTimeoutMs);
    QVERIFY(!player->readsEarlyStream());
    // The offer was for the first address only.
    player->setUrl(server.url(QStringLiteral("/live.mp3")));
    QTRY_COMPARE_WITH_TIMEOUT(server.requestCount(QStringLiteral("/live.mp3")), 2, startTimeoutMs);
    QVERIFY(!player->readsEarlyStream());
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
    Application app([&absent](PlayerView &view, std::unique_ptr<EarlyStream> early, QString *error) {
        MpvEngineFactory *engine = PlayerModule::load(absent, error);
        std::unique_ptr<MediaPlayer> player;
        if (engine) {
            player = MediaPlayer::create(*engine, {}, error);
            player->useView(view);
            player->offerEarlyStream(std::move(early));
        }
        return std::unique_ptr<PlayerControl>(std::move(player));
    });
    Startup::Files files;
    files.preferences.check2 = 1;
    files.preferences.urlDem = QStringLiteral("http://127.0.0.1:9/live.mp3");
    app.start(files);
    QVERIFY(QTest::qWaitForWindowExposed(&app.radio()));
    const QString expected = UnavailablePlayer::statusFor(loadError);
    QTRY_COMPARE(app.player().status(), expected);
    auto *view = app.radio().findChild<PlayerView *>();
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
