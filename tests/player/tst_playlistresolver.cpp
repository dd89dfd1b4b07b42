#include "core/playback/playlistresolver.h"
#include "processes.h"
#include "testhttpserver.h"

#include <QSignalSpy>
#include <QTest>

class TestPlaylistResolver : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void answersEveryFetch_data();
    void answersEveryFetch();

private:
    TestHttpServer m_server;
    // Bound and not listening: a connection to it is refused.
    TestProcesses::ReservedPort m_closedPort;
};

void TestPlaylistResolver::initTestCase()
{
    QVERIFY(m_server.listen());
    m_server.addData(QStringLiteral("/radio.asx"),
        "<ASX version=\"3.0\"><ENTRY><REF HREF=\"live.mp3\"/></ENTRY>"
        "<ENTRY><REF HREF=\"http://127.0.0.1:1/backup.mp3\"/></ENTRY></ASX>",
        "video/x-ms-asf");
    m_server.addData(QStringLiteral("/listen"), "[Reference]\r\nRef1=http://127.0.0.1:1/a.mp3\r\n", "video/x-ms-asf");
    m_server.addData(QStringLiteral("/empty.asx"), "<asx version=\"3.0\"></asx>", "video/x-ms-asf");
    m_server.addData(QStringLiteral("/live.mp3"), QByteArray(4096, '\xFF'), "audio/mpeg");
    m_server.addStatus(QStringLiteral("/gone.asx"), 404);
    m_server.addData(QStringLiteral("/local.asx"),
        "<asx version=\"3.0\"><entry><ref href=\"file:///etc/passwd\"/><ref href=\"fd://0\"/></entry></asx>",
        "video/x-ms-asf");
    m_server.addRedirect(QStringLiteral("/moved.asx"), QStringLiteral("file:///etc/passwd"));
}

void TestPlaylistResolver::answersEveryFetch_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("onlyIfPlaylist");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<QStringList>("entries");

    const QString base = QStringLiteral("http://127.0.0.1:%1").arg(m_server.port());
    QTest::newRow("asx with a relative entry")
        << base + "/radio.asx" << false << "resolved"
        << QStringList { base + "/live.mp3", QStringLiteral("http://127.0.0.1:1/backup.mp3") };
    QTest::newRow("playlist under a plain name")
        << base + "/listen" << true << "resolved" << QStringList { QStringLiteral("http://127.0.0.1:1/a.mp3") };
    QTest::newRow("stream is no playlist") << base + "/live.mp3" << true << "not a playlist" << QStringList {};
    QTest::newRow("missing playlist") << base + "/gone.asx" << false << "Erreur : flux introuvable (404)"
                                      << QStringList {};
    QTest::newRow("empty playlist") << base + "/empty.asx" << false << "Erreur : liste de lecture vide"
                                    << QStringList {};
    // A server cannot lead the player to a local file, by an entry or by a redirect.
    QTest::newRow("local entries only") << base + "/local.asx" << false
                                        << "Erreur : liste de lecture sans adresse réseau" << QStringList {};
    QTest::newRow("redirect to a local file")
        << base + "/moved.asx" << false << "Erreur : type d'adresse non pris en charge" << QStringList {};
    QTest::newRow("closed port") << QStringLiteral("http://127.0.0.1:%1/x.asx").arg(m_closedPort.port()) << false
                                 << "Erreur : connexion refusée" << QStringList {};
}

void TestPlaylistResolver::answersEveryFetch()
{
    QFETCH(QString, address);
    QFETCH(bool, onlyIfPlaylist);
    QFETCH(QString, outcome);
    QFETCH(QStringList, entries);

    PlaylistResolver resolver;
    QString result;
    QStringList resolvedEntries;
    connect(&resolver, &PlaylistResolver::resolved, this, [&](const QUrl &url, const QStringList &found) {
        QCOMPARE(url, QUrl(address));
        result = QStringLiteral("resolved");
        resolvedEntries = found;
    });
    connect(&resolver, &PlaylistResolver::failed, this, [&](const QUrl &, const QString &reason) {
        result = reason;
    });
    connect(&resolver, &PlaylistResolver::notPlaylist, this, [&](const QUrl &) {
        result = QStringLiteral("not a playlist");
    });

    resolver.resolve(QUrl(address), onlyIfPlaylist);
    QTRY_VERIFY_WITH_TIMEOUT(!result.isEmpty(), 10000);
    QCOMPARE(result, outcome);
    QCOMPARE(resolvedEntries, entries);
}

QTEST_GUILESS_MAIN(TestPlaylistResolver)
#include "tst_playlistresolver.moc"
