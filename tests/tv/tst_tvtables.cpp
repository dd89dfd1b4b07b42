#include "core/tv/foreignchannels.h"
#include "core/tv/newseditions.h"
#include "core/tv/tabtable.h"

#include <QRegularExpression>
#include <QTest>

namespace
{

const EditionDate fifthOfDecember = EditionDate::ReadEditionDate(4, 11, 2007);
const QString midday = NewsEditions::middayName;
const QString evening = NewsEditions::eveningName;

const QString bases = QStringLiteral("# comment\n"
                                     "StreamBase\tmms://media.example/horsgv/regions/\n"
                                     "\n"
                                     "NewsPageAddress\thttp://jt.example/publicite/jt-asx.php\r\n"
                                     "EveningNewsBase\thttp://jt20.example/FluxJt/jt20d\n");

} // namespace

class TestTvTables : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tabTableSkipsCommentsAndKeepsSpaces();
    void tabTableStopsAtAMalformedRow();
    void builtInRegionalTable();
    void builtInAddressBasesKeepTheirEndings();
    void malformedEditionTablesAreRefused_data();
    void malformedEditionTablesAreRefused();
    void nationalAddresses();
    void regionalAddresses_data();
    void regionalAddresses();
    void basseNormandieGivesItsMessageForBothEditions();
    void noRegionalAddressWithoutRegionOrProgramme();
    void builtInForeignChannels_data();
    void builtInForeignChannels();
    void foreignChannelPlaceholdersStandOnTheSite();

private:
    NewsEditions builtIn();
    NewsEditions withBases();
};

NewsEditions TestTvTables::builtIn()
{
    QString error;
    const auto editions = NewsEditions::builtIn(&error);
    if (!editions)
        qWarning("%s", qPrintable(error));
    return editions.value_or(NewsEditions());
}

// The built-in regions over bases of the test's own, so that addresses can be
// checked whole.
NewsEditions TestTvTables::withBases()
{
    QString error;
    const auto editions = NewsEditions::parse(bases, TabTable::builtIn(QStringLiteral("regions.tsv")), &error);
    if (!editions)
        qWarning("%s", qPrintable(error));
    return editions.value_or(NewsEditions());
}

void TestTvTables::tabTableSkipsCommentsAndKeepsSpaces()
{
    const auto table = TabTable::parse(u"# a comment\n\nBourgogne \tb\r\n  c\t d \n", 2, 2);
    QVERIFY(table.ok());
    QCOMPARE(table.rows, (QList<QStringList> { { "Bourgogne ", "b" }, { "  c", " d " } }));
}

void TestTvTables::tabTableStopsAtAMalformedRow()
{
    const auto table = TabTable::parse(u"a\tb\n#\nc\td\te\nf\tg\n", 2, 2);
    QVERIFY(!table.ok());
    QCOMPARE(table.errorLine, 3);
    QCOMPARE(table.rows, (QList<QStringList> { { "a", "b" } }));
}

void TestTvTables::builtInRegionalTable()
{
    const NewsEditions editions = builtIn();
    QCOMPARE(editions.regions.size(), 24);
    QCOMPARE(editions.regions.at(0).region, QStringLiteral("Alpes"));
    QCOMPARE(editions.regions.at(0).eveningStem, QStringLiteral("HD__1900_grenoble_jtregional_"));
    QCOMPARE(editions.regions.at(4).region, QStringLiteral("Basse-Normandie"));
    QVERIFY(editions.regions.at(4).chaine.isEmpty());
    QCOMPARE(editions.regions.at(5).region, QStringLiteral("Bourgogne "));
    QCOMPARE(editions.regions.at(9).region, QStringLiteral("Corse"));
    QVERIFY(editions.regions.at(9).eveningDirect);
    QCOMPARE(editions.regions.at(14).middayStem, QStringLiteral("HD_1214sp_limoges_cat_"));
    QCOMPARE(editions.regions.at(17).chaine, QStringLiteral("3-npdcp"));
    QCOMPARE(editions.regions.at(17).directory, QStringLiteral("npdc"));
    QCOMPARE(editions.regions.at(18).region, QStringLiteral("Paris-île de France"));
    QCOMPARE(editions.regions.at(23).region, QStringLiteral("Rhône-Alpes"));
    int direct = 0;
    for (const NewsEditions::Region &region : editions.regions)
        direct += region.eveningDirect ? 1 : 0;
    QCOMPARE(direct, 1);
}

void TestTvTables::builtInAddressBasesKeepTheirEndings()
{
    const NewsEditions editions = builtIn();
    QVERIFY(editions.StreamBase.startsWith(QStringLiteral("mms://")));
    QVERIFY(editions.StreamBase.endsWith(QStringLiteral("/horsgv/regions/")));
    QVERIFY(editions.NewsPageAddress.endsWith(QStringLiteral("/publicite/jt-asx.php")));
    QVERIFY(editions.EveningNewsBase.endsWith(QStringLiteral("/FluxJt/jt20d")));
}

void TestTvTables::malformedEditionTablesAreRefused_data()
{
    QTest::addColumn<QString>("addresses");
    QTest::addColumn<QString>("regions");
    const QString region = QStringLiteral("Alsace\t3-alsace\talsace\tS12_\tS19_\tpage\n");
    QTest::newRow("a base missing") << QString(bases).remove(QRegularExpression("EveningNewsBase[^\n]*")) << region;
    QTest::newRow("a base without its ending") << QString(bases).replace("/FluxJt/jt20d", "/jt20d") << region;
    QTest::newRow("stream base not mms") << QString(bases).replace("mms://", "http://") << region;
    QTest::newRow("a region short of a field") << bases << "Alsace\t3-alsace\talsace\tS12_\tS19_\n";
    QTest::newRow("an unknown form") << bases << "Alsace\t3-alsace\talsace\tS12_\tS19_\tweb\n";
    QTest::newRow("no edition but no message") << bases << "Basse-Normandie\t-\n";
    QTest::newRow("no edition and stems") << bases << "Basse-Normandie\t-\tbn\tS12_\tS19_\tpage\n";
}

void TestTvTables::malformedEditionTablesAreRefused()
{
    QFETCH(QString, addresses);
    QFETCH(QString, regions);
    QString error;
    QVERIFY(!NewsEditions::parse(addresses, regions, &error));
    QVERIFY(!error.isEmpty());
}

void TestTvTables::nationalAddresses()
{
    const NewsEditions editions = withBases();
    QCOMPARE(editions.nationalAddress(midday, fifthOfDecember).value_or(QString()),
        QStringLiteral("mms://media.example/horsgv/regions/siege/infos/f3/1214/HD_1214_20071205.wmv?WMCache=0"));
    QCOMPARE(editions.nationalAddress(evening, fifthOfDecember).value_or(QString()),
        QStringLiteral("http://jt20.example/FluxJt/jt20d05122007/jt20d05122007.asx"));
    QVERIFY(!editions.nationalAddress(QStringLiteral("France 3 : Journal de 13h"), fifthOfDecember));
}

void TestTvTables::regionalAddresses_data()
{
    QTest::addColumn<QString>("programme");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("expected");

    const QString page = QStringLiteral("http://jt.example/publicite/jt-asx.php?chaine=");
    const QString encodedBase = QStringLiteral("mms%3A%2F%2Fmedia.example%2Fhorsgv%2Fregions%2F");
    QTest::newRow("Alsace 12h") << midday << 1
                                << page + "3-alsace&url=" + encodedBase
            + "alsace%2FHD_1200_strasbourg_midipile_051207.wmv%3FWMCache%3D0";
    QTest::newRow("Alpes 19h: two underscores")
        << evening << 0
        << page + "3-raa&url=" + encodedBase + "raa%2FHD__1900_grenoble_jtregional_051207.wmv%3FWMCache%3D0";
    QTest::newRow("Corse 12h through the page")
        << midday << 9
        << page + "3-corse&url=" + encodedBase + "corse%2FHD_1200_ajaccio_midipile_051207.wmv%3FWMCache%3D0";
    QTest::newRow("Corse 19h straight from the stream base")
        << evening << 9 << "mms://media.example/horsgv/regions/corse/HD_midipile_ajaccio_cat_051207.wmv%3FWMCache%3D0";
    QTest::newRow("Bourgogne 19h") << evening << 5
                                   << page + "3-bfc&url=" + encodedBase
            + "bfc%2FHD_1900_dijon_jtregional_051207.wmv%3FWMCache%3D0";
    QTest::newRow("Rhône-Alpes 12h") << midday << 23
                                     << page + "3-raa&url=" + encodedBase
            + "raa%2FHD_1200_lyon_midipile_051207.wmv%3FWMCache%3D0";
}

void TestTvTables::regionalAddresses()
{
    QFETCH(QString, programme);
    QFETCH(int, position);
    QFETCH(QString, expected);
    const NewsEditions::Regional regional = withBases().regionalAddress(programme, position, fifthOfDecember);
    QCOMPARE(regional.address.value_or(QString()), expected);
    QVERIFY(regional.message.isEmpty());
}

void TestTvTables::basseNormandieGivesItsMessageForBothEditions()
{
    const NewsEditions editions = builtIn();
    for (const QString &programme : { midday, evening }) {
        const NewsEditions::Regional regional = editions.regionalAddress(programme, 4, fifthOfDecember);
        QVERIFY(!regional.address);
        QCOMPARE(regional.message, QStringLiteral("L'édition de basse Normandie n'est pour l'instant pas disponible"));
    }
}

void TestTvTables::noRegionalAddressWithoutRegionOrProgramme()
{
    const NewsEditions editions = builtIn();
    for (int position : { -1, 24 }) {
        const NewsEditions::Regional regional = editions.regionalAddress(midday, position, fifthOfDecember);
        QVERIFY(!regional.address);
        QVERIFY(regional.message.isEmpty());
    }
    // Neither an address nor the message for another programme.
    for (int position : { 1, 4 }) {
        const auto regional = editions.regionalAddress(QStringLiteral("Arte"), position, fifthOfDecember);
        QVERIFY(!regional.address);
        QVERIFY(regional.message.isEmpty());
    }
}

void TestTvTables::builtInForeignChannels_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("listItem");
    QTest::addColumn<QString>("nowPlaying");
    QTest::newRow("0") << 0 << "Bloomberg (Allemagne)"
                       << "Bloomberg Allemagne";
    QTest::newRow("4: without the l") << 4 << "Vision Plus (Albanie)"
                                      << "Vision Pus Albanie";
    QTest::newRow("12: Chile") << 12 << "Canal 13 (Chili)"
                               << "Canal 13 Chile";
    QTest::newRow("17: two spaces") << 17 << "City Cable 5  (USA)"
                                    << "City cable 5 USA";
    QTest::newRow("25") << 25 << "Kulaks (Woodshed USA)"
                        << "Kulak's Woodshed USA";
    QTest::newRow("45") << 45 << "France 24 (France, en anglais)"
                        << "France 24";
    QTest::newRow("46") << 46 << "VPro TV (Hollandais)"
                        << "VPro TV";
}

void TestTvTables::builtInForeignChannels()
{
    QFETCH(int, row);
    QFETCH(QString, listItem);
    QFETCH(QString, nowPlaying);
    QString error;
    const auto table = ForeignChannels::builtIn(&error);
    QVERIFY2(table, qPrintable(error));
    QCOMPARE(table->channels.size(), 47);
    QCOMPARE(table->channels.at(row).listItem, listItem);
    QCOMPARE(table->channels.at(row).nowPlaying, nowPlaying);
    QVERIFY(!table->channels.at(row).address.isEmpty());
}

void TestTvTables::foreignChannelPlaceholdersStandOnTheSite()
{
    QString error;
    const auto table = ForeignChannels::parse(u"A (X)\tA X\t@SITE@/tv/a.asx\n"
                                              u"B (Y)\tB Y\thttps://b.example/live.m3u8\n"
                                              u"C (Z)\tC Z\thttp://c.example/@SITE@\n",
        QStringLiteral("http://127.0.0.1:9"),
        &error);
    QVERIFY2(table, qPrintable(error));
    QCOMPARE(table->channels.at(0).address, QStringLiteral("http://127.0.0.1:9/tv/a.asx"));
    QCOMPARE(table->channels.at(1).address, QStringLiteral("https://b.example/live.m3u8"));
    QCOMPARE(table->channels.at(2).address, QStringLiteral("http://c.example/@SITE@"));
    QVERIFY(!ForeignChannels::parse(u"A (X)\tA X\n", QString(), &error));

    // Every channel of the built-in table without an address of its own
    // stands on the program's site.
    const auto builtIn = ForeignChannels::builtIn(&error);
    QVERIFY(builtIn);
    for (const ForeignChannels::Channel &channel : builtIn->channels) {
        QVERIFY2(channel.address.startsWith(QStringLiteral(ONDAVOX_SITE_URL "/tv/"))
                || channel.address.startsWith(QStringLiteral("https://")),
            qPrintable(channel.address));
    }
}

QTEST_GUILESS_MAIN(TestTvTables)
#include "tst_tvtables.moc"
