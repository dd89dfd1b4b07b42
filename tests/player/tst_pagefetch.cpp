#include "browserevents.h"
#include "core/browser/pagefetch.h"
#include "processes.h"
#include "testhttpserver.h"

#include <QSignalSpy>
#include <QTest>

// Pages loaded as a browser asks for them, without a browser, from a loopback
// server that counts what it is asked.
class TestPageFetch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void failuresGetTheBrowsersCodes_data();
    void failuresGetTheBrowsersCodes();
    void addressesTakeTheBrowsersForm_data();
    void addressesTakeTheBrowsersForm();
    void onlyWebAddressesAreFetched_data();
    void onlyWebAddressesAreFetched();
    void filesToSaveAreToldFromPages_data();
    void filesToSaveAreToldFromPages();

    void eventsComeInTheBrowsersOrder_data();
    void eventsComeInTheBrowsersOrder();
    void nothingIsRaisedBeforeStartReturns();
    void theAnswerIsKeptAsSent();
    void theRequestIsTheBrowsers();
    void reloadAsksForAFreshCopy();
    void stopEndsTheProgressWithoutOutcome();
    void aNewStartDropsTheOldOneSilently();
    void aLongAnswerIsNotKept();
    void aFileToSaveStopsTheFetch();

private:
    TestHttpServer m_server;
    // Bound and not listening: a connection to it is refused.
    TestProcesses::ReservedPort m_closedPort;
    const QString m_userAgent = QStringLiteral("Mozilla/5.0 (X11; Linux x86_64) Test/1.0");
};

void TestPageFetch::initTestCase()
{
    QVERIFY(m_server.listen());
    m_server.addData(QStringLiteral("/index.html"), "<html><body>Ondavox</body></html>", "text/html; charset=utf-8");
    m_server.addData(QStringLiteral("/bare"), "<!DOCTYPE html><html><body>x</body></html>", {});
    m_server.addStatus(QStringLiteral("/missing.html"), 404);
    m_server.addStatus(QStringLiteral("/broken.php"), 500);
    m_server.addRedirect(QStringLiteral("/old.html"), m_server.url(QStringLiteral("/index.html")));
    m_server.addRedirect(QStringLiteral("/loop.html"), m_server.url(QStringLiteral("/loop.html")), 301);
    m_server.addLateData(QStringLiteral("/late.html"), "<html><body>late</body></html>", "text/html", 1500);
    m_server.addData(QStringLiteral("/long.html"), QByteArray(PageFetch::maximumBody + 1, 'x'), "text/html");
    m_server.addAttachment(QStringLiteral("/setup.exe"), QByteArray(4096, 'M'), QStringLiteral("Ondavox-setup.exe"));
    m_server.addRedirect(QStringLiteral("/get"), m_server.url(QStringLiteral("/setup.exe")));
}

void TestPageFetch::failuresGetTheBrowsersCodes_data()
{
    QTest::addColumn<QNetworkReply::NetworkError>("error");
    QTest::addColumn<int>("code");

    QTest::newRow("refused") << QNetworkReply::ConnectionRefusedError << -102;
    QTest::newRow("closed") << QNetworkReply::RemoteHostClosedError << -100;
    QTest::newRow("no such host") << QNetworkReply::HostNotFoundError << -105;
    QTest::newRow("timed out") << QNetworkReply::TimeoutError << -118;
    QTest::newRow("aborted") << QNetworkReply::OperationCanceledError << -3;
    QTest::newRow("tls") << QNetworkReply::SslHandshakeFailedError << -107;
    QTest::newRow("offline") << QNetworkReply::TemporaryNetworkFailureError << -106;
    QTest::newRow("proxy refused") << QNetworkReply::ProxyConnectionRefusedError << -130;
    QTest::newRow("proxy login") << QNetworkReply::ProxyAuthenticationRequiredError << -127;
    QTest::newRow("scheme") << QNetworkReply::ProtocolUnknownError << -302;
    QTest::newRow("redirect loop") << QNetworkReply::TooManyRedirectsError << -310;
    QTest::newRow("unsafe redirect") << QNetworkReply::InsecureRedirectError << -311;
    QTest::newRow("anything else") << QNetworkReply::UnknownNetworkError << -2;
}

void TestPageFetch::failuresGetTheBrowsersCodes()
{
    QFETCH(QNetworkReply::NetworkError, error);
    QFETCH(int, code);
    QCOMPARE(PageFetch::networkErrorCode(error), code);
}

void TestPageFetch::addressesTakeTheBrowsersForm_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("canonical");

    QTest::newRow("no path") << "http://127.0.0.1:8080"
                             << "http://127.0.0.1:8080/";
    QTest::newRow("default port") << "http://example.org:80/a"
                                  << "http://example.org/a";
    QTest::newRow("default tls port") << "https://example.org:443/"
                                      << "https://example.org/";
    QTest::newRow("port 80 on tls is kept") << "https://example.org:80/"
                                            << "https://example.org:80/";
    QTest::newRow("query kept") << "http://example.org/p.php?a=1"
                                << "http://example.org/p.php?a=1";
}

void TestPageFetch::addressesTakeTheBrowsersForm()
{
    QFETCH(QString, address);
    QFETCH(QString, canonical);
    QCOMPARE(PageFetch::canonical(QUrl(address)).toString(), canonical);
}

void TestPageFetch::onlyWebAddressesAreFetched_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("fetched");

    QTest::newRow("http") << "http://127.0.0.1/" << true;
    QTest::newRow("https") << "https://example.org/a" << true;
    QTest::newRow("blank page") << "about:blank" << false;
    QTest::newRow("file") << "file:///tmp/page.html" << false;
    QTest::newRow("data") << "data:text/html,x" << false;
    QTest::newRow("no host") << "http:///x" << false;
}

void TestPageFetch::onlyWebAddressesAreFetched()
{
    QFETCH(QString, address);
    QFETCH(bool, fetched);
    QCOMPARE(PageFetch::canFetch(QUrl(address)), fetched);
}

void TestPageFetch::filesToSaveAreToldFromPages_data()
{
    QTest::addColumn<QByteArray>("disposition");
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("saved");

    QTest::newRow("page") << QByteArray() << "text/html; charset=utf-8" << false;
    QTest::newRow("text") << QByteArray() << "text/plain" << false;
    QTest::newRow("picture") << QByteArray() << "image/png" << false;
    QTest::newRow("xhtml") << QByteArray() << "application/xhtml+xml" << false;
    QTest::newRow("feed") << QByteArray() << "application/rss+xml" << false;
    QTest::newRow("json") << QByteArray() << "application/json" << false;
    QTest::newRow("no type") << QByteArray() << "" << false;
    QTest::newRow("page as attachment") << QByteArray("attachment; filename=\"a.html\"") << "text/html" << true;
    QTest::newRow("attachment in capitals") << QByteArray("Attachment") << "text/plain" << true;
    QTest::newRow("inline") << QByteArray("inline") << "text/html" << false;
    QTest::newRow("bytes") << QByteArray() << "application/octet-stream" << true;
    QTest::newRow("program") << QByteArray() << "application/x-msdownload" << true;
    QTest::newRow("archive") << QByteArray() << "application/zip" << true;
}

void TestPageFetch::filesToSaveAreToldFromPages()
{
    QFETCH(QByteArray, disposition);
    QFETCH(QString, type);
    QFETCH(bool, saved);
    QCOMPARE(PageFetch::isDownload(disposition, type), saved);
}

void TestPageFetch::eventsComeInTheBrowsersOrder_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QStringList>("events");

    const QString page = m_server.url(QStringLiteral("/index.html"));
    const QString missing = m_server.url(QStringLiteral("/missing.html"));
    const QString broken = m_server.url(QStringLiteral("/broken.php"));
    const QString closed = QStringLiteral("http://127.0.0.1:%1/").arg(m_closedPort.port());
    const QString loop = m_server.url(QStringLiteral("/loop.html"));
    QTest::newRow("page") << page << QStringList { "progress 0", "progress 100", "complete " + page };
    QTest::newRow("404") << missing << QStringList { "progress 0", "progress 100", "error " + missing + " 404" };
    QTest::newRow("500") << broken << QStringList { "progress 0", "progress 100", "error " + broken + " 500" };
    QTest::newRow("refused") << closed << QStringList { "progress 0", "progress 100", "error " + closed + " -102" };
    // The outcome names where the redirect led.
    QTest::newRow("redirect") << m_server.url(QStringLiteral("/old.html"))
                              << QStringList { "progress 0", "progress 100", "complete " + page };
    QTest::newRow("redirect loop") << loop << QStringList { "progress 0", "progress 100", "error " + loop + " -310" };
    // Refused at once, before the start was told: it is told all the same.
    QTest::newRow("no request possible") << "about:blank"
                                         << QStringList { "progress 0", "progress 100", "error about:blank -302" };
}

void TestPageFetch::eventsComeInTheBrowsersOrder()
{
    QFETCH(QString, address);
    QFETCH(QStringList, events);

    PageFetch fetch(m_userAgent);
    BrowserEvents seen(&fetch);
    fetch.start(QUrl(address));
    QTRY_VERIFY_WITH_TIMEOUT(seen.ended(), 10000);
    QCOMPARE(seen.log, events);
    QVERIFY(seen.rising);
    QVERIFY(!fetch.isRunning());
}

void TestPageFetch::nothingIsRaisedBeforeStartReturns()
{
    // The start-up page is tagged right after its navigation is asked for:
    // its first progress must find the tag in place.
    PageFetch fetch(m_userAgent);
    BrowserEvents seen(&fetch);
    fetch.start(QUrl(m_server.url(QStringLiteral("/index.html"))));
    QVERIFY(seen.log.isEmpty());
    QTRY_VERIFY(seen.ended());
}

void TestPageFetch::theAnswerIsKeptAsSent()
{
    PageFetch fetch(m_userAgent);
    QSignalSpy complete(&fetch, &PageFetch::navigateComplete);
    fetch.start(QUrl(m_server.url(QStringLiteral("/old.html"))));
    QVERIFY(complete.wait(10000));
    QVERIFY(fetch.answered());
    QVERIFY(!fetch.tooLong());
    QCOMPARE(fetch.body(), QByteArray("<html><body>Ondavox</body></html>"));
    QCOMPARE(fetch.mimeType(), QStringLiteral("text/html;charset=utf-8"));
    QCOMPARE(fetch.requestedUrl().toString(), m_server.url(QStringLiteral("/old.html")));
    QCOMPARE(fetch.url().toString(), m_server.url(QStringLiteral("/index.html")));

    // Without a type, the bytes say what they are, as a browser would sniff them.
    fetch.start(QUrl(m_server.url(QStringLiteral("/bare"))));
    QVERIFY(complete.wait(10000));
    QCOMPARE(fetch.mimeType(), QStringLiteral("text/html"));

    // An error page is an answer too: it is what the browser would show.
    QSignalSpy failed(&fetch, &PageFetch::navigateError);
    fetch.start(QUrl(m_server.url(QStringLiteral("/missing.html"))));
    QVERIFY(failed.wait(10000));
    QVERIFY(fetch.answered());
    QCOMPARE(fetch.body(), QByteArray("<html><body>Not Found</body></html>"));

    fetch.start(QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(m_closedPort.port())));
    QVERIFY(failed.wait(10000));
    QVERIFY(!fetch.answered());
    QVERIFY(fetch.body().isEmpty());
}

void TestPageFetch::theRequestIsTheBrowsers()
{
    PageFetch fetch(m_userAgent);
    QSignalSpy complete(&fetch, &PageFetch::navigateComplete);
    const int before = m_server.requestCount(QStringLiteral("/index.html"));
    fetch.start(QUrl(m_server.url(QStringLiteral("/index.html"))));
    QVERIFY(complete.wait(10000));
    QCOMPARE(m_server.requestCount(QStringLiteral("/index.html")), before + 1);
    const QString path = QStringLiteral("/index.html");
    QVERIFY(m_server.lastRequest(path).startsWith("GET /index.html HTTP/1.1\r\n"));
    QCOMPARE(m_server.lastRequestHeader(path, "User-Agent"), m_userAgent.toUtf8());
    QVERIFY(m_server.lastRequestHeader(path, "Accept").startsWith("text/html,application/xhtml+xml"));
    QCOMPARE(m_server.lastRequestHeader(path, "Upgrade-Insecure-Requests"), QByteArray("1"));
    QCOMPARE(m_server.lastRequestHeader(path, "Sec-Fetch-Mode"), QByteArray("navigate"));
    QCOMPARE(m_server.lastRequestHeader(path, "Sec-Fetch-Dest"), QByteArray("document"));
    QCOMPARE(m_server.lastRequestHeader(path, "Cache-Control"), QByteArray());
}

void TestPageFetch::reloadAsksForAFreshCopy()
{
    PageFetch fetch(m_userAgent);
    QSignalSpy complete(&fetch, &PageFetch::navigateComplete);
    fetch.start(QUrl(m_server.url(QStringLiteral("/index.html"))), true);
    QVERIFY(complete.wait(10000));
    QCOMPARE(m_server.lastRequestHeader(QStringLiteral("/index.html"), "Cache-Control"), QByteArray("max-age=0"));
}

void TestPageFetch::stopEndsTheProgressWithoutOutcome()
{
    PageFetch fetch(m_userAgent);
    BrowserEvents seen(&fetch);
    fetch.start(QUrl(m_server.url(QStringLiteral("/late.html"))));
    QTRY_COMPARE(seen.log, QStringList { "progress 0" });
    QTRY_COMPARE(m_server.requestCount(QStringLiteral("/late.html")), 1);
    fetch.stop();
    QVERIFY(!fetch.isRunning());
    QCOMPARE(seen.log, (QStringList { "progress 0", "progress 100" }));
    // Past the moment the server answers: nothing more is said.
    QTest::qWait(2000);
    QCOMPARE(seen.log, (QStringList { "progress 0", "progress 100" }));
    QVERIFY(!fetch.answered());
    // A stop with nothing under way says nothing.
    fetch.stop();
    QCOMPARE(seen.log.size(), 2);
}

void TestPageFetch::aNewStartDropsTheOldOneSilently()
{
    PageFetch fetch(m_userAgent);
    BrowserEvents seen(&fetch);
    fetch.start(QUrl(m_server.url(QStringLiteral("/late.html"))));
    QTRY_COMPARE(seen.log, QStringList { "progress 0" });
    const QString page = m_server.url(QStringLiteral("/index.html"));
    fetch.start(QUrl(page));
    QTRY_VERIFY(seen.ended());
    QTest::qWait(2000);
    QCOMPARE(seen.log, (QStringList { "progress 0", "progress 0", "progress 100", "complete " + page }));
}

void TestPageFetch::aLongAnswerIsNotKept()
{
    PageFetch fetch(m_userAgent);
    BrowserEvents seen(&fetch);
    QSignalSpy tooLong(&fetch, &PageFetch::answerTooLong);
    const QString page = m_server.url(QStringLiteral("/long.html"));
    fetch.start(QUrl(page));
    QTRY_VERIFY_WITH_TIMEOUT(seen.ended(), 10000);
    QCOMPARE(seen.log, (QStringList { "progress 0", "progress 100", "complete " + page }));
    QCOMPARE(tooLong.count(), 1);
    QVERIFY(fetch.tooLong());
    QVERIFY(fetch.body().isEmpty());
}

void TestPageFetch::aFileToSaveStopsTheFetch()
{
    PageFetch fetch(m_userAgent);
    BrowserEvents seen(&fetch);
    QSignalSpy offered(&fetch, &PageFetch::downloadOffered);
    fetch.start(QUrl(m_server.url(QStringLiteral("/get"))));
    QVERIFY(offered.wait(10000));
    // Where the redirect led, for whoever saves it.
    QCOMPARE(offered.first().first().toUrl().toString(), m_server.url(QStringLiteral("/setup.exe")));
    QVERIFY(!fetch.isRunning());
    QTest::qWait(300);
    QVERIFY(!seen.ended());
}

QTEST_GUILESS_MAIN(TestPageFetch)
#include "tst_pagefetch.moc"
