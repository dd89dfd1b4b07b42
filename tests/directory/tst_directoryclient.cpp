#include "core/directory/directoryclient.h"
#include "core/directory/stationrecords.h"
#include "directorystandin.h"
#include "testhttpserver.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

// The directory client against stand-ins on 127.0.0.1: the requests it sends
// beside the API's documented forms, the next server after each way a server
// can fail, what the user is told when none answers, and the records as the
// list shows them.
class TestDirectoryClient : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void requestsFollowTheDocumentedForms_data();
    void requestsFollowTheDocumentedForms();
    void playIsCountedAtTheClickEndpoint();
    void movesToTheNextServer_data();
    void movesToTheNextServer();
    void saysWhyWhenNoServerAnswers_data();
    void saysWhyWhenNoServerAnswers();
    void knownServersWhenDnsGivesNothing();
    void records_data();
    void records();

private:
    // A server that fails in the way `kind` names; its address.
    QUrl failingServer(const QString &kind);
    DirectoryClient::Settings settingsFor(const QList<QUrl> &servers) const;

    DirectoryStandIn m_standIn;
    std::vector<std::unique_ptr<QObject>> m_failing;
};

namespace
{

// Nothing listens on a bound socket that never listens: connections are refused.
quint16 refusingPort(std::vector<std::unique_ptr<QObject>> &keep)
{
    auto server = std::make_unique<QTcpServer>();
    server->listen(QHostAddress::LocalHost);
    const quint16 port = server->serverPort();
    server->close();
    keep.push_back(std::move(server));
    return port;
}

// Lists the servers in DNS's answer; here, none.
class NoDns : public DirectoryServers
{
public:
    using DirectoryServers::DirectoryServers;

protected:
    void lookUp() override { lookedUp({}); }
};

} // namespace

void TestDirectoryClient::initTestCase()
{
    QString error;
    QVERIFY2(m_standIn.start(qEnvironmentVariable("ONDAVOX_TEST_DATA") + QStringLiteral("/directory"), 0, &error),
        qPrintable(error));
}

DirectoryClient::Settings TestDirectoryClient::settingsFor(const QList<QUrl> &servers) const
{
    DirectoryClient::Settings settings;
    settings.sources.configured = servers;
    settings.attemptTimeoutMs = 1500;
    return settings;
}

void TestDirectoryClient::requestsFollowTheDocumentedForms_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("countryCode");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("requestLine");

    // The search's documented form, parameters as the API names them.
    QTest::newRow("by name") << "FIP"
                             << ""
                             << ""
                             << "" << 0
                             << QByteArray("GET /json/stations/search?name=FIP&hidebroken=true&order=clickcount"
                                           "&reverse=true&limit=100&offset=0 HTTP/1.1");
    QTest::newRow("by country and language, next page")
        << ""
        << "FR"
        << "french"
        << "" << 200
        << QByteArray("GET /json/stations/search?countrycode=FR&language=french&hidebroken=true&order=clickcount"
                      "&reverse=true&limit=100&offset=200 HTTP/1.1");
    QTest::newRow("words that hold the query's own characters")
        << "Rires & chansons"
        << ""
        << ""
        << "drum+bass=1" << 0
        << QByteArray("GET /json/stations/search?name=Rires%20%26%20chansons&tag=drum%2Bbass%3D1&hidebroken=true"
                      "&order=clickcount&reverse=true&limit=100&offset=0 HTTP/1.1");
    QTest::newRow("accents in UTF-8")
        << "Chérie"
        << ""
        << ""
        << "" << 0
        << QByteArray("GET /json/stations/search?name=Ch%C3%A9rie&hidebroken=true&order=clickcount&reverse=true"
                      "&limit=100&offset=0 HTTP/1.1");
}

void TestDirectoryClient::requestsFollowTheDocumentedForms()
{
    QFETCH(QString, name);
    QFETCH(QString, countryCode);
    QFETCH(QString, language);
    QFETCH(QString, tag);
    QFETCH(int, offset);
    QFETCH(QByteArray, requestLine);

    DirectoryClient client(settingsFor({ QUrl(m_standIn.url()) }));
    QSignalSpy found(&client, &DirectoryClient::found);
    DirectoryQuery query;
    query.name = name;
    query.countryCode = countryCode;
    query.language = language;
    query.tag = tag;
    query.offset = offset;
    client.search(query);
    QVERIFY(found.wait());
    const QByteArray head = m_standIn.server().lastRequest(QStringLiteral("/json/stations/search"));
    QCOMPARE(head.left(head.indexOf("\r\n")), requestLine);
    // The maintainers ask for the program's name and version.
    QCOMPARE(m_standIn.server().lastRequestHeader(QStringLiteral("/json/stations/search"), "User-Agent"),
        QByteArray("Ondavox/" ONDAVOX_VERSION));
}

void TestDirectoryClient::playIsCountedAtTheClickEndpoint()
{
    DirectoryClient client(settingsFor({ QUrl(m_standIn.url()) }));
    QSignalSpy found(&client, &DirectoryClient::found);
    DirectoryQuery query;
    query.name = QStringLiteral("FIP");
    client.search(query);
    QVERIFY(found.wait());
    const QString uuid = found.at(0).at(1).value<QList<DirectoryStation>>().at(0).uuid;
    QCOMPARE(uuid, m_standIn.uuidOf(QStringLiteral("FIP")));

    QSignalSpy clicked(&m_standIn, &DirectoryStandIn::clicked);
    client.countClick(uuid);
    QVERIFY(clicked.wait());
    const QString path = QStringLiteral("/json/url/") + uuid;
    const QByteArray head = m_standIn.server().lastRequest(path);
    QCOMPARE(head.left(head.indexOf("\r\n")), "GET " + path.toUtf8() + " HTTP/1.1");
    QCOMPARE(m_standIn.server().lastRequestHeader(path, "User-Agent"), QByteArray("Ondavox/" ONDAVOX_VERSION));

    // What comes from outside does not choose the path.
    client.countClick(QStringLiteral("../../json/stations"));
    QTest::qWait(200);
    QCOMPARE(m_standIn.server().requestCount(QStringLiteral("/json/stations")), 0);
}

QUrl TestDirectoryClient::failingServer(const QString &kind)
{
    if (kind == u"refused")
        return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(refusingPort(m_failing)));
    auto server = std::make_unique<TestHttpServer>();
    server->listen();
    const QString search = QStringLiteral("/json/stations/search");
    if (kind == u"HTTP 500")
        server->addStatus(search, 500);
    else if (kind == u"never answers")
        server->addLateData(search, "[]", "application/json", 60000);
    else if (kind == u"trickles")
        server->addTrickle(search, QByteArray(4000, ' ') + "[]", "application/json", 1, 100);
    else if (kind == u"JSON that does not parse")
        server->addData(search, R"([{"name": "FIP", "url": "http://h/f"},)", "application/json");
    else if (kind == u"not a list")
        server->addData(search, R"({"error": "rate limited"})", "application/json");
    else if (kind == u"several megabytes")
        server->addData(search, "[" + QByteArray(3 * 1024 * 1024, ' ') + "]", "application/json");
    else if (kind == u"several megabytes, no length")
        server->addDyingStream(search, "[" + QByteArray(3 * 1024 * 1024, ' ') + "]", "application/json", 20000);
    const QUrl url(server->url(QString()));
    m_failing.push_back(std::move(server));
    return url;
}

void TestDirectoryClient::movesToTheNextServer_data()
{
    QTest::addColumn<QString>("kind");
    for (const char *kind : { "refused",
             "HTTP 500",
             "never answers",
             "trickles",
             "JSON that does not parse",
             "not a list",
             "several megabytes" })
        QTest::newRow(kind) << kind;
}

void TestDirectoryClient::movesToTheNextServer()
{
    QFETCH(QString, kind);
    // Tried in random order: the answer comes from the working server whichever is first.
    DirectoryClient client(settingsFor({ failingServer(kind), failingServer(kind), QUrl(m_standIn.url()) }));
    QSignalSpy found(&client, &DirectoryClient::found);
    QSignalSpy failed(&client, &DirectoryClient::failed);
    DirectoryQuery query;
    query.name = QStringLiteral("FIP");
    client.search(query);
    QTRY_COMPARE_WITH_TIMEOUT(found.size(), 1, 10000);
    QCOMPARE(failed.size(), 0);
    QCOMPARE(found.at(0).at(1).value<QList<DirectoryStation>>().at(0).name, QStringLiteral("FIP"));
    // The server that answered is asked first next time.
    QCOMPARE(client.server(), QUrl(m_standIn.url()));
}

void TestDirectoryClient::saysWhyWhenNoServerAnswers_data()
{
    QTest::addColumn<QStringList>("kinds");
    QTest::addColumn<QString>("message");
    QTest::newRow("none answers") << QStringList { "refused", "HTTP 500", "never answers", "trickles" }
                                  << DirectoryClient::noServerMessage;
    QTest::newRow("JSON that does not parse")
        << QStringList { "refused", "JSON that does not parse" } << DirectoryClient::unreadableMessage;
    QTest::newRow("not a list") << QStringList { "not a list" } << DirectoryClient::unreadableMessage;
    QTest::newRow("several megabytes") << QStringList { "several megabytes", "refused" }
                                       << DirectoryClient::tooLargeMessage;
    QTest::newRow("several megabytes, no length")
        << QStringList { "several megabytes, no length" } << DirectoryClient::tooLargeMessage;
}

void TestDirectoryClient::saysWhyWhenNoServerAnswers()
{
    QFETCH(QStringList, kinds);
    QFETCH(QString, message);
    QList<QUrl> servers;
    for (const QString &kind : kinds)
        servers.append(failingServer(kind));
    DirectoryClient client(settingsFor(servers));
    QSignalSpy failed(&client, &DirectoryClient::failed);
    client.search({});
    QTRY_COMPARE_WITH_TIMEOUT(failed.size(), 1, 15000);
    QCOMPARE(failed.at(0).at(1).toString(), message);
    QVERIFY(!client.isSearching());
}

void TestDirectoryClient::knownServersWhenDnsGivesNothing()
{
    DirectoryClient::Settings settings;
    settings.sources.known = { QUrl(m_standIn.url()) };
    auto *servers = new NoDns(settings.sources);
    DirectoryClient client(settings, servers);
    servers->setParent(&client);
    QSignalSpy found(&client, &DirectoryClient::found);
    DirectoryQuery query;
    query.name = QStringLiteral("FIP");
    client.search(query);
    QVERIFY(found.wait());
    QCOMPARE(client.server(), QUrl(m_standIn.url()));
}

void TestDirectoryClient::records_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QStringList>("stations");
    QTest::addColumn<int>("leftOut");

    QTest::newRow("resolved address first") << QByteArray(R"([{"stationuuid":"a1","name":"FIP",
        "url":"http://h/fip.m3u","url_resolved":"http://h/fip.aac","codec":"AAC","bitrate":192}])")
                                            << QStringList { "FIP|http://h/fip.aac|AAC|192" } << 0;
    QTest::newRow("fields missing") << QByteArray(R"([{"stationuuid":"a1","url":"http://h/a"},
            {"stationuuid":"a2","name":"No address"},
            {"name":"No uuid","url":"http://h/c"},
            {"stationuuid":"a4","name":null,"url_resolved":"","url":"http://h/d","bitrate":"128"}])")
                                    << QStringList { "http://h/a|http://h/a||0", "http://h/d|http://h/d||128" } << 2;
    QTest::newRow("addresses that are not streams on the network")
        << QByteArray(R"([{"stationuuid":"b1","name":"Local","url":"file:///etc/passwd"},
            {"stationuuid":"b2","name":"Engine","url_resolved":"av://lavfi:sine","url":"fd://0"},
            {"stationuuid":"b3","name":"Fine","url":"https://h/fine"}])")
        << QStringList { "Fine|https://h/fine||0" } << 2;
    QTest::newRow("markup and controls in names")
        << QByteArray(R"([{"stationuuid":"c1","name":"<b>Jazz</b> & <i>co</i>\n\u202eFM\u0000",
            "url":"http://h/j","codec":"<script>"}])")
        << QStringList { "<b>Jazz</b> & <i>co</i> FM|http://h/j|<script>|0" } << 0;
    QTest::newRow("values of the wrong kind")
        << QByteArray(R"([7, "text", null, [], {"stationuuid":5,"name":["x"],"url":"http://h/x"},
            {"stationuuid":"d2","name":{"a":1},"url":"http://h/y","bitrate":-64,"clickcount":1e300}])")
        << QStringList { "http://h/y|http://h/y||0" } << 5;
}

void TestDirectoryClient::records()
{
    QFETCH(QByteArray, json);
    QFETCH(QStringList, stations);
    QFETCH(int, leftOut);
    const StationRecords::Parsed parsed = StationRecords::parse(json);
    QVERIFY2(parsed.error.isEmpty(), qPrintable(parsed.error));
    QStringList shown;
    for (const DirectoryStation &station : parsed.stations)
        shown.append(QStringLiteral("%1|%2|%3|%4")
                         .arg(station.name, station.address, station.codec, QString::number(station.bitrate)));
    QCOMPARE(shown, stations);
    QCOMPARE(parsed.leftOut, leftOut);
}

QTEST_GUILESS_MAIN(TestDirectoryClient)
#include "tst_directoryclient.moc"
