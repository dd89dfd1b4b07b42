#include "cataloguetext.h"
#include "core/catalogue/radiobrowser.h"
#include "core/state/statestore.h"
#include "pageslots.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace
{

// A catalogue of `admitted` French music stations, each followed by a foreign
// news station that "Toutes" does not list, so that the k-th listed entry is
// record 2k - 1.
QString interleavedCatalogue(int admitted)
{
    QStringList lines { radioHeader };
    for (int k = 1; k <= admitted; ++k) {
        lines.append(radioRecord(2 * k - 1, QStringLiteral("radio"), QStringLiteral("S%1").arg(k)));
        lines.append(radioRecord(2 * k, QStringLiteral("radio-info"), QStringLiteral("N%1").arg(k), "anglais"));
    }
    lines.append(QString());
    return catalogueText(lines);
}

// Which list number each slot shows, "-" for a hidden slot, e.g. "1 2 3 - -".
QString shown(const RadioBrowser &browser)
{
    return shownSlots(browser.page());
}

QString expectedShown(int first, int count)
{
    return expectedSlots(RadioBrowser::slotCount, first, count);
}

bool pictureLoads(const QString &path)
{
    return !path.contains(QStringLiteral("broken"));
}

} // namespace

class TestRadioBrowser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void firstFillFollowsLoad();
    void refillBeforeFirstFillPlacesEachEntryOnce();
    void pageSteps_data();
    void pageSteps();
    void filterRules_data();
    void filterRules();
    void filterClickRefillsThePage();
    void untickingEveryBoxEmptiesThePage();
    void wheelNotchAwayStepsTowardsStart();
    void closeWheelNotchesGiveOneStep();
    void stepsDoNothingWhileHidden();
    void hoverShowsEntryInfo();
    void hoverOverEmptySlotChangesNothing();
    void unloadablePictureLeavesAHiddenCountedSlot();
    void rowAboveTakesRecordNumberFromField1();

private:
    void load(const QString &catalogue);
    StateStore m_store;
    std::unique_ptr<RadioBrowser> m_browser;
    bool m_visible = true;
};

void TestRadioBrowser::init()
{
    m_browser.reset();
    m_visible = true;
    m_store.setChemin(QStringLiteral("/opt/ondavox"));
}

// Creates the browser as the window's load does and waits for its first fill.
void TestRadioBrowser::load(const QString &catalogue)
{
    m_store.setData(catalogue);
    m_browser = std::make_unique<RadioBrowser>(m_store, pictureLoads);
    m_browser->setVisibilityQuery([this] {
        return m_visible;
    });
    QSignalSpy filled(m_browser.get(), &RadioBrowser::pageChanged);
    QVERIFY(filled.wait(1000));
}

void TestRadioBrowser::firstFillFollowsLoad()
{
    m_store.setData(interleavedCatalogue(3));
    QElapsedTimer sinceLoad;
    sinceLoad.start();
    RadioBrowser browser(m_store, pictureLoads);
    QSignalSpy filled(&browser, &RadioBrowser::pageChanged);
    QCOMPARE(shown(browser), expectedShown(1, 0));
    QVERIFY(filled.wait(1000));
    // Not before its 100 ms (a coarse timer may fire up to 5 % early).
    QVERIFY2(sinceLoad.elapsed() >= 95, qPrintable(QString::number(sinceLoad.elapsed())));
    QCOMPARE(filled.size(), 1);
    QCOMPARE(shown(browser), expectedShown(1, 3));
    QCOMPARE(browser.ID2Max(), 3);
}

void TestRadioBrowser::refillBeforeFirstFillPlacesEachEntryOnce()
{
    m_store.setData(interleavedCatalogue(3));
    RadioBrowser browser(m_store, pictureLoads);
    browser.Check_Click(RadioFilter::Box::Music, true);
    QTRY_COMPARE(shown(browser), expectedShown(1, 3));
    // Past the first fill's own delay: no second fill adds the entries again.
    QTest::qWait(150);
    QCOMPARE(shown(browser), expectedShown(1, 3));
}

void TestRadioBrowser::pageSteps_data()
{
    QTest::addColumn<int>("admitted");
    QTest::addColumn<int>("firstFillID2Max");
    QTest::addColumn<QString>("steps"); // D: Down, U: Up
    QTest::addColumn<QList<int>>("firstShown"); // after each step
    QTest::addColumn<QList<int>>("countShown");
    QTest::addColumn<QList<int>>("boule");

    QTest::newRow("exactly 24: Down does not step")
        << 24 << 24 << "D" << QList<int> { 1 } << QList<int> { 24 } << QList<int> { 226 };
    QTest::newRow("25: down, at the end, back up, at the start")
        << 25 << 25 << "DDUU" << QList<int> { 7, 7, 1, 1 } << QList<int> { 19, 19, 24, 24 }
        << QList<int> { 172, 226, 172, 118 };
    QTest::newRow("3: neither way") << 3 << 3 << "UD" << QList<int> { 1, 1 } << QList<int> { 3, 3 }
                                    << QList<int> { 118, 226 };
    QTest::newRow("30: the end reached exactly by a step")
        << 30 << 25 << "DD" << QList<int> { 7, 7 } << QList<int> { 24, 24 } << QList<int> { 172, 226 };
    QTest::newRow("40: three rows down, one up")
        << 40 << 25 << "DDDDU" << QList<int> { 7, 13, 19, 19, 13 } << QList<int> { 24, 24, 22, 22, 24 }
        << QList<int> { 172, 172, 172, 226, 172 };
}

void TestRadioBrowser::pageSteps()
{
    QFETCH(int, admitted);
    QFETCH(int, firstFillID2Max);
    QFETCH(QString, steps);
    QFETCH(QList<int>, firstShown);
    QFETCH(QList<int>, countShown);
    QFETCH(QList<int>, boule);

    load(interleavedCatalogue(admitted));
    QCOMPARE(shown(*m_browser), expectedShown(1, qMin(admitted, 24)));
    QCOMPARE(m_browser->ID2Max(), firstFillID2Max);
    for (int i = 0; i < steps.size(); ++i) {
        if (steps.at(i) == QLatin1Char('D'))
            m_browser->Image1_Click();
        else
            m_browser->Image2_Click();
        QCOMPARE(shown(*m_browser), expectedShown(firstShown.at(i), countShown.at(i)));
        QCOMPARE(m_browser->Boule(), boule.at(i));
    }
    // Every slot's reference still names the right record.
    for (const CatalogueSlot &slot : m_browser->page().pageSlots()) {
        if (!slot.isEmpty())
            QCOMPARE(slot.tag.recordNumber(), 2 * slot.tag.listNumber() - 1);
    }
}

void TestRadioBrowser::filterRules_data()
{
    using Box = RadioFilter::Box;
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QList<Box>>("ticked");
    QTest::addColumn<bool>("admitted");

    const QString belgian = QStringLiteral("français-belge");
    const QString radio = QStringLiteral("radio");
    const QString info = QStringLiteral("radio-info");
    const QString english = QStringLiteral("anglais");
    const QList<Box> all { Box::Toutes, Box::Info, Box::Music, Box::Etrangeres };

    QTest::newRow("Toutes: French music") << radio << QString() << QList<Box> { Box::Toutes } << true;
    QTest::newRow("Toutes: French news") << info << QString() << QList<Box> { Box::Toutes } << true;
    QTest::newRow("Toutes: foreign music") << radio << english << QList<Box> { Box::Toutes } << true;
    QTest::newRow("Toutes: foreign news") << info << english << QList<Box> { Box::Toutes } << false;
    QTest::newRow("Toutes: Belgian music") << radio << belgian << QList<Box> { Box::Toutes } << false;
    QTest::newRow("every box but Belgian: Belgian news") << info << belgian << all << false;
    QTest::newRow("Belgian box: Belgian news") << info << belgian << QList<Box> { Box::EtrangeresF } << true;
    QTest::newRow("Belgian box: Belgian music") << radio << belgian << QList<Box> { Box::EtrangeresF } << true;
    QTest::newRow("Belgian box: French music") << radio << QString() << QList<Box> { Box::EtrangeresF } << false;
    QTest::newRow("Belgian box, any category") << "podcast" << belgian << QList<Box> { Box::EtrangeresF } << true;
    QTest::newRow("capital F is foreign") << info << "Français-belge" << QList<Box> { Box::EtrangeresF } << false;
    QTest::newRow("Informatives: French news") << info << QString() << QList<Box> { Box::Info } << true;
    QTest::newRow("Informatives: French music") << radio << QString() << QList<Box> { Box::Info } << false;
    QTest::newRow("Musicales: foreign music") << radio << english << QList<Box> { Box::Music } << true;
    QTest::newRow("Musicales: French news") << info << QString() << QList<Box> { Box::Music } << false;
    QTest::newRow("non francophones: foreign news") << info << english << QList<Box> { Box::Etrangeres } << true;
    QTest::newRow("non francophones: foreign music") << radio << english << QList<Box> { Box::Etrangeres } << false;
    QTest::newRow("other category, every box") << "podcast" << QString() << all << false;
    QTest::newRow("category in capitals") << "RADIO" << QString() << all << false;
    QTest::newRow("no box") << radio << QString() << QList<Box> {} << false;
}

void TestRadioBrowser::filterRules()
{
    QFETCH(QString, category);
    QFETCH(QString, language);
    QFETCH(QList<RadioFilter::Box>, ticked);
    QFETCH(bool, admitted);

    RadioFilter filter;
    filter.CheckToutes = false;
    for (RadioFilter::Box box : ticked)
        filter.setValue(box, true);
    CatalogueEntry entry;
    entry.category = category;
    entry.language = language;
    QCOMPARE(filter.admits(entry), admitted);
}

void TestRadioBrowser::filterClickRefillsThePage()
{
    const QString text = catalogueText({ radioHeader,
        radioRecord(1, QStringLiteral("radio"), QStringLiteral("Music")),
        radioRecord(2, QStringLiteral("radio-info"), QStringLiteral("Foreign"), "anglais"),
        radioRecord(3, QStringLiteral("radio"), QStringLiteral("Other"), "anglais"),
        QString() });
    load(text);
    QCOMPARE(shown(*m_browser), expectedShown(1, 2));
    m_browser->Down(); // puts Boule at the end; a refill leaves it there
    QCOMPARE(m_browser->Boule(), RadioBrowser::BouleEnd);

    QSignalSpy refilled(m_browser.get(), &RadioBrowser::pageChanged);
    m_browser->Check_Click(RadioFilter::Box::Etrangeres, true);
    QVERIFY(m_browser->filter().CheckEtrangeres);
    // Emptied at once, refilled 10 ms later.
    QCOMPARE(refilled.size(), 1);
    QVERIFY(m_browser->page().slot(0).isEmpty());
    QTRY_COMPARE(shown(*m_browser), expectedShown(1, 3));
    QCOMPARE(m_browser->page().slot(1).tag.toText(), QStringLiteral("00020002"));
    QCOMPARE(m_browser->page().slot(2).tag.toText(), QStringLiteral("00030003"));
    QCOMPARE(m_browser->Boule(), RadioBrowser::BouleEnd);
}

void TestRadioBrowser::untickingEveryBoxEmptiesThePage()
{
    load(interleavedCatalogue(25));
    QCOMPARE(m_browser->ID2Max(), 25);
    QSignalSpy changes(m_browser.get(), &RadioBrowser::pageChanged);
    m_browser->Check_Click(RadioFilter::Box::Toutes, false);
    // Emptied at once, then the refill finds nothing to show.
    QTRY_COMPARE(changes.size(), 2);
    QCOMPARE(shown(*m_browser), expectedShown(1, 0));
    for (const CatalogueSlot &slot : m_browser->page().pageSlots())
        QVERIFY(slot.isEmpty());
    QCOMPARE(m_browser->ID2Max(), 25);

    // Nothing shown: the arrows change nothing, not even the indicator.
    m_browser->Up();
    m_browser->Down();
    QCOMPARE(m_browser->Boule(), RadioBrowser::BouleStart);
    QCOMPARE(shown(*m_browser), expectedShown(1, 0));
}

void TestRadioBrowser::wheelNotchAwayStepsTowardsStart()
{
    load(interleavedCatalogue(40));
    m_browser->WheelCtl1_WheelRotate(-120, 0, 10, 10);
    QTRY_COMPARE(shown(*m_browser), expectedShown(7, 24));
    m_browser->WheelCtl1_WheelRotate(120, 0, 10, 10);
    QTRY_COMPARE(shown(*m_browser), expectedShown(1, 24));
    QCOMPARE(m_browser->Boule(), RadioBrowser::BouleMiddle);
}

void TestRadioBrowser::closeWheelNotchesGiveOneStep()
{
    load(interleavedCatalogue(40));
    QSignalSpy stepped(m_browser.get(), &RadioBrowser::pageChanged);
    for (int i = 0; i < 3; ++i)
        m_browser->WheelCtl1_WheelRotate(-120, 0, 0, 0);
    QTest::qWait(100);
    QCOMPARE(stepped.size(), 1);
    QCOMPARE(shown(*m_browser), expectedShown(7, 24));
}

void TestRadioBrowser::stepsDoNothingWhileHidden()
{
    load(interleavedCatalogue(40));
    m_visible = false;
    m_browser->Down();
    m_browser->WheelCtl1_WheelRotate(-120, 0, 0, 0);
    QTest::qWait(60);
    QCOMPARE(shown(*m_browser), expectedShown(1, 24));
    QCOMPARE(m_browser->Boule(), RadioBrowser::BouleStart);
    m_visible = true;
    m_browser->Down();
    QCOMPARE(shown(*m_browser), expectedShown(7, 24));
}

void TestRadioBrowser::hoverShowsEntryInfo()
{
    const QString text = catalogueText({ radioHeader,
        QStringLiteral("1*radio*0*BFM*http://bfm.example/live*\\logos\\bfm.gif**français-belge*"),
        QStringLiteral("2*radio-info*128*France Inter*http://inter.example/live*\\logos\\broken.png*Généraliste**"),
        QString() });
    load(text);
    m_browser->Check_Click(RadioFilter::Box::EtrangeresF, true);
    QTRY_VERIFY(!m_browser->page().slot(1).isEmpty());

    QSignalSpy changed(m_browser.get(), &RadioBrowser::infoChanged);
    m_browser->Img_MouseMove(0);
    CatalogueInfoPanel expected { QStringLiteral("BFM"),
        QStringLiteral("Français (Belge)"),
        QStringLiteral("Non disponible"),
        QStringLiteral("/opt/ondavox/logos/bfm.gif"),
        QStringLiteral("http://bfm.example/live"),
        QString() };
    QCOMPARE(m_browser->info(), expected);
    QCOMPARE(changed.size(), 1);
    m_browser->Img_MouseMove(0);
    QCOMPARE(changed.size(), 1);

    // A picture that cannot be loaded leaves the previous one in the panel.
    m_browser->ShowEntryInfo(m_browser->page().slot(1).tag);
    expected = { QStringLiteral("France Inter"),
        QStringLiteral("Français"),
        QStringLiteral("Généraliste"),
        QStringLiteral("/opt/ondavox/logos/bfm.gif"),
        QStringLiteral("http://inter.example/live"),
        QString() };
    QCOMPARE(m_browser->info(), expected);
}

void TestRadioBrowser::hoverOverEmptySlotChangesNothing()
{
    load(interleavedCatalogue(3));
    m_browser->Img_MouseMove(2);
    const CatalogueInfoPanel before = m_browser->info();
    QCOMPARE(before.LblNom, QStringLiteral("S3"));
    QSignalSpy changed(m_browser.get(), &RadioBrowser::infoChanged);
    m_browser->Img_MouseMove(3);
    m_browser->Img_MouseMove(23);
    m_browser->ShowEntryInfo(EntryRef(99, 1)); // beyond the end line
    QCOMPARE(m_browser->info(), before);
    QCOMPARE(changed.size(), 0);
}

void TestRadioBrowser::unloadablePictureLeavesAHiddenCountedSlot()
{
    QStringList lines { radioHeader };
    for (int k = 1; k <= 4; ++k) {
        const QString name = k == 2 ? QStringLiteral("broken") : QStringLiteral("S%1").arg(k);
        lines.append(radioRecord(k, QStringLiteral("radio"), name));
    }
    lines.append(QString());
    load(catalogueText(lines));
    QCOMPARE(shown(*m_browser), QStringLiteral("1 - 3 4") + QStringLiteral(" -").repeated(20));
    QCOMPARE(m_browser->page().slot(1).tag.toText(), QStringLiteral("00020002"));
    QVERIFY(!m_browser->page().slot(1).hasPicture());
}

void TestRadioBrowser::rowAboveTakesRecordNumberFromField1()
{
    // Record 3 says it is record 300: only the row filled above uses that.
    QStringList lines { radioHeader };
    for (int k = 1; k <= 30; ++k)
        lines.append(radioRecord(k == 3 ? 300 : k, QStringLiteral("radio"), QStringLiteral("S%1").arg(k)));
    lines.append(QString());
    load(catalogueText(lines));
    QCOMPARE(m_browser->page().slot(2).tag.toText(), QStringLiteral("00030003"));
    m_browser->Down();
    m_browser->Up();
    QCOMPARE(shown(*m_browser), expectedShown(1, 24));
    QCOMPARE(m_browser->page().slot(2).tag.toText(), QStringLiteral("03000003"));
    QCOMPARE(m_browser->page().slot(6).tag.toText(), QStringLiteral("00070007"));
}

QTEST_GUILESS_MAIN(TestRadioBrowser)
#include "tst_radiobrowser.moc"
