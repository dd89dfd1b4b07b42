#include "core/stationlists/favouriteslist.h"
#include "core/stationlists/m3ureader.h"
#include "core/stationlists/plsreader.h"
#include "core/stationlists/stationlistfile.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

// The station list files that travel between players: what the readers take
// from them, what the file layer refuses, and what the writer gives back.
class TestStationLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readers_data();
    void readers();
    void files_data();
    void files();
    void writtenListReadsBack();
    void exportedFavouritesKeepTheirOrder();
    void exportThatCannotBeWrittenSaysSo();

private:
    QString write(const QString &name, const QByteArray &bytes);

    QTemporaryDir m_dir;
};

namespace
{

QStringList shown(const StationListRead &read)
{
    QStringList entries;
    for (const StationListEntry &entry : read.entries)
        entries.append(entry.name + QLatin1Char('|') + entry.address);
    return entries;
}

} // namespace

void TestStationLists::readers_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("ignored");
    QTest::addColumn<bool>("tooMany");
    QTest::addColumn<int>("line");

    QTest::newRow("m3u named by #EXTINF")
        << "m3u"
        << "#EXTM3U\n#EXTINF:-1,FIP\nhttp://h/fip.mp3\n#EXTINF:123,Inter\nhttps://h/inter\n"
        << 10 << QStringList { "FIP|http://h/fip.mp3", "Inter|https://h/inter" } << 0 << false << 5;
    QTest::newRow("m3u attributes holding commas")
        << "m3u"
        << "#EXTINF:-1 tvg-name=\"a,b\" tvg-logo=\"http://h/l,1.png\",Rires, chansons\nhttp://h/r\n"
        << 10 << QStringList { "Rires, chansons|http://h/r" } << 0 << false << 2;
    QTest::newRow("m3u without names") << "m3u"
                                       << "http://h/a\n\n  mms://h/b  \n"
                                       << 10 << QStringList { "http://h/a|http://h/a", "mms://h/b|mms://h/b" } << 0
                                       << false << 3;
    QTest::newRow("m3u CR LF, byte order mark, other comments")
        << "m3u"
        << "\uFEFF#EXTM3U\r\n#EXTINF:-1,Café\r\n#EXTVLCOPT:network-caching=1000\r\nhttp://h/c\r\n"
        << 10 << QStringList { "Café|http://h/c" } << 0 << false << 4;
    QTest::newRow("m3u a name is for the next address only")
        << "m3u"
        << "#EXTINF:-1,A\nhttp://h/a\nhttp://h/b\n"
        << 10 << QStringList { "A|http://h/a", "http://h/b|http://h/b" } << 0 << false << 3;
    QTest::newRow("m3u local files and engine protocols passed over")
        << "m3u"
        << "/home/u/x.mp3\nfile:///etc/passwd\nsong.mp3\nC:\\Music\\a.mp3\nfd://0\nav://lavfi:sine\nhttp://h/ok\n"
        << 10 << QStringList { "http://h/ok|http://h/ok" } << 6 << false << 7;
    QTest::newRow("m3u names read as one plain line")
        << "m3u"
        << "#EXTINF:-1,<b>Jazz</b>\t&amp;\u202E evil   fm\u0007\nhttp://h/j\n"
        << 10 << QStringList { "<b>Jazz</b> &amp; evil fm|http://h/j" } << 0 << false << 2;
    // Cut at the longest name, the space before the word that does not fit
    // goes too, and a character of two halves is never split.
    QTest::newRow("m3u long names cut whole") << "m3u"
                                              << "#EXTINF:-1," + QString(199, QLatin1Char('a'))
            + " b\nhttp://h/1\n#EXTINF:-1," + QString(199, QLatin1Char('a')) + QString::fromUtf8("\U0001F3B5")
            + "\nhttp://h/2\n" << 10
                                              << QStringList { QString(199, QLatin1Char('a')) + "|http://h/1",
                                                     QString(199, QLatin1Char('a')) + "|http://h/2" }
                                              << 0 << false << 4;
    QTest::newRow("m3u stops at the limit, saying where")
        << "m3u"
        << "http://h/1\nhttp://h/2\n#EXTINF:-1,Three\nhttp://h/3\nhttp://h/4\n"
        << 2 << QStringList { "http://h/1|http://h/1", "http://h/2|http://h/2" } << 0 << true << 4;
    QTest::newRow("m3u address with a space is not one")
        << "m3u"
        << "http://h/a b\nhttp://h/ok\n"
        << 10 << QStringList { "http://h/ok|http://h/ok" } << 1 << false << 2;

    QTest::newRow("pls") << "pls"
                         << "[playlist]\nFile1=http://h/1\nTitle1=One\nLength1=-1\nFile2=http://h/2\n"
                            "NumberOfEntries=2\nVersion=2\n"
                         << 10 << QStringList { "One|http://h/1", "http://h/2|http://h/2" } << 0 << false << 7;
    QTest::newRow("pls in the numbers' order, keys in any case")
        << "pls"
        << "[Playlist]\r\ntitle2 = Two\r\nfile2=http://h/2\r\nFILE1=http://h/1\r\n"
        << 10 << QStringList { "http://h/1|http://h/1", "Two|http://h/2" } << 0 << false << 4;
    QTest::newRow("pls title without file gives no station")
        << "pls"
        << "[playlist]\nTitle1=Alone\nFile2=http://h/2\n"
        << 10 << QStringList { "http://h/2|http://h/2" } << 0 << false << 3;
    QTest::newRow("pls number too large for a number")
        << "pls"
        << "[playlist]\nFile99999999999999999999=http://h/x\nFile1=http://h/1\n"
        << 10 << QStringList { "http://h/1|http://h/1" } << 0 << false << 3;
    QTest::newRow("pls local file passed over")
        << "pls"
        << "[playlist]\nFile1=/etc/passwd\nFile2=file:///home/u/.ssh/id_rsa\nFile3=http://h/3\n"
        << 10 << QStringList { "http://h/3|http://h/3" } << 2 << false << 4;
    QTest::newRow("pls stops at the limit, saying where")
        << "pls"
        << "[playlist]\nFile1=http://h/1\nTitle1=One\nFile2=http://h/2\nFile3=http://h/3\nFile4=http://h/4\n"
        << 2 << QStringList { "One|http://h/1", "http://h/2|http://h/2" } << 0 << true << 5;
}

void TestStationLists::readers()
{
    QFETCH(QString, format);
    QFETCH(QString, text);
    QFETCH(int, maximum);
    QFETCH(QStringList, entries);
    QFETCH(int, ignored);
    QFETCH(bool, tooMany);
    QFETCH(int, line);

    const StationListRead read = format == u"pls" ? PlsReader::read(text, maximum) : M3uReader::read(text, maximum);
    QCOMPARE(shown(read), entries);
    QCOMPARE(read.ignored, ignored);
    QCOMPARE(read.stop == StationListRead::Stop::TooManyEntries, tooMany);
    QCOMPARE(read.line, line);
}

QString TestStationLists::write(const QString &name, const QByteArray &bytes)
{
    QFile file(m_dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return file.fileName();
}

void TestStationLists::files_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("problem");
    QTest::addColumn<int>("stations");
    QTest::addColumn<QString>("firstName");

    using Problem = StationListFile::Opened::Problem;
    const auto code = [](Problem problem) {
        return int(problem);
    };
    QByteArray garbage(64 * 1024, '\0');
    QRandomGenerator random(17);
    random.fillRange(reinterpret_cast<quint32 *>(garbage.data()), garbage.size() / 4);
    garbage[100] = '\0';
    QTest::newRow("binary garbage") << "noise.m3u" << garbage << code(Problem::NotText) << 0 << QString();

    QByteArray lines;
    for (int i = 0; i < 50000; ++i)
        lines += "#EXTINF:-1,Radio " + QByteArray::number(i) + "\nhttp://127.0.0.1:9/" + QByteArray::number(i) + "\n";
    QTest::newRow("100,000 lines") << "big.m3u" << lines << code(Problem::None) << StationListFile::maximumEntries
                                   << "Radio 0";
    QTest::newRow("larger than a list can be")
        << "huge.m3u" << QByteArray(StationListFile::maximumSize + 1, 'h') << code(Problem::TooLarge) << 0 << QString();
    QTest::newRow("text without an address")
        << "notes.m3u" << QByteArray("hello\nworld\n") << code(Problem::NoStation) << 0 << QString();
    QTest::newRow("empty") << "empty.pls" << QByteArray() << code(Problem::NoStation) << 0 << QString();
    QTest::newRow("Windows-1252 names") << "latin.m3u"
                                        << QByteArray("#EXTINF:-1,Caf\xe9 Fran\xe7"
                                                      "ais\nhttp://h/c\n")
                                        << code(Problem::None) << 1 << QStringLiteral("Café Français");
    QTest::newRow("UTF-8 names") << "utf8.m3u8" << QString("#EXTINF:-1,Café 日本\nhttp://h/c\n").toUtf8()
                                 << code(Problem::None) << 1 << QStringLiteral("Café 日本");
    QTest::newRow("a PLS by its text, whatever its name")
        << "radios.m3u" << QByteArray("[playlist]\nFile1=http://h/1\nTitle1=Une\n") << code(Problem::None) << 1
        << "Une";
}

void TestStationLists::files()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(int, problem);
    QFETCH(int, stations);
    QFETCH(QString, firstName);

    const QString path = write(name, bytes);
    QVERIFY(!path.isEmpty());
    const StationListFile::Opened opened = StationListFile::read(path);
    QCOMPARE(int(opened.problem), problem);
    QCOMPARE(opened.read.entries.size(), stations);
    if (!firstName.isEmpty())
        QCOMPARE(opened.read.entries.constFirst().name, firstName);
    // A problem, or stations left out, is always told.
    const bool partial = opened.read.stop != StationListRead::Stop::End || opened.read.ignored > 0;
    QCOMPARE(!opened.message().isEmpty(), opened.problem != StationListFile::Opened::Problem::None || partial);
}

void TestStationLists::writtenListReadsBack()
{
    const QList<StationListEntry> entries {
        { QStringLiteral("Rires, chansons"), QStringLiteral("http://h/r") },
        { QStringLiteral("Radio \"Quoted\", live"), QStringLiteral("https://h/q?x=1&y=2") },
        { QStringLiteral("#1 Hits"), QStringLiteral("http://h/1") },
        { QStringLiteral("日本のラジオ 🎵"), QStringLiteral("http://h/jp") },
        { QStringLiteral("Jazz * Blues"), QStringLiteral("mms://h/jb") },
        { QStringLiteral("Broken"), QStringLiteral("http://h/a\nhttp://h/b") },
    };
    const QString path = m_dir.filePath(QStringLiteral("written.m3u"));
    const StationListFile::Saved saved = StationListFile::writeM3u(path, entries);
    QVERIFY2(saved.ok, qPrintable(saved.error));
    QCOMPARE(saved.leftOut, 1);
    const StationListFile::Opened opened = StationListFile::read(path);
    QCOMPARE(opened.problem, StationListFile::Opened::Problem::None);
    QCOMPARE(opened.read.entries, entries.mid(0, 5));
}

void TestStationLists::exportedFavouritesKeepTheirOrder()
{
    FavouritesRecord::Slots slots;
    slots[0] = { Favori::Type::Radio, QStringLiteral("http://h/fip"), QStringLiteral("FIP") };
    slots[1] = { Favori::Type::Tv, QStringLiteral("http://h/tv"), QStringLiteral("Une chaîne") };
    slots[2] = { Favori::Type::Radio, QString(), QStringLiteral("Sans adresse") };
    slots[3] = { Favori::Type::Radio, QStringLiteral("http://h/free"), QString() };
    slots[4] = { Favori::Type::None, QStringLiteral("http://h/last"), QStringLiteral("Dernière") };
    const QString path = m_dir.filePath(QStringLiteral("Favoris Ondavox.m3u"));
    const FavouritesList::Exported exported = FavouritesList::exportTo(path, slots);
    QVERIFY2(exported.ok, qPrintable(exported.message));
    QVERIFY(exported.message.contains(QStringLiteral("Favoris Ondavox.m3u")));
    const StationListFile::Opened opened = StationListFile::read(path);
    const QList<StationListEntry> expected { { QStringLiteral("FIP"), QStringLiteral("http://h/fip") },
        { QStringLiteral("Une chaîne"), QStringLiteral("http://h/tv") },
        { QStringLiteral("Dernière"), QStringLiteral("http://h/last") } };
    QCOMPARE(opened.read.entries, expected);
}

void TestStationLists::exportThatCannotBeWrittenSaysSo()
{
    FavouritesRecord::Slots slots;
    slots[0] = { Favori::Type::Radio, QStringLiteral("http://h/fip"), QStringLiteral("FIP") };
    // The folder is a file: nothing can be written under it, whoever runs the test.
    const QString notAFolder = write(QStringLiteral("plain"), "x");
    const FavouritesList::Exported exported = FavouritesList::exportTo(notAFolder + QStringLiteral("/f.m3u"), slots);
    QVERIFY(!exported.ok);
    QVERIFY(exported.message.contains(QStringLiteral("f.m3u")));

    FavouritesRecord::Slots none;
    const QString nothing = m_dir.filePath(QStringLiteral("nothing.m3u"));
    QVERIFY(!FavouritesList::exportTo(nothing, none).ok);
    QVERIFY(!QFile::exists(nothing));
}

QTEST_GUILESS_MAIN(TestStationLists)
#include "tst_stationlists.moc"
