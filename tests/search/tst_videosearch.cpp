#include "core/search/videosearch.h"

#include <QTest>

using VideoSearch::Engine;

Q_DECLARE_METATYPE(VideoSearch::Engine)
Q_DECLARE_METATYPE(VideoSearch::Key)

// The search addresses and the key filter of the video search.
class TestVideoSearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addressOfTheWords_data();
    void addressOfTheWords();
    void currentHostsJoinThePathCleanly();
    void keyFilter_data();
    void keyFilter();
};

namespace
{
const VideoSearch::Hosts hosts { QStringLiteral("http://g"), QStringLiteral("http://y"), QStringLiteral("http://d") };

QString words(int count)
{
    QStringList list;
    for (int i = 1; i <= count; ++i)
        list << QStringLiteral("m%1").arg(i);
    return list.join(QLatin1Char(' '));
}
}

void TestVideoSearch::addressOfTheWords_data()
{
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("address");

    QTest::newRow("google") << Engine::GoogleVideos << "chat noir"
                            << "http://g/videosearch?q=chat+noir";
    QTest::newRow("youtube") << Engine::Youtube << "chat noir"
                             << "http://y/results?search_query=chat+noir";
    QTest::newRow("dailymotion") << Engine::Dailymotion << "chat noir"
                                 << "http://d/visited/search/chat+noir/1";
    QTest::newRow("empty") << Engine::GoogleVideos << ""
                           << "http://g/videosearch?q=";
    QTest::newRow("empty dailymotion") << Engine::Dailymotion << ""
                                       << "http://d/visited/search//1";
    QTest::newRow("one word") << Engine::Youtube << "chat"
                              << "http://y/results?search_query=chat";
    QTest::newRow("two spaces between") << Engine::GoogleVideos << "chat  noir"
                                        << "http://g/videosearch?q=chat++noir";
    QTest::newRow("one trailing space") << Engine::GoogleVideos << "chat noir "
                                        << "http://g/videosearch?q=chat+noir";
    QTest::newRow("two trailing spaces") << Engine::GoogleVideos << "chat noir  "
                                         << "http://g/videosearch?q=chat+noir+";
    QTest::newRow("two trailing spaces dailymotion") << Engine::Dailymotion << "chat noir  "
                                                     << "http://d/visited/search/chat+noir+/1";
    QTest::newRow("leading space") << Engine::GoogleVideos << " chat"
                                   << "http://g/videosearch?q=+chat";
    QTest::newRow("a lone space") << Engine::GoogleVideos << " "
                                  << "http://g/videosearch?q=";
    QString kept = words(41);
    kept.replace(QLatin1Char(' '), QLatin1Char('+'));
    QTest::newRow("45 words keep 41") << Engine::GoogleVideos << words(45) << "http://g/videosearch?q=" + kept;
    QTest::newRow("41 words all kept") << Engine::GoogleVideos << words(41) << "http://g/videosearch?q=" + kept;
    QTest::newRow("pasted ampersand") << Engine::Youtube << "chat & chien"
                                      << "http://y/results?search_query=chat+%26+chien";
    QTest::newRow("pasted accent") << Engine::GoogleVideos << "été"
                                   << "http://g/videosearch?q=%C3%A9t%C3%A9";
    QTest::newRow("pasted query") << Engine::GoogleVideos << "a?b=c#d+e"
                                  << "http://g/videosearch?q=a%3Fb%3Dc%23d%2Be";
    QTest::newRow("pasted slash on dailymotion") << Engine::Dailymotion << "ac/dc"
                                                 << "http://d/visited/search/ac%2Fdc/1";
    // "search/../1" leads off the search's path.
    QTest::newRow("pasted dots on dailymotion") << Engine::Dailymotion << ".."
                                                << "http://d/visited/search/..+/1";
    QTest::newRow("pasted dot on dailymotion") << Engine::Dailymotion << "."
                                               << "http://d/visited/search/.+/1";
    QTest::newRow("pasted dots among words") << Engine::Dailymotion << ".. ."
                                             << "http://d/visited/search/..+./1";
    QTest::newRow("hyphen and digits") << Engine::Youtube << "jt-20h 2024"
                                       << "http://y/results?search_query=jt-20h+2024";
}

void TestVideoSearch::addressOfTheWords()
{
    QFETCH(Engine, engine);
    QFETCH(QString, field);
    QFETCH(QString, address);
    QCOMPARE(VideoSearch::address(engine, field, hosts), address);
}

void TestVideoSearch::currentHostsJoinThePathCleanly()
{
    const VideoSearch::Hosts current = VideoSearch::Hosts::current();
    for (Engine engine : { Engine::GoogleVideos, Engine::Youtube, Engine::Dailymotion }) {
        const QString host = current.of(engine);
        QVERIFY2(host.startsWith(QStringLiteral("https://www.")), qPrintable(host));
        QVERIFY(!host.endsWith(QLatin1Char('/')));
    }
    QVERIFY(VideoSearch::address(Engine::Youtube, QStringLiteral("x"), current).contains(QStringLiteral("youtube")));
    QVERIFY(VideoSearch::address(Engine::Dailymotion, QStringLiteral("x"), current)
                .contains(QStringLiteral("dailymotion")));
}

void TestVideoSearch::keyFilter_data()
{
    QTest::addColumn<QChar>("character");
    QTest::addColumn<VideoSearch::Key>("key");

    QTest::newRow("enter") << QChar(13) << VideoSearch::Key::Search;
    QTest::newRow("backspace") << QChar(8) << VideoSearch::Key::Pass;
    QTest::newRow("a") << QChar(u'a') << VideoSearch::Key::Pass;
    QTest::newRow("Z") << QChar(u'Z') << VideoSearch::Key::Pass;
    QTest::newRow("digit") << QChar(u'7') << VideoSearch::Key::Pass;
    QTest::newRow("zero") << QChar(u'0') << VideoSearch::Key::Pass;
    QTest::newRow("hyphen") << QChar(u'-') << VideoSearch::Key::Pass;
    QTest::newRow("space") << QChar(u' ') << VideoSearch::Key::Pass;
    QTest::newRow("e acute") << QChar(u'é') << VideoSearch::Key::Refuse;
    QTest::newRow("E acute") << QChar(u'É') << VideoSearch::Key::Refuse;
    QTest::newRow("exclamation") << QChar(u'!') << VideoSearch::Key::Refuse;
    QTest::newRow("full stop") << QChar(u'.') << VideoSearch::Key::Refuse;
    QTest::newRow("plus") << QChar(u'+') << VideoSearch::Key::Refuse;
    QTest::newRow("ampersand") << QChar(u'&') << VideoSearch::Key::Refuse;
    QTest::newRow("underscore") << QChar(u'_') << VideoSearch::Key::Refuse;
    QTest::newRow("line feed") << QChar(10) << VideoSearch::Key::Refuse;
    QTest::newRow("tab") << QChar(9) << VideoSearch::Key::Refuse;
}

void TestVideoSearch::keyFilter()
{
    QFETCH(QChar, character);
    QFETCH(VideoSearch::Key, key);
    QCOMPARE(VideoSearch::filterKey(character), key);
}

QTEST_GUILESS_MAIN(TestVideoSearch)
#include "tst_videosearch.moc"
