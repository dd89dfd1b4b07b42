#include "cataloguetext.h"
#include "core/state/statestore.h"
#include "core/tv/newseditions.h"
#include "core/tv/tvbrowser.h"
#include "pageslots.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace
{

using Box = TvFilter::Box;

// `admitted` French news programmes, each followed by a Belgian one that only
// the Belgian box lists, so that with that box unticked the k-th listed entry
// is record 2k - 1.
QString interleavedCatalogue(int admitted)
{
    QStringList lines { tvHeader };
    for (int k = 1; k <= admitted; ++k) {
        lines.append(tvRecord(2 * k - 1, QStringLiteral("TV-jt"), QStringLiteral("P%1").arg(k)));
        lines.append(tvRecord(2 * k, QStringLiteral("TV-jt"), QStringLiteral("B%1").arg(k), {}, "français-belge"));
    }
    lines.append(QString());
    return catalogueText(lines);
}

QString shown(const TvBrowser &browser)
{
    return shownSlots(browser.page());
}

QString expectedShown(int first, int count)
{
    return expectedSlots(TvBrowser::slotCount, first, count);
}

bool pictureLoads(const QString &path)
{
    return !path.contains(QStringLiteral("tv99."));
}

} // namespace

class TestTvBrowser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void firstFillFollowsLoadAfter70ms();
    void pageIs12SlotsInRowsOf4();
    void filterRules_data();
    void filterRules();
    void filterClickRefillsAfter70ms();
    void foreignListBoxRules_data();
    void foreignListBoxRules();
    void stepsIdleWhileTheForeignListShows();
    void rowAboveCountsPositions();
    void entryShownSetsTheLaunchControls_data();
    void entryShownSetsTheLaunchControls();
    void regionListKeepsItsStateForTheNewsProgrammes();
    void secondClickWithoutMovingOverTheWindowShowsNothing();
    void imageOneIsCentredInItsPanel();

private:
    void load(const QString &catalogue);
    StateStore m_store;
    std::unique_ptr<TvBrowser> m_browser;
};

void TestTvBrowser::init()
{
    m_browser.reset();
    m_store.setChemin(QStringLiteral("/opt/ondavox"));
}

void TestTvBrowser::load(const QString &catalogue)
{
    m_store.setDataTV(catalogue);
    m_browser = std::make_unique<TvBrowser>(m_store, pictureLoads);
    QSignalSpy filled(m_browser.get(), &TvBrowser::pageChanged);
    QVERIFY(filled.wait(1000));
}

void TestTvBrowser::firstFillFollowsLoadAfter70ms()
{
    // The radio catalogue is not the one read.
    m_store.setData(interleavedCatalogue(20));
    m_store.setDataTV(interleavedCatalogue(3));
    TvBrowser browser(m_store, pictureLoads);
    QTest::qWait(30);
    QCOMPARE(shown(browser), expectedShown(1, 0));
    // Every box but "Etrangères non francophones" ticked: the Belgian ones too.
    QTRY_COMPARE(shown(browser), expectedShown(1, 6));
}

void TestTvBrowser::pageIs12SlotsInRowsOf4()
{
    load(interleavedCatalogue(20));
    m_browser->Check_Click(Box::EtrangeresF, false);
    QTRY_COMPARE(shown(*m_browser), expectedShown(1, 12));
    m_browser->Down();
    QCOMPARE(shown(*m_browser), expectedShown(5, 12));
    m_browser->Down();
    QCOMPARE(shown(*m_browser), expectedShown(9, 12));
    m_browser->Down(); // at the end
    QCOMPARE(shown(*m_browser), expectedShown(9, 12));
    m_browser->Up();
    QCOMPARE(shown(*m_browser), expectedShown(5, 12));
}

void TestTvBrowser::filterRules_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QList<Box>>("ticked");
    QTest::addColumn<bool>("admitted");

    const QString belgian = QStringLiteral("français-belge");
    const QList<Box> allButBelgian { Box::Toutes, Box::JT, Box::Meteo, Box::Clips, Box::Divertissements, Box::Divers };

    QTest::newRow("weather, Belgian, only the Belgian box")
        << "TV-meteo" << belgian << QList<Box> { Box::EtrangeresF } << true;
    QTest::newRow("weather, Belgian, Toutes and Météo")
        << "TV-meteo" << belgian << QList<Box> { Box::Toutes, Box::Meteo } << false;
    QTest::newRow("any other language, only the Belgian box") << "TV-clip"
                                                              << "anglais" << QList<Box> { Box::EtrangeresF } << true;
    QTest::newRow("Belgian, unknown category") << "podcast" << belgian << QList<Box> { Box::EtrangeresF } << true;
    QTest::newRow("Belgian box: French news") << "TV-jt" << QString() << QList<Box> { Box::EtrangeresF } << false;
    QTest::newRow("Toutes: news") << "TV-jt" << QString() << QList<Box> { Box::Toutes } << true;
    QTest::newRow("Toutes: entertainment") << "TV-divertissement" << QString() << QList<Box> { Box::Toutes } << true;
    QTest::newRow("JT: news") << "TV-jt" << QString() << QList<Box> { Box::JT } << true;
    QTest::newRow("JT: weather") << "TV-meteo" << QString() << QList<Box> { Box::JT } << false;
    QTest::newRow("Météo") << "TV-meteo" << QString() << QList<Box> { Box::Meteo } << true;
    QTest::newRow("Clips") << "TV-clip" << QString() << QList<Box> { Box::Clips } << true;
    QTest::newRow("Clips: other") << "TV-divers" << QString() << QList<Box> { Box::Clips } << false;
    QTest::newRow("Divertissements") << "TV-divertissement" << QString() << QList<Box> { Box::Divertissements } << true;
    QTest::newRow("Divers") << "TV-divers" << QString() << QList<Box> { Box::Divers } << true;
    QTest::newRow("misspelt category") << "TV-meteos" << QString() << allButBelgian << false;
    QTest::newRow("category in capitals") << "TV-JT" << QString() << allButBelgian << false;
    QTest::newRow("foreign-list box lists nothing") << "TV-jt" << QString() << QList<Box> { Box::Etrangeres } << false;
    QTest::newRow("no box") << "TV-jt" << QString() << QList<Box> {} << false;
}

void TestTvBrowser::filterRules()
{
    QFETCH(QString, category);
    QFETCH(QString, language);
    QFETCH(QList<Box>, ticked);
    QFETCH(bool, admitted);

    TvFilter filter { false, false, false, false, false, false, false, false };
    for (Box box : ticked)
        filter.setValue(box, true);
    CatalogueEntry entry;
    entry.category = category;
    entry.language = language;
    QCOMPARE(filter.admits(entry), admitted);
}

void TestTvBrowser::filterClickRefillsAfter70ms()
{
    load(interleavedCatalogue(4));
    QSignalSpy refilled(m_browser.get(), &TvBrowser::pageChanged);
    m_browser->Check_Click(Box::EtrangeresF, false);
    QCOMPARE(refilled.size(), 1); // emptied at once
    QVERIFY(m_browser->page().slot(0).isEmpty());
    QTest::qWait(30);
    QCOMPARE(refilled.size(), 1);
    QTRY_COMPARE(shown(*m_browser), expectedShown(1, 4));
}

void TestTvBrowser::foreignListBoxRules_data()
{
    QTest::addColumn<Box>("box");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<bool>("foreignListAfter");
    QTest::addColumn<bool>("refilled");

    // Only the clicked box's rules run: CheckEtrangeres unticked by another
    // box does not hide its list, except for these two boxes.
    QTest::newRow("ticking JT") << Box::JT << true << true << true;
    QTest::newRow("ticking Divers") << Box::Divers << true << false << true;
    QTest::newRow("ticking Divertissements") << Box::Divertissements << true << false << true;
    QTest::newRow("ticking the Belgian box") << Box::EtrangeresF << true << true << true;
    QTest::newRow("unticking the foreign box") << Box::Etrangeres << false << false << false;
}

void TestTvBrowser::foreignListBoxRules()
{
    QFETCH(Box, box);
    QFETCH(bool, ticked);
    QFETCH(bool, foreignListAfter);
    QFETCH(bool, refilled);

    load(interleavedCatalogue(4));
    m_browser->Check_Click(Box::Etrangeres, true);
    QCOMPARE(m_browser->filter(), (TvFilter { false, false, false, false, false, false, false, true }));
    QVERIFY(m_browser->controls().AutresChaines);
    QVERIFY(!m_browser->controls().BtnLancer);
    // The page is not refilled: it keeps its entries under the list.
    QTest::qWait(100);
    QCOMPARE(shown(*m_browser), expectedShown(1, 8));

    QSignalSpy pageChanged(m_browser.get(), &TvBrowser::pageChanged);
    m_browser->Check_Click(box, ticked);
    QCOMPARE(m_browser->filter().CheckEtrangeres, false);
    QCOMPARE(m_browser->filter().value(box), ticked);
    QCOMPARE(m_browser->controls().AutresChaines, foreignListAfter);
    if (refilled) {
        QTRY_COMPARE(pageChanged.size(), 2);
    } else {
        QVERIFY(m_browser->controls().BtnLancer);
        QTest::qWait(100);
        QCOMPARE(pageChanged.size(), 0);
    }
}

void TestTvBrowser::stepsIdleWhileTheForeignListShows()
{
    load(interleavedCatalogue(20));
    m_browser->Check_Click(Box::Etrangeres, true);
    m_browser->Down();
    m_browser->WheelCtl1_WheelRotate(-120, 0, 0, 0);
    QTest::qWait(60);
    QCOMPARE(shown(*m_browser), expectedShown(1, 12));
    // Unticked, the list goes and the page steps again; the foreign box had
    // unticked all the others, so the row coming into view stays empty.
    m_browser->Check_Click(Box::Etrangeres, false);
    m_browser->Down();
    QCOMPARE(shown(*m_browser), expectedShown(5, 8));
}

void TestTvBrowser::rowAboveCountsPositions()
{
    // Record 3 says it is record 300; the TV browser never reads field 1.
    QStringList lines { tvHeader };
    for (int k = 1; k <= 20; ++k)
        lines.append(tvRecord(k == 3 ? 300 : k, QStringLiteral("TV-jt"), QStringLiteral("P%1").arg(k)));
    lines.append(QString());
    load(catalogueText(lines));
    m_browser->Down();
    m_browser->Up();
    QCOMPARE(shown(*m_browser), expectedShown(1, 12));
    QCOMPARE(m_browser->page().slot(2).tag.toText(), QStringLiteral("00030003"));
}

void TestTvBrowser::entryShownSetsTheLaunchControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("flag");
    QTest::addColumn<bool>("dates");
    QTest::addColumn<bool>("news");

    QTest::newRow("dated") << "Le journal"
                           << "oui" << true << false;
    QTest::newRow("in parts") << "Canal+ : Groland"
                              << "m3u" << true << false;
    QTest::newRow("web page") << "Un site"
                              << "web" << false << false;
    QTest::newRow("plain") << "Arte"
                           << "" << false << false;
    QTest::newRow("flag in capitals") << "Arte"
                                      << "OUI" << false << false;
    QTest::newRow("12h news") << "France 3 : Journal de 12h"
                              << "oui" << true << true;
    QTest::newRow("19h news") << "France 3 : Journal de 19h"
                              << "" << false << true;
}

void TestTvBrowser::entryShownSetsTheLaunchControls()
{
    QFETCH(QString, name);
    QFETCH(QString, flag);
    QFETCH(bool, dates);
    QFETCH(bool, news);

    load(catalogueText({ tvHeader,
        tvRecord(1, QStringLiteral("TV-jt"), name, QStringLiteral("http://127.0.0.1/a"), {}, flag),
        QString() }));
    QSignalSpy changed(m_browser.get(), &TvBrowser::controlsChanged);
    m_browser->Img_Click(0);
    QCOMPARE(m_browser->info().LblNom, name);
    QCOMPARE(m_browser->info().LblSpace, flag);
    QCOMPARE(m_browser->info().LblAdresse, QStringLiteral("http://127.0.0.1/a"));
    QCOMPARE(m_browser->info().ImageOne, QStringLiteral("/opt/ondavox/logos/tv1.png"));
    const TvBrowser::Controls &controls = m_browser->controls();
    QCOMPARE(controls.dates, dates);
    QCOMPARE(controls.LblLocal, news);
    QCOMPARE(controls.BoutonNat, news);
    QCOMPARE(controls.BoutonReg, news);
    QCOMPARE(controls.BtnLancer, !news);
    QCOMPARE(controls.region, false);
    QVERIFY(changed.size() >= 1);
}

void TestTvBrowser::regionListKeepsItsStateForTheNewsProgrammes()
{
    load(catalogueText({ tvHeader,
        tvRecord(1, QStringLiteral("TV-jt"), NewsEditions::middayName),
        tvRecord(2, QStringLiteral("TV-jt"), NewsEditions::eveningName),
        tvRecord(3, QStringLiteral("TV-jt"), QStringLiteral("Autre journal")),
        QString() }));
    m_browser->ShowEntryInfo(m_browser->page().slot(0).tag);
    QVERIFY(!m_browser->controls().region);
    m_browser->BoutonReg_Click();
    QVERIFY(m_browser->controls().region);
    m_browser->ShowEntryInfo(m_browser->page().slot(1).tag);
    QVERIFY(m_browser->controls().region);
    m_browser->ShowEntryInfo(m_browser->page().slot(2).tag);
    QVERIFY(!m_browser->controls().region);
    QVERIFY(m_browser->controls().BtnLancer);
}

void TestTvBrowser::secondClickWithoutMovingOverTheWindowShowsNothing()
{
    load(catalogueText({ tvHeader,
        tvRecord(1, QStringLiteral("TV-jt"), NewsEditions::middayName),
        tvRecord(2, QStringLiteral("TV-jt"), QStringLiteral("Deux"), QString(), QString(), QStringLiteral("oui")),
        tvRecord(3, QStringLiteral("TV-jt"), QStringLiteral("Trois")),
        QString() }));
    m_browser->Img_Click(0);
    QCOMPARE(m_browser->info().LblNom, NewsEditions::middayName);
    QVERIFY(!m_browser->controls().BtnLancer);

    // The second click only brings "Lancer" back.
    const CatalogueInfoPanel info = m_browser->info();
    m_browser->Img_Click(1);
    QCOMPARE(m_browser->info(), info);
    QVERIFY(m_browser->controls().BtnLancer);
    QVERIFY(!m_browser->controls().dates);

    m_browser->Form_MouseMove();
    m_browser->Img_Click(1);
    QCOMPARE(m_browser->info().LblNom, QStringLiteral("Deux"));
    QCOMPARE(m_browser->info().LblSpace, QStringLiteral("oui"));
    QVERIFY(m_browser->controls().dates);
}

void TestTvBrowser::imageOneIsCentredInItsPanel()
{
    QCOMPARE(TvBrowser::ImageOneLeft(1170), 1205); // a 78-pixel picture
    QCOMPARE(TvBrowser::ImageOneLeft(3580), 0);
    QCOMPARE(TvBrowser::ImageOneLeft(0), 1790);
}

QTEST_GUILESS_MAIN(TestTvBrowser)
#include "tst_tvbrowser.moc"
