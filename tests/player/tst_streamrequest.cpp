#include "core/playback/streamrequest.h"

#include <QTest>

using Kind = StreamRequest::Verdict::Kind;
using Fields = QList<std::pair<QByteArray, QByteArray>>;

namespace
{

StreamRequest::Answer answer(int status, const Fields &fields)
{
    StreamRequest::Answer result;
    result.status = status;
    result.fields = fields;
    return result;
}

} // namespace

// The request that opens a stream, and what its answer means.
class TestStreamRequest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void requestIsTheEnginesWordForWord_data();
    void requestIsTheEnginesWordForWord();
    void headIsRead_data();
    void headIsRead();
    void answerIsJudged_data();
    void answerIsJudged();
    void demuxerFollowsTheContentType_data();
    void demuxerFollowsTheContentType();
    void connectionFailuresInTheEnginesWords_data();
    void connectionFailuresInTheEnginesWords();
};

void TestStreamRequest::requestIsTheEnginesWordForWord_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<QByteArray>("host");

    QTest::newRow("port given") << "http://127.0.0.1:8000/live.mp3" << QByteArray("/live.mp3")
                                << QByteArray("127.0.0.1:8000");
    QTest::newRow("default port left out")
        << "http://radio.example/live" << QByteArray("/live") << QByteArray("radio.example");
    QTest::newRow("port 80 given is the default")
        << "http://radio.example:80/live" << QByteArray("/live") << QByteArray("radio.example");
    QTest::newRow("https default") << "https://radio.example/a.aac" << QByteArray("/a.aac")
                                   << QByteArray("radio.example");
    QTest::newRow("https on port 80") << "https://radio.example:80/a" << QByteArray("/a")
                                      << QByteArray("radio.example:80");
    QTest::newRow("no path") << "http://radio.example" << QByteArray("/") << QByteArray("radio.example");
    QTest::newRow("query kept") << "http://radio.example/stream?id=4&q=hi" << QByteArray("/stream?id=4&q=hi")
                                << QByteArray("radio.example");
    QTest::newRow("IPv6 literal") << "http://[::1]:8000/live" << QByteArray("/live") << QByteArray("[::1]:8000");
}

void TestStreamRequest::requestIsTheEnginesWordForWord()
{
    QFETCH(QString, url);
    QFETCH(QByteArray, target);
    QFETCH(QByteArray, host);

    // What libmpv sent, seen by a server on this machine.
    const QByteArray expected = "GET " + target
        + " HTTP/1.1\r\nUser-Agent: Ondavox/" ONDAVOX_VERSION
          "\r\nAccept: */*\r\nRange: bytes=0-\r\nConnection: close\r\nHost: "
        + host + "\r\nIcy-MetaData: 1\r\n\r\n";
    QCOMPARE(StreamRequest::compose(QUrl(url)), expected);
}

void TestStreamRequest::headIsRead_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("metaint");

    QTest::newRow("icecast") << QByteArray("HTTP/1.0 200 OK\r\nContent-Type: audio/mpeg\r\nicy-metaint:16000") << 200
                             << QByteArray("16000");
    QTest::newRow("SHOUTcast v1") << QByteArray("ICY 200 OK\r\nicy-metaint: 8192\r\nicy-name:Radio") << 200
                                  << QByteArray("8192");
    QTest::newRow("names in any case") << QByteArray("HTTP/1.1 404 Not Found\r\nICY-MetaInt:  32 ") << 404
                                       << QByteArray("32");
    QTest::newRow("bare line ends") << QByteArray("HTTP/1.1 302 Found\nLocation: /x\nIcy-Metaint: 1") << 302
                                    << QByteArray("1");
    QTest::newRow("not HTTP") << QByteArray("\xff\xfb\x90\x64 sound") << -1 << QByteArray();
    QTest::newRow("no status code") << QByteArray("HTTP/1.0 OK") << -1 << QByteArray();
    QTest::newRow("status code too long") << QByteArray("HTTP/1.0 2000 OK") << -1 << QByteArray();
}

void TestStreamRequest::headIsRead()
{
    QFETCH(QByteArray, head);
    QFETCH(int, status);
    QFETCH(QByteArray, metaint);

    const std::optional<StreamRequest::Answer> read = StreamRequest::parseHead(head);
    QCOMPARE(read.has_value(), status > 0);
    if (!read)
        return;
    QCOMPARE(read->status, status);
    QCOMPARE(read->field("icy-metaint"), metaint);
}

void TestStreamRequest::answerIsJudged_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("detail");

    const QByteArray mp3 = "audio/mpeg";
    QTest::newRow("icecast live MP3") << 200 << Fields { { "content-type", mp3 }, { "icy-metaint", "16000" } }
                                      << int(Kind::Live) << "16000";
    QTest::newRow("live, no metadata") << 200 << Fields { { "content-type", "audio/aacp" } } << int(Kind::Live) << "0";
    QTest::newRow("live Ogg") << 200 << Fields { { "content-type", "application/ogg" } } << int(Kind::Live) << "0";
    QTest::newRow("live TS video") << 200 << Fields { { "content-type", "video/mp2t" } } << int(Kind::Live) << "0";
    QTest::newRow("no type, ICY fields") << 200 << Fields { { "icy-name", "Radio" } } << int(Kind::Live) << "0";
    QTest::newRow("no type, nothing else") << 200 << Fields {} << int(Kind::HandBack) << "";
    QTest::newRow("a file with a length")
        << 200 << Fields { { "content-type", mp3 }, { "content-length", "5000" } } << int(Kind::HandBack) << "";
    QTest::newRow("a range answered") << 206 << Fields { { "content-type", mp3 }, { "content-range", "bytes 0-9/10" } }
                                      << int(Kind::HandBack) << "";
    QTest::newRow("chunks") << 200 << Fields { { "content-type", mp3 }, { "transfer-encoding", "chunked" } }
                            << int(Kind::HandBack) << "";
    QTest::newRow("M3U playlist") << 200 << Fields { { "content-type", "audio/x-mpegurl" } } << int(Kind::HandBack)
                                  << "";
    QTest::newRow("HLS playlist") << 200 << Fields { { "content-type", "application/vnd.apple.mpegurl" } }
                                  << int(Kind::HandBack) << "";
    QTest::newRow("PLS playlist") << 200 << Fields { { "content-type", "audio/x-scpls" } } << int(Kind::HandBack) << "";
    QTest::newRow("ASX playlist") << 200 << Fields { { "content-type", "video/x-ms-asf" } } << int(Kind::HandBack)
                                  << "";
    QTest::newRow("a page") << 200 << Fields { { "content-type", "text/html; charset=utf-8" } } << int(Kind::HandBack)
                            << "";
    QTest::newRow("bad metadata interval")
        << 200 << Fields { { "content-type", mp3 }, { "icy-metaint", "lots" } } << int(Kind::HandBack) << "";
    QTest::newRow("redirect, relative") << 302 << Fields { { "location", "/other/live.mp3?x=1" } }
                                        << int(Kind::Redirect) << "http://radio.example:8000/other/live.mp3?x=1";
    QTest::newRow("redirect to https") << 301 << Fields { { "location", "https://cdn.example/live" } }
                                       << int(Kind::Redirect) << "https://cdn.example/live";
    QTest::newRow("redirect 307") << 307 << Fields { { "location", "live2" } } << int(Kind::Redirect)
                                  << "http://radio.example:8000/mount/live2";
    QTest::newRow("redirect nowhere") << 302 << Fields {} << int(Kind::HandBack) << "";
    QTest::newRow("not found") << 404 << Fields { { "content-type", "text/html" } } << int(Kind::Failed)
                               << "Erreur : flux introuvable (404)";
    QTest::newRow("gone") << 410 << Fields {} << int(Kind::Failed) << "Erreur : flux introuvable (410)";
    QTest::newRow("forbidden") << 403 << Fields {} << int(Kind::Failed) << "Erreur : accès refusé (403)";
    QTest::newRow("server fault") << 503 << Fields {} << int(Kind::Failed) << "Erreur : le serveur a répondu 503";
    QTest::newRow("no content") << 204 << Fields {} << int(Kind::HandBack) << "";
}

void TestStreamRequest::answerIsJudged()
{
    QFETCH(int, status);
    QFETCH(Fields, fields);
    QFETCH(int, kind);
    QFETCH(QString, detail);

    const StreamRequest::Verdict verdict
        = StreamRequest::judge(answer(status, fields), QUrl(QStringLiteral("http://radio.example:8000/mount/live")));
    QCOMPARE(int(verdict.kind), kind);
    switch (verdict.kind) {
    case Kind::Live:
        QCOMPARE(QString::number(verdict.metaInterval), detail);
        break;
    case Kind::Redirect:
        QCOMPARE(verdict.location.toString(), detail);
        break;
    case Kind::Failed:
        QCOMPARE(verdict.failure, detail);
        break;
    case Kind::HandBack:
        break;
    }
}

void TestStreamRequest::demuxerFollowsTheContentType_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("demuxer");

    QTest::newRow("MP3") << QByteArray("audio/mpeg") << QByteArray("mp3");
    QTest::newRow("MP3 with parameters") << QByteArray("Audio/MPEG; charset=x") << QByteArray("mp3");
    QTest::newRow("AAC+") << QByteArray("audio/aacp") << QByteArray("aac");
    QTest::newRow("Ogg") << QByteArray("application/ogg") << QByteArray("ogg");
    QTest::newRow("FLAC") << QByteArray("audio/flac") << QByteArray("flac");
    QTest::newRow("TS video: found from the data") << QByteArray("video/mp2t") << QByteArray();
    QTest::newRow("none") << QByteArray() << QByteArray();
}

void TestStreamRequest::demuxerFollowsTheContentType()
{
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, demuxer);
    QCOMPARE(StreamRequest::demuxerFor(type), demuxer);
}

void TestStreamRequest::connectionFailuresInTheEnginesWords_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("text");

    QTest::newRow("refused") << int(QAbstractSocket::ConnectionRefusedError)
                             << QStringLiteral("Erreur : connexion refusée");
    QTest::newRow("unknown host") << int(QAbstractSocket::HostNotFoundError)
                                  << QStringLiteral("Erreur : serveur introuvable");
    QTest::newRow("no answer") << int(QAbstractSocket::SocketTimeoutError)
                               << QStringLiteral("Erreur : le serveur ne répond pas");
    // Left to the engine, which says it in its own words.
    QTest::newRow("anything else") << int(QAbstractSocket::NetworkError) << QString();
    QTest::newRow("TLS") << int(QAbstractSocket::SslHandshakeFailedError) << QString();
}

void TestStreamRequest::connectionFailuresInTheEnginesWords()
{
    QFETCH(int, error);
    QFETCH(QString, text);
    const std::optional<QString> failure
        = StreamRequest::connectionFailure(static_cast<QAbstractSocket::SocketError>(error));
    QCOMPARE(failure.value_or(QString()), text);
}

QTEST_GUILESS_MAIN(TestStreamRequest)
#include "tst_streamrequest.moc"
