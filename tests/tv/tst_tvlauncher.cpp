#include "cataloguetext.h"
#include "core/state/statestore.h"
#include "core/state/textfile.h"
#include "core/tv/editiondate.h"
#include "core/tv/foreignchannels.h"
#include "core/tv/newseditions.h"
#include "core/tv/splitprogramme.h"
#include "core/tv/tvbrowser.h"
#include "core/tv/tvlauncher.h"
#include "fakecontrols.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace
{

const EditionDate fifthOfDecember = EditionDate::ReadEditionDate(4, 11, 2007);
const QString server = QStringLiteral("http://127.0.0.1:8000/");
const QString placeholder = QStringLiteral("\u00a4");
const QString previousStream = QStringLiteral("http://127.0.0.1:8000/before.mp3");

// Catalogue positions of the records below.
enum Record {
    Dated = 1,
    Plain,
    Web,
    Anges,
    Groland,
    GrandJournal,
    Autowereld,
    NotInTable,
    Midday,
    Evening,
    DatedUnknownFlag,
};

QString catalogue()
{
    const QString jt = QStringLiteral("TV-jt");
    const QString oui = QStringLiteral("oui");
    const QString m3u = QStringLiteral("m3u");
    return catalogueText({ tvHeader,
        tvRecord(Dated, jt, "Le journal", server + "jt/jt_" + placeholder + "JMA.wmv", {}, oui),
        tvRecord(Plain, jt, "Arte", server + "arte_" + placeholder + "JMA.m3u8"),
        tvRecord(Web, jt, "Un site", server + "page.html", {}, "web"),
        tvRecord(Anges,
            jt,
            "Canal+ : Nous ne sommes pas des anges",
            server + "canal/anges_" + placeholder + "JMA_a.wmv",
            {},
            m3u),
        tvRecord(Groland, jt, "Canal+ : Groland", server + "canal/groland_" + placeholder + "JMA_a.wmv", {}, m3u),
        tvRecord(
            GrandJournal, jt, "Canal+ : Le grand journal", server + "canal/gj_" + placeholder + "BMJ_a.wmv", {}, m3u),
        tvRecord(Autowereld, jt, "VTM - Autowereld", server + "vtm/auto_" + placeholder + "AMJ_1", {}, m3u),
        tvRecord(NotInTable, jt, "Hors table", server + "hors/hors_" + placeholder + "JMA_a.wmv", {}, m3u),
        tvRecord(Midday, jt, NewsEditions::middayName, server + "f3/12h_" + placeholder + "JMA.wmv", {}, oui),
        tvRecord(Evening, jt, NewsEditions::eveningName, server + "f3/19h_" + placeholder + "JMA.wmv", {}, oui),
        tvRecord(DatedUnknownFlag, jt, "Sans date", server + "sd_" + placeholder + "JMA.wmv", {}, "Oui"),
        QString() });
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
}

} // namespace

class TestTvLauncher : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void datedEntryPlaysWithTheDateAndTheMark();
    void launchingAgainKeepsTheResolvedAddress();
    void plainEntryPlaysAsItStands_data();
    void plainEntryPlaysAsItStands();
    void webEntryShowsThePage();
    void splitProgrammesPlayTheirPlaylist_data();
    void splitProgrammesPlayTheirPlaylist();
    void entryInPartsOutsideTheTablePlaysItsOwnAddress();
    void unwritablePlaylistPlaysNothing();
    void nationalEditions_data();
    void nationalEditions();
    void nationalEditionOfAnotherProgrammeDoesNothing();
    void regionalEdition();
    void basseNormandieLeavesTheStreamPlaying();
    void regionalEditionWithoutARegion();
    void foreignChannels_data();
    void foreignChannels();

private:
    void show(int record);
    TvLauncher::Outcome launch(int record);

    QTemporaryDir m_userFolder;
    StateStore m_store;
    FakePlayer m_player;
    FakeBrowser m_browser;
    NewsEditions m_editions;
    ForeignChannels m_channels;
    std::unique_ptr<TvBrowser> m_tvBrowser;
    std::unique_ptr<TvLauncher> m_launcher;
};

void TestTvLauncher::initTestCase()
{
    QVERIFY(m_userFolder.isValid());
    QString error;
    const auto editions = NewsEditions::builtIn(&error);
    QVERIFY2(editions, qPrintable(error));
    m_editions = *editions;
    const auto channels = ForeignChannels::builtIn(&error);
    QVERIFY2(channels, qPrintable(error));
    m_channels = *channels;
    m_store.setChemin(QStringLiteral("/opt/ondavox"));
    m_store.setDataTV(catalogue());
}

void TestTvLauncher::init()
{
    m_store.setUserFolder(m_userFolder.path());
    QFile::remove(m_store.userPath(SplitProgramme::playlistName));
    m_store.setM3u(QString());
    m_store.setCurl(previousStream);
    m_store.setLecture(QStringLiteral("Avant"));
    m_store.setRadioTv(QStringLiteral("RADIO"));
    m_player.setUrl(previousStream);
    m_player.urls.clear();
    m_player.setVisible(false);
    m_browser.setVisible(true);
    m_browser.addresses.clear();
    m_browser.stops = 0;
    m_tvBrowser = std::make_unique<TvBrowser>(m_store, [](const QString &) {
        return true;
    });
    m_tvBrowser->FillFirstPage();
    m_launcher = std::make_unique<TvLauncher>(m_store, m_player, m_browser, m_editions, m_channels);
}

void TestTvLauncher::show(int record)
{
    m_tvBrowser->ShowEntryInfo(m_tvBrowser->page().slot(record - 1).tag);
}

TvLauncher::Outcome TestTvLauncher::launch(int record)
{
    show(record);
    return m_launcher->BtnLancer_Click(*m_tvBrowser, fifthOfDecember);
}

void TestTvLauncher::datedEntryPlaysWithTheDateAndTheMark()
{
    QSignalSpy busy(m_launcher.get(), &TvLauncher::playlistWriting);
    QCOMPARE(launch(Dated), (TvLauncher::Outcome { TvLauncher::After::Hide, {} }));
    const QString resolved = server + "jt/jt_051207.wmv";
    QCOMPARE(m_player.urls, QStringList { resolved });
    QCOMPARE(m_store.curl(), QStringLiteral("*") + resolved);
    QCOMPARE(m_store.lecture(), QStringLiteral("Le journal"));
    QCOMPARE(m_store.radioTv(), QStringLiteral("TV"));
    QVERIFY(m_player.isVisible());
    QVERIFY(!m_browser.isVisible());
    QVERIFY(m_browser.stops > 0);
    QCOMPARE(m_tvBrowser->info().LblAdresse, resolved);
    // The player's face shows the programme's picture while nothing is drawn.
    QVERIFY(!m_tvBrowser->info().ImageOne.isEmpty());
    QCOMPARE(m_player.urlPictures.last(), m_tvBrowser->info().ImageOne);
    QCOMPARE(busy.size(), 0);
    QVERIFY(!QFile::exists(m_store.userPath(SplitProgramme::playlistName)));
}

void TestTvLauncher::launchingAgainKeepsTheResolvedAddress()
{
    launch(Dated);
    m_player.urls.clear();
    // Without showing the entry again: the address has no placeholder left.
    m_launcher->BtnLancer_Click(*m_tvBrowser, EditionDate::ReadEditionDate(0, 0, 2008));
    const QString resolved = server + "jt/jt_051207.wmv";
    QCOMPARE(m_player.urls, QStringList { resolved });
    QCOMPARE(m_store.curl(), QStringLiteral("*") + resolved);
    // Showing it again brings the placeholder back.
    launch(Dated);
    QCOMPARE(m_player.url(), server + "jt/jt_051207.wmv");
}

void TestTvLauncher::plainEntryPlaysAsItStands_data()
{
    QTest::addColumn<int>("record");
    QTest::addColumn<QString>("address");
    QTest::newRow("empty flag") << int(Plain) << server + "arte_" + placeholder + "JMA.m3u8";
    QTest::newRow("unknown flag") << int(DatedUnknownFlag) << server + "sd_" + placeholder + "JMA.wmv";
}

void TestTvLauncher::plainEntryPlaysAsItStands()
{
    QFETCH(int, record);
    QFETCH(QString, address);
    QCOMPARE(launch(record).after, TvLauncher::After::Hide);
    QCOMPARE(m_player.urls, QStringList { address });
    QCOMPARE(m_store.curl(), address);
    QCOMPARE(m_store.radioTv(), QStringLiteral("TV"));
    QVERIFY(m_player.isVisible());
    QVERIFY(!m_browser.isVisible());
}

void TestTvLauncher::webEntryShowsThePage()
{
    QSignalSpy modes(&m_store, &StateStore::radioTvChanged);
    QCOMPARE(launch(Web).after, TvLauncher::After::Hide);
    // The player is left without an address, and hidden.
    QCOMPARE(m_player.urls, QStringList { QString() });
    QCOMPARE(m_player.url(), QString());
    QVERIFY(!m_player.isVisible());
    QVERIFY(m_browser.isVisible());
    QCOMPARE(m_browser.addresses, QStringList { server + "page.html" });
    QCOMPARE(m_store.curl(), server + "page.html");
    QCOMPARE(m_store.lecture(), QStringLiteral("Un site"));
    // "TV" first, then the web mode that the main window's web handling knows.
    QCOMPARE(modes.size(), 2);
    QCOMPARE(modes.at(0).at(0).toString(), QStringLiteral("TV"));
    QCOMPARE(m_store.radioTv(), QStringLiteral("WEB"));
}

void TestTvLauncher::splitProgrammesPlayTheirPlaylist_data()
{
    QTest::addColumn<int>("record");
    QTest::addColumn<QStringList>("parts");

    QTest::newRow("Nous ne sommes pas des anges")
        << int(Anges) << QStringList { server + "canal/anges_051207_a.wmv", server + "canal/anges_051207_b.wmv" };
    QTest::newRow("Groland") << int(
        Groland) << QStringList { server + "canal/groland_051207_a.wmv", server + "canal/groland_051207_b.wmv" };
    QTest::newRow("Le grand journal") << int(GrandJournal)
                                      << QStringList { server + "canal/gj_20071205_a.wmv",
                                             server + "canal/gj_20071205_b.wmv",
                                             server + "canal/gj_20071205_c.wmv",
                                             server + "canal/gj_20071205_d.wmv" };
    QTest::newRow("Autowereld: the last character replaced") << int(Autowereld)
                                                             << QStringList { server + "vtm/auto_071205_1",
                                                                    server + "vtm/auto_071205_2",
                                                                    server + "vtm/auto_071205_3",
                                                                    server + "vtm/auto_071205_4" };
}

void TestTvLauncher::splitProgrammesPlayTheirPlaylist()
{
    QFETCH(int, record);
    QFETCH(QStringList, parts);
    QSignalSpy busy(m_launcher.get(), &TvLauncher::playlistWriting);
    QCOMPARE(launch(record).after, TvLauncher::After::Hide);

    const QString path = m_userFolder.filePath(QStringLiteral("Fractionné.m3u"));
    // The parts, one CR LF between them and exactly one after the last.
    QCOMPARE(fileBytes(path), TextFile::encode(parts.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    QCOMPARE(m_store.m3u(), parts.join(QStringLiteral("\r\n")));
    QCOMPARE(m_player.urls, QStringList { path });
    QCOMPARE(m_store.curl(), QStringLiteral("*") + m_tvBrowser->info().LblAdresse);
    QVERIFY(!m_store.curl().contains(placeholder));
    QCOMPARE(busy.size(), 1);
    QVERIFY(m_player.isVisible());
    QVERIFY(!m_browser.isVisible());
}

void TestTvLauncher::entryInPartsOutsideTheTablePlaysItsOwnAddress()
{
    launch(GrandJournal);
    const QString path = m_userFolder.filePath(QStringLiteral("Fractionné.m3u"));
    const QByteArray written = fileBytes(path);
    const QString playlist = m_store.m3u();
    m_player.urls.clear();

    QCOMPARE(launch(NotInTable).after, TvLauncher::After::Hide);
    const QString resolved = server + "hors/hors_051207_a.wmv";
    QCOMPARE(m_player.urls, QStringList { resolved });
    QCOMPARE(m_store.curl(), QStringLiteral("*") + resolved);
    QCOMPARE(m_store.m3u(), playlist);
    QCOMPARE(fileBytes(path), written);
}

void TestTvLauncher::unwritablePlaylistPlaysNothing()
{
    // A folder that cannot be made: a file stands in its way.
    QFile blocker(m_userFolder.filePath(QStringLiteral("blocker")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    m_store.setUserFolder(blocker.fileName() + QStringLiteral("/ondavox"));

    show(Groland);
    const QString label = m_tvBrowser->info().LblAdresse;
    const TvLauncher::Outcome outcome = m_launcher->BtnLancer_Click(*m_tvBrowser, fifthOfDecember);
    QCOMPARE(outcome.after, TvLauncher::After::StayOpen);
    QVERIFY(outcome.message.contains(QStringLiteral("Fractionné.m3u")));
    QVERIFY(m_player.urls.isEmpty());
    QCOMPARE(m_player.url(), previousStream);
    // Nothing of the launch stays behind: adding the stream that plays would
    // otherwise save the old name with the new address.
    QCOMPARE(m_store.lecture(), QStringLiteral("Avant"));
    QCOMPARE(m_store.curl(), previousStream);
    QCOMPARE(m_store.radioTv(), QStringLiteral("RADIO"));
    QCOMPARE(m_store.m3u(), QString());
    QCOMPARE(m_tvBrowser->info().LblAdresse, label);
    QVERIFY(!m_player.isVisible());
}

void TestTvLauncher::nationalEditions_data()
{
    QTest::addColumn<int>("record");
    QTest::addColumn<QString>("address");
    QTest::newRow("12h") << int(Midday) << m_editions.StreamBase + "siege/infos/f3/1214/HD_1214_20071205.wmv?WMCache=0";
    QTest::newRow("19h") << int(Evening) << m_editions.EveningNewsBase + "05122007/jt20d05122007.asx";
}

void TestTvLauncher::nationalEditions()
{
    QFETCH(int, record);
    QFETCH(QString, address);
    show(record);
    const QString name = m_tvBrowser->info().LblNom;
    QCOMPARE(m_launcher->BoutonNat_Click(name, fifthOfDecember).after, TvLauncher::After::Unload);
    QCOMPARE(m_player.urls, QStringList { address });
    QCOMPARE(m_store.curl(), QStringLiteral("*") + address);
    QCOMPARE(m_store.lecture(), name);
    QCOMPARE(m_store.radioTv(), QStringLiteral("RADIO"));
    QVERIFY(m_player.isVisible());
    QVERIFY(!m_browser.isVisible());
}

void TestTvLauncher::nationalEditionOfAnotherProgrammeDoesNothing()
{
    QCOMPARE(m_launcher->BoutonNat_Click(QStringLiteral("Arte"), fifthOfDecember).after, TvLauncher::After::StayOpen);
    QVERIFY(m_player.urls.isEmpty());
    QCOMPARE(m_store.curl(), previousStream);
}

void TestTvLauncher::regionalEdition()
{
    QCOMPARE(m_launcher->region_Click(NewsEditions::middayName, 1, fifthOfDecember),
        (TvLauncher::Outcome { TvLauncher::After::Hide, {} }));
    QCOMPARE(m_player.urls,
        QStringList { m_editions.regionalAddress(NewsEditions::middayName, 1, fifthOfDecember).address.value() });
    QVERIFY(m_player.url().endsWith(QStringLiteral("alsace%2FHD_1200_strasbourg_midipile_051207.wmv%3FWMCache%3D0")));
    QCOMPARE(m_store.lecture(), QStringLiteral("Edition Régionnale - Fr3"));
    QCOMPARE(m_store.curl(), QStringLiteral("PAS_FAVORIS"));
    QCOMPARE(m_store.radioTv(), QStringLiteral("RADIO"));
    QVERIFY(m_player.isVisible());
    QVERIFY(!m_browser.isVisible());
}

void TestTvLauncher::basseNormandieLeavesTheStreamPlaying()
{
    for (const QString &name : { NewsEditions::middayName, NewsEditions::eveningName }) {
        const TvLauncher::Outcome outcome = m_launcher->region_Click(name, 4, fifthOfDecember);
        QCOMPARE(outcome.after, TvLauncher::After::StayOpen);
        QCOMPARE(outcome.message, QStringLiteral("L'édition de basse Normandie n'est pour l'instant pas disponible"));
        QVERIFY(m_player.urls.isEmpty());
        QCOMPARE(m_player.url(), previousStream);
        QCOMPARE(m_store.curl(), previousStream);
        QCOMPARE(m_store.lecture(), QStringLiteral("Avant"));
    }
}

void TestTvLauncher::regionalEditionWithoutARegion()
{
    QCOMPARE(m_launcher->region_Click(NewsEditions::eveningName, -1, fifthOfDecember).after, TvLauncher::After::Hide);
    QVERIFY(m_player.urls.isEmpty());
    QCOMPARE(m_store.lecture(), QStringLiteral("Edition Régionnale - Fr3"));
    QCOMPARE(m_store.curl(), QStringLiteral("PAS_FAVORIS"));
}

void TestTvLauncher::foreignChannels_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("nowPlaying");
    QTest::newRow("4") << 4 << "Vision Pus Albanie";
    QTest::newRow("12") << 12 << "Canal 13 Chile";
    QTest::newRow("17") << 17 << "City cable 5 USA";
    QTest::newRow("45") << 45 << "France 24";
    QTest::newRow("none picked") << -1 << "";
}

void TestTvLauncher::foreignChannels()
{
    QFETCH(int, position);
    QFETCH(QString, nowPlaying);
    QCOMPARE(m_launcher->AutresChaines_Click(position).after, TvLauncher::After::Hide);
    const QString address = position < 0 ? QString() : m_channels.channels.at(position).address;
    // What played stops first; the channel then plays from its start.
    QStringList expected { QString() };
    if (position >= 0)
        expected.append(address);
    QCOMPARE(m_player.urls, expected);
    QCOMPARE(m_store.lecture(), nowPlaying);
    QCOMPARE(m_store.curl(), address);
    QCOMPARE(m_store.radioTv(), QStringLiteral("TV"));
    // Which of the player and the browser shows is left as it was.
    QVERIFY(!m_player.isVisible());
    QVERIFY(m_browser.isVisible());
}

QTEST_GUILESS_MAIN(TestTvLauncher)
#include "tst_tvlauncher.moc"
