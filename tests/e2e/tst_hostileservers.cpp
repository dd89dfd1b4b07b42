#include "hostileroutes.h"
#include "icecastserver.h"
#include "processes.h"
#include "testhttpserver.h"
#include "testplayer.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>

namespace
{

// Not a copy made before the program runs: that one may still be empty.
const QString &playing = PlaybackStatus::playing;

bool reconnecting(MediaPlayer &player)
{
    return PlaybackStatus::isReconnecting(player.status());
}

// This process's resident memory, in MiB.
double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

} // namespace

// Streams that servers let down, on servers of the test's own on 127.0.0.1:
// the real player, with null outputs, says what happens, plays again what
// can be played again, and holds its memory.
class TestHostileServers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void liveStreamComesBackWithItsServer_data();
    void liveStreamComesBackWithItsServer();
    void stalledStreamIsOpenedAgain();
    void eachFaultIsSaidAndNothingGrows_data();
    void eachFaultIsSaidAndNothingGrows();

private:
    QTemporaryDir m_media;
    QByteArray m_tone;
};

void TestHostileServers::initTestCase()
{
    const QString missing = IcecastServer::missingTools();
    if (!missing.isEmpty())
        QSKIP(qPrintable(missing));
    const QString tone = m_media.filePath(QStringLiteral("tone.mp3"));
    QString error;
    QVERIFY2(TestProcesses::makeTone(tone, 6, &error), qPrintable(error));
    QFile file(tone);
    QVERIFY(file.open(QIODevice::ReadOnly));
    m_tone = file.readAll();
}

void TestHostileServers::liveStreamComesBackWithItsServer_data()
{
    QTest::addColumn<int>("outageMs");
    QTest::newRow("5 s") << 5000;
    QTest::newRow("60 s") << 60000;
}

void TestHostileServers::liveStreamComesBackWithItsServer()
{
    QFETCH(int, outageMs);
    IcecastServer icecast;
    QString error;
    QVERIFY2(icecast.start(&error), qPrintable(error));
    auto player = makeTestPlayer();
    QVERIFY(player);
    player->setUrl(icecast.streamUrl());
    QTRY_COMPARE_WITH_TIMEOUT(player->status(), playing, 20000);

    icecast.stop();
    QTRY_VERIFY_WITH_TIMEOUT(reconnecting(*player), 20000);
    QCOMPARE(player->playbackState(), PlayerControl::PlaybackState::Stopped);
    QTest::qWait(outageMs);
    QVERIFY2(reconnecting(*player), qPrintable(player->status()));
    QVERIFY2(icecast.start(&error), qPrintable(error));
    QTRY_COMPARE_WITH_TIMEOUT(player->status(), playing, 20000);
    QCOMPARE(player->playbackState(), PlayerControl::PlaybackState::Playing);
    QCOMPARE(player->url(), icecast.streamUrl());
}

void TestHostileServers::stalledStreamIsOpenedAgain()
{
    // Three seconds of sound, then nothing more on a connection kept open.
    TestHttpServer server;
    QVERIFY(server.listen());
    server.addRaw(QStringLiteral("/stalls.mp3"),
        "HTTP/1.0 200 OK\r\nContent-Type: audio/mpeg\r\nicy-name: stalls\r\n\r\n" + m_tone.left(48000));
    auto player = makeTestPlayer();
    QVERIFY(player);
    player->setUrl(server.url(QStringLiteral("/stalls.mp3")));
    QTRY_COMPARE_WITH_TIMEOUT(player->status(), playing, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(reconnecting(*player), 25000);
    QTRY_COMPARE_WITH_TIMEOUT(player->status(), playing, 20000);
    QVERIFY(server.requestCount(QStringLiteral("/stalls.mp3")) >= 2);
}

void TestHostileServers::eachFaultIsSaidAndNothingGrows_data()
{
    QTest::addColumn<QString>("path");
    // What the status says in the end: the whole text, or how it begins.
    QTest::addColumn<QString>("said");

    const QHash<QString, QString> said {
        { QStringLiteral("/silent.mp3"), QStringLiteral("Erreur : le serveur ne répond pas") },
        { QStringLiteral("/trickle.mp3"), QStringLiteral("Erreur : le serveur ne répond pas") },
        { QStringLiteral("/endless-head.mp3"), QStringLiteral("Erreur") },
        { QStringLiteral("/metaint-0.mp3"), playing },
        { QStringLiteral("/metaint-huge.mp3"), playing },
        { QStringLiteral("/noise.mp3"), QStringLiteral("Erreur : format non reconnu") },
        { QStringLiteral("/loop.mp3"), QStringLiteral("Erreur") },
        { QStringLiteral("/missing.mp3"), QStringLiteral("Erreur : flux introuvable (404)") },
    };
    for (const HostileRoute &route : hostileRoutes())
        QTest::newRow(qPrintable(route.name)) << route.path << said.value(route.path);
}

void TestHostileServers::eachFaultIsSaidAndNothingGrows()
{
    QFETCH(QString, path);
    QFETCH(QString, said);

    TestHttpServer server;
    QVERIFY(server.listen());
    addHostileRoutes(server, m_tone);
    const double before = residentMiB();
    auto player = makeTestPlayer();
    QVERIFY(player);
    player->setUrl(server.url(path));
    QTRY_VERIFY2_WITH_TIMEOUT(player->status().startsWith(said), qPrintable(messagesOf(*player)), 40000);
    // Answers that waiting will not change are not asked again.
    const int requests = server.requestCount(path);
    QTest::qWait(1500);
    QVERIFY2(player->status().startsWith(said), qPrintable(player->status()));
    QVERIFY(!reconnecting(*player));
    if (said != playing)
        QCOMPARE(server.requestCount(path), requests);
    const double grown = residentMiB() - before;
    QVERIFY2(grown < 100, qPrintable(QStringLiteral("%1 MiB more").arg(grown)));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    TestHostileServers test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hostileservers.moc"
