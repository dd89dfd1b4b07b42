#include "core/playback/asxparser.h"

#include <QTest>

class TestAsxParser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parsesShapesFoundInTheWild_data();
    void parsesShapesFoundInTheWild();
    void entriesNameOnlyWhatTheirOriginAllows_data();
    void entriesNameOnlyWhatTheirOriginAllows();
    void givesNoEntryForWhatIsNoPlaylist_data();
    void givesNoEntryForWhatIsNoPlaylist();
    void hostileMebibyteIsReadToItsEnd_data();
    void hostileMebibyteIsReadToItsEnd();
    void recognisesPlaylists_data();
    void recognisesPlaylists();
};

void TestAsxParser::parsesShapesFoundInTheWild_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("form");

    const int xml = int(AsxParser::Form::Xml);
    const int lenient = int(AsxParser::Form::LenientScan);
    const int reference = int(AsxParser::Form::Reference);

    QTest::newRow("upper case, two entries") << QByteArray(
        "<ASX VERSION=\"3.0\">\r\n<TITLE>Radio</TITLE>\r\n<ENTRY><REF HREF=\"mms://a.example/live\"/></ENTRY>\r\n"
        "<ENTRY><REF HREF=\"http://b.example/live\" /></ENTRY>\r\n</ASX>\r\n")
                                             << QStringList { "mms://a.example/live", "http://b.example/live" } << xml;
    QTest::newRow("lower and mixed case, several refs in one entry")
        << QByteArray("<?xml version=\"1.0\"?><asx version=\"3.0\"><Entry><Ref href='http://a.example/1'/>"
                      "<ref Href=\"http://a.example/2\"/></Entry></asx>")
        << QStringList { "http://a.example/1", "http://a.example/2" } << xml;
    QTest::newRow("escaped ampersand") << QByteArray(
        "<asx version=\"3.0\"><entry><ref href=\"http://a.example/s?x=1&amp;y=2\"/></entry></asx>")
                                       << QStringList { "http://a.example/s?x=1&y=2" } << xml;
    QTest::newRow("raw ampersand is not XML")
        << QByteArray("<asx version=\"3.0\"><entry><ref href=\"http://a.example/s?x=1&y=2\"/></entry></asx>")
        << QStringList { "http://a.example/s?x=1&y=2" } << lenient;
    QTest::newRow("undeclared entity in a title") << QByteArray(
        "<ASX version=\"3.0\"><TITLE>Radio &eacute;t&eacute;</TITLE><ENTRY><REF HREF=\"http://a.example/x\">"
        "</ENTRY></ASX>") << QStringList { "http://a.example/x" }
                                                  << lenient;
    QTest::newRow("missing closing tags")
        << QByteArray("<asx version=\"3.0\">\n<entry>\n<ref href=\"http://a.example/one\">\n<entry>\n"
                      "<ref href=http://a.example/two>\n")
        << QStringList { "http://a.example/one", "http://a.example/two" } << lenient;
    QTest::newRow("nested playlist reference")
        << QByteArray("<asx version=\"3.0\"><entryref href=\"http://a.example/more.asx\"/></asx>")
        << QStringList { "http://a.example/more.asx" } << xml;
    QTest::newRow("relative address") << QByteArray(
        "<asx version=\"3.0\"><entry><ref href=\"stream.mp3\"/></entry></asx>")
                                      << QStringList { "http://host.example/radio/stream.mp3" } << xml;
    QTest::newRow("byte order mark and Windows-1252")
        << QByteArray("\xEF\xBB\xBF<asx version=\"3.0\"><title>Caf\xE9</title><entry><ref href=\"http://a.example/c\"/>"
                      "</entry></asx>")
        << QStringList { "http://a.example/c" } << xml;
    QTest::newRow("reference form") << QByteArray(
        "[Reference]\r\nRef1=http://a.example/live?MSWMExt=.asf\r\nRef2=mms://a.example/live\r\n")
                                    << QStringList { "http://a.example/live?MSWMExt=.asf", "mms://a.example/live" }
                                    << reference;
    QTest::newRow("references decoded once, in the lenient scan")
        << QByteArray("<asx version=\"3.0\"><entry><ref href=\"http://a.example/&#x41;&#66;?a=1&amp;amp;b=&#0;&bogus;"
                      "\"></asx>")
        << QStringList { "http://a.example/AB?a=1&amp;b=&#0;&bogus;" } << lenient;
    QTest::newRow("a tag cut short by the next one")
        << QByteArray("<asx><ref href=\"http://a.example/lost <ref HREF = 'http://a.example/2'> <ref> "
                      "<Ref title=x href=http://a.example/3>")
        << QStringList { "http://a.example/2", "http://a.example/3" } << lenient;
    QTest::newRow("an href after the end of its tag is text")
        << QByteArray("<asx><ref>href=\"http://a.example/1\"</asx") << QStringList {} << lenient;
    const QString spaced = QStringLiteral("http://a.example/1") + QString(10000, QLatin1Char(' ')) + QLatin1Char('x');
    QTest::newRow("reference form, 10 000 spaces inside a line")
        << QByteArray("[Reference]\r\nRef1=" + spaced.toLatin1() + "\r\nRef2 " + QByteArray(10000, ' ')
               + "= http://a.example/2\r\nRef3=http://a.example/3\r\n")
        << QStringList { QString(spaced).replace(" ", "%20"), "http://a.example/2", "http://a.example/3" } << reference;
    QTest::newRow("reference form, other case and spaces") << QByteArray("  [reference]\nref1 = http://a.example/x\n")
                                                           << QStringList { "http://a.example/x" } << reference;
}

void TestAsxParser::parsesShapesFoundInTheWild()
{
    QFETCH(QByteArray, document);
    QFETCH(QStringList, entries);
    QFETCH(int, form);

    const AsxParser::Result result
        = AsxParser::parse(document, QUrl(QStringLiteral("http://host.example/radio/list.asx")));
    QCOMPARE(result.entries, entries);
    QCOMPARE(int(result.form), form);
    QCOMPARE(result.error.isEmpty(), !entries.isEmpty());
    QVERIFY(AsxParser::looksLikePlaylist(document));
}

void TestAsxParser::entriesNameOnlyWhatTheirOriginAllows_data()
{
    QTest::addColumn<QString>("origin");
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QStringList>("entries");

    const QString server = QStringLiteral("http://host.example/radio/list.asx");
    QTest::newRow("local files and the engine's protocols")
        << server
        << QByteArray("<asx version=\"3.0\"><entry><ref href=\"file:///etc/passwd\"/><ref href=\"fd://0\"/>"
                      "<ref href=\"av://lavfi:sine\"/><ref href=\"edl://%3%a.mp3\"/><ref href=\"lavfi://sine\"/>"
                      "<ref href=\"http://a.example/live\"/></entry></asx>")
        << QStringList { "http://a.example/live" };
    QTest::newRow("reference form: a key file, a Windows file name, a path on the server")
        << server << QByteArray("[Reference]\r\nRef1=file:///home/user/.ssh/id_rsa\r\nRef2=C:\\x.wma\r\nRef3=/live\r\n")
        << QStringList { "http://host.example/live" };
    QTest::newRow("addresses the engine would read otherwise")
        << server
        << QByteArray("<asx><ref href=\"HTTP://a.example/1\"><ref href=\"http:/etc/passwd\">"
                      "<ref href=\"http://a.example/a b\"><ref href=\"mms:///x\"></asx>")
        << QStringList { "http://a.example/1", "http://a.example/a%20b" };
    QTest::newRow("nothing left") << server << QByteArray("<asx><ref href=\"file:///etc/passwd\"/></asx>")
                                  << QStringList {};
    QTest::newRow("no origin: absolute network addresses only")
        << QString() << QByteArray("<asx><ref href=\"live.mp3\"/><ref href=\"rtsp://a.example/x\"/></asx>")
        << QStringList { "rtsp://a.example/x" };
    QTest::newRow("the user's own file may name files, never the engine's protocols")
        << "file:///home/user/list.asx"
        << QByteArray("<asx><ref href=\"live.mp3\"/><ref href=\"file:///music/a.mp3\"/><ref href=\"fd://3\"/>"
                      "<ref href=\"http://a.example/x\"/></asx>")
        << QStringList { "file:///home/user/live.mp3", "file:///music/a.mp3", "http://a.example/x" };
}

// A station's server must not make the player open a local file, a
// descriptor or one of libmpv's own protocols: the entries reach libmpv as
// if the user had chosen them.
void TestAsxParser::entriesNameOnlyWhatTheirOriginAllows()
{
    QFETCH(QString, origin);
    QFETCH(QByteArray, document);
    QFETCH(QStringList, entries);
    const AsxParser::Result result = AsxParser::parse(document, QUrl(origin));
    QCOMPARE(result.entries, entries);
    QCOMPARE(result.error.isEmpty(), !entries.isEmpty());
}

void TestAsxParser::givesNoEntryForWhatIsNoPlaylist_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("mp3 bytes") << QByteArray("\xFF\xFB\x90\x64\x00\x00\x00\x00", 8);
    QTest::newRow("html page") << QByteArray("<html><body><a href=\"http://a.example\">x</a></body></html>");
    QTest::newRow("asx without entries") << QByteArray("<asx version=\"3.0\"><title>Nothing</title></asx>");
    QTest::newRow("ref outside asx") << QByteArray("<playlist><ref href=\"http://a.example\"/></playlist>");
    QTest::newRow("reference form, nothing under it") << QByteArray("[Reference]\r\n");
    QTest::newRow("reference form, no usable line")
        << QByteArray("[Reference]\r\nRef1=\r\nRef=http://a.example/1\r\nTitle=Radio\r\nRefx=http://a.example/2\r\n");
}

void TestAsxParser::givesNoEntryForWhatIsNoPlaylist()
{
    QFETCH(QByteArray, document);
    const AsxParser::Result result = AsxParser::parse(document);
    QVERIFY(result.entries.isEmpty());
    QVERIFY(!result.error.isEmpty());
}

// What a broken or hostile server can send, at the largest size the resolver
// accepts. Every one of these once took from seconds to a minute; this only
// checks the outcome (bench_playliststall measures the time).
void TestAsxParser::hostileMebibyteIsReadToItsEnd_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QStringList>("entries");

    const qsizetype size = 1024 * 1024;
    const auto repeated = [size](const QByteArray &head, const QByteArray &unit, const QByteArray &tail = {}) {
        QByteArray document = head;
        while (document.size() + unit.size() + tail.size() <= size)
            document += unit;
        return document + tail;
    };
    // The entries are relative: they are on the playlist's server.
    const QString here = QStringLiteral("http://host.example/radio/");
    const QByteArray numeric = repeated("<asx><ref href=\"", "&#65;", "\"/>");
    QTest::newRow("numeric references, asx left open")
        << numeric << QStringList { here + QString((numeric.size() - 19) / 5, QLatin1Char('A')) };
    QTest::newRow("numeric references, attribute left open")
        << repeated("<asx><ref href=\"", "&#65;") << QStringList {};
    const QByteArray ampersands = repeated("<asx><ref href=\"", "&&&&&&&&&&&&&&&;", "\"/>");
    QTest::newRow("ampersands, none of them a reference")
        << ampersands << QStringList { here + QString::fromLatin1(ampersands.sliced(16, ampersands.size() - 19)) };
    QTest::newRow("tags that never close") << repeated("<asx>", "<ref ") << QStringList {};
    QTest::newRow("hrefs without a value") << repeated("<asx><ref ", "href href\t") << QStringList {};
    const QByteArray spaces = repeated("[Reference]\r\nRef1=x", " ", "y\r\n");
    QTest::newRow("reference form, one line of spaces")
        << spaces
        << QStringList { here + QString::fromLatin1(spaces.sliced(18, spaces.size() - 20)).replace(" ", "%20") };
}

void TestAsxParser::hostileMebibyteIsReadToItsEnd()
{
    QFETCH(QByteArray, document);
    QFETCH(QStringList, entries);
    QVERIFY(document.size() <= 1024 * 1024);
    const AsxParser::Result result
        = AsxParser::parse(document, QUrl(QStringLiteral("http://host.example/radio/l.asx")));
    QCOMPARE(result.entries, entries);
    QCOMPARE(result.error.isEmpty(), !entries.isEmpty());
}

void TestAsxParser::recognisesPlaylists_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<bool>("byAddress");
    QTest::addColumn<bool>("byContentType");

    QTest::newRow("asx") << "http://a.example/live.asx" << QByteArray("video/x-ms-asf") << true << false;
    QTest::newRow("WAX upper case") << "http://a.example/LIVE.WAX" << QByteArray("audio/x-ms-wax") << true << true;
    QTest::newRow("query after the name")
        << "http://a.example/p.asx?id=3" << QByteArray("video/x-ms-asx; charset=utf-8") << true << true;
    QTest::newRow("m3u goes to the engine")
        << "http://a.example/live.m3u" << QByteArray("audio/x-mpegurl") << false << false;
    QTest::newRow("stream") << "http://a.example/asx" << QByteArray("audio/mpeg") << false << false;
}

void TestAsxParser::recognisesPlaylists()
{
    QFETCH(QString, address);
    QFETCH(QByteArray, contentType);
    QFETCH(bool, byAddress);
    QFETCH(bool, byContentType);
    QCOMPARE(AsxParser::isPlaylistAddress(QUrl(address)), byAddress);
    QCOMPARE(AsxParser::isPlaylistContentType(contentType), byContentType);
}

QTEST_GUILESS_MAIN(TestAsxParser)
#include "tst_asxparser.moc"
