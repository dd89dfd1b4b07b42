#include "cataloguetext.h"
#include "core/catalogue/cataloguebrowser.h"
#include "core/state/statestore.h"
#include "pageslots.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace
{

const QString listed = QStringLiteral("radio");
const QString unlisted = QStringLiteral("radio-info");

// A small browser, 6 slots in rows of 3, that lists the entries of the
// categories it is given: what the radio and TV browsers share, without the
// rules of their filters.
class CategoryBrowser : public CatalogueBrowser
{
public:
    static constexpr int slotCount = 6;

    CategoryBrowser(const Config &config, const StateStore &store, PictureCheck canLoadPicture)
        : CatalogueBrowser(config, store, std::move(canLoadPicture), nullptr)
    {
    }

    // As a ticked box does: the page is emptied and filled again.
    void showCategories(const QStringList &categories)
    {
        m_categories = categories;
        refill();
    }

protected:
    bool admits(const CatalogueEntry &entry) const override { return m_categories.contains(entry.category); }

private:
    QStringList m_categories { listed };
};

CatalogueBrowser::Config smallConfig(bool withIndicator = true)
{
    CatalogueBrowser::Config config;
    config.geometry = { CategoryBrowser::slotCount, 3 };
    config.firstFillDelay = 50;
    config.refillDelay = 10;
    if (withIndicator)
        config.indicator = CatalogueBrowser::Indicator { 1, 2, 3 };
    return config;
}

QString shown(const CatalogueBrowser &browser)
{
    return shownSlots(browser.page());
}

QString expectedShown(int first, int count)
{
    return expectedSlots(CategoryBrowser::slotCount, first, count);
}

bool pictureLoads(const QString &path)
{
    return !path.contains(QStringLiteral("broken"));
}

} // namespace

class TestCatalogueBrowser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void firstFillFollowsLoadOnce();
    void refillBeforeFirstFillPlacesEachEntryOnce();
    void pageSteps_data();
    void pageSteps();
    void refillEmptiesAtOnceAndKeepsIndicatorAndInfo();
    void refillFindingNothingLeavesAnIdlePage();
    void wheelNotchesCloseTogetherGiveOneStep();
    void stepsDoNothingWhileHidden();
    void entryInfoFillsThePanel();
    void emptySlotOrMissingRecordChangesNothing();
    void unloadablePictureLeavesAHiddenCountedSlot();

private:
    void load(const QString &catalogue, bool withIndicator = true);
    StateStore m_store;
    std::unique_ptr<CategoryBrowser> m_browser;
    bool m_visible = true;
};

void TestCatalogueBrowser::init()
{
    m_browser.reset();
    m_visible = true;
    m_store.setChemin(QStringLiteral("/opt/ondavox"));
}

// Creates the browser as its window's load does and waits for its first fill.
void TestCatalogueBrowser::load(const QString &catalogue, bool withIndicator)
{
    m_store.setData(catalogue);
    m_browser = std::make_unique<CategoryBrowser>(smallConfig(withIndicator), m_store, pictureLoads);
    m_browser->setVisibilityQuery([this] {
        return m_visible;
    });
    QSignalSpy filled(m_browser.get(), &CatalogueBrowser::pageChanged);
    QVERIFY(filled.wait(1000));
}

void TestCatalogueBrowser::firstFillFollowsLoadOnce()
{
    m_store.setData(interleavedRadioCatalogue(3));
    CategoryBrowser browser(smallConfig(), m_store, pictureLoads);
    QSignalSpy filled(&browser, &CatalogueBrowser::pageChanged);
    QCOMPARE(shown(browser), expectedShown(1, 0));
    QVERIFY(filled.wait(1000));
    QCOMPARE(filled.size(), 1);
    QCOMPARE(shown(browser), expectedShown(1, 3));
}

void TestCatalogueBrowser::refillBeforeFirstFillPlacesEachEntryOnce()
{
    m_store.setData(interleavedRadioCatalogue(3));
    CategoryBrowser browser(smallConfig(), m_store, pictureLoads);
    browser.showCategories({ listed });
    QTRY_COMPARE(shown(browser), expectedShown(1, 3));
    // Past the first fill's own delay: no second fill adds the entries again.
    QTest::qWait(100);
    QCOMPARE(shown(browser), expectedShown(1, 3));
}

void TestCatalogueBrowser::pageSteps_data()
{
    QTest::addColumn<int>("admitted");
    QTest::addColumn<bool>("indicator");
    QTest::addColumn<QString>("steps"); // D: Down, U: Up
    QTest::addColumn<QList<int>>("firstShown"); // after each step
    QTest::addColumn<QList<int>>("countShown");
    QTest::addColumn<QList<int>>("boule"); // start 1, middle 2, end 3

    QTest::newRow("a full page: Down does not step")
        << 6 << true << "D" << QList<int> { 1 } << QList<int> { 6 } << QList<int> { 3 };
    QTest::newRow("one more: down, at the end, back up, at the start")
        << 7 << true << "DDUU" << QList<int> { 4, 4, 1, 1 } << QList<int> { 4, 4, 6, 6 } << QList<int> { 2, 3, 2, 1 };
    QTest::newRow("a short page: neither way")
        << 2 << true << "UD" << QList<int> { 1, 1 } << QList<int> { 2, 2 } << QList<int> { 1, 3 };
    QTest::newRow("the end reached exactly by a step")
        << 9 << true << "DD" << QList<int> { 4, 4 } << QList<int> { 6, 6 } << QList<int> { 2, 3 };
    QTest::newRow("three rows down, one up") << 14 << true << "DDDDU" << QList<int> { 4, 7, 10, 10, 7 }
                                             << QList<int> { 6, 6, 5, 5, 6 } << QList<int> { 2, 2, 2, 3, 2 };
    QTest::newRow("no indicator: it stays at 0") << 14 << false << "DDDDU" << QList<int> { 4, 7, 10, 10, 7 }
                                                 << QList<int> { 6, 6, 5, 5, 6 } << QList<int> { 0, 0, 0, 0, 0 };
}

void TestCatalogueBrowser::pageSteps()
{
    QFETCH(int, admitted);
    QFETCH(bool, indicator);
    QFETCH(QString, steps);
    QFETCH(QList<int>, firstShown);
    QFETCH(QList<int>, countShown);
    QFETCH(QList<int>, boule);

    load(interleavedRadioCatalogue(admitted), indicator);
    QCOMPARE(shown(*m_browser), expectedShown(1, qMin(admitted, CategoryBrowser::slotCount)));
    for (int i = 0; i < steps.size(); ++i) {
        if (steps.at(i) == QLatin1Char('D'))
            m_browser->Image1_Click();
        else
            m_browser->Image2_Click();
        QCOMPARE(shown(*m_browser), expectedShown(firstShown.at(i), countShown.at(i)));
        QCOMPARE(m_browser->Boule(), boule.at(i));
    }
    // Every slot's reference still names the right record.
    for (int i = 0; i < CategoryBrowser::slotCount; ++i) {
        const CatalogueSlot &slot = m_browser->page().slot(i);
        if (!slot.isEmpty())
            QCOMPARE(slot.tag.recordNumber(), 2 * slot.tag.listNumber() - 1);
    }
}

void TestCatalogueBrowser::refillEmptiesAtOnceAndKeepsIndicatorAndInfo()
{
    load(interleavedRadioCatalogue(2));
    QCOMPARE(shown(*m_browser), expectedShown(1, 2));
    m_browser->Down(); // puts the indicator at the end; a refill leaves it there
    QCOMPARE(m_browser->Boule(), 3);
    m_browser->showSlotInfo(1);
    const CatalogueInfoPanel info = m_browser->info();
    QCOMPARE(info.LblNom, QStringLiteral("S2"));

    QSignalSpy refilled(m_browser.get(), &CatalogueBrowser::pageChanged);
    m_browser->showCategories({ listed, unlisted });
    QCOMPARE(refilled.size(), 1);
    QVERIFY(m_browser->page().slot(0).isEmpty());
    QTRY_COMPARE(shown(*m_browser), expectedShown(1, 4));
    QCOMPARE(m_browser->page().slot(1).tag.toText(), QStringLiteral("00020002"));
    QCOMPARE(m_browser->page().slot(2).tag.toText(), QStringLiteral("00030003"));
    QCOMPARE(m_browser->Boule(), 3);
    QCOMPARE(m_browser->info(), info);
}

void TestCatalogueBrowser::refillFindingNothingLeavesAnIdlePage()
{
    load(interleavedRadioCatalogue(7));
    QSignalSpy changes(m_browser.get(), &CatalogueBrowser::pageChanged);
    QSignalSpy indicator(m_browser.get(), &CatalogueBrowser::bouleChanged);
    m_browser->showCategories({});
    // Emptied at once, then the refill finds nothing to show.
    QTRY_COMPARE(changes.size(), 2);
    QCOMPARE(shown(*m_browser), expectedShown(1, 0));
    for (int i = 0; i < CategoryBrowser::slotCount; ++i)
        QVERIFY(m_browser->page().slot(i).isEmpty());

    // Nothing shown: the arrows change nothing, not even the indicator.
    m_browser->Up();
    m_browser->Down();
    QCOMPARE(changes.size(), 2);
    QCOMPARE(indicator.size(), 0);
    QCOMPARE(m_browser->Boule(), 1);
}

void TestCatalogueBrowser::wheelNotchesCloseTogetherGiveOneStep()
{
    load(interleavedRadioCatalogue(14));
    QSignalSpy stepped(m_browser.get(), &CatalogueBrowser::pageChanged);
    for (int i = 0; i < 3; ++i)
        m_browser->WheelCtl1_WheelRotate(-120, 0, 0, 0);
    QTRY_COMPARE(shown(*m_browser), expectedShown(4, 6));
    QCOMPARE(stepped.size(), 1);
    // A notch away from the user steps towards the start, like the upper arrow.
    m_browser->WheelCtl1_WheelRotate(1, 0, 10, 10);
    QTRY_COMPARE(shown(*m_browser), expectedShown(1, 6));
    QCOMPARE(stepped.size(), 2);
    QCOMPARE(m_browser->Boule(), 2);
}

void TestCatalogueBrowser::stepsDoNothingWhileHidden()
{
    load(interleavedRadioCatalogue(14));
    m_visible = false;
    m_browser->Down();
    m_browser->WheelCtl1_WheelRotate(-120, 0, 0, 0);
    QTest::qWait(60);
    QCOMPARE(shown(*m_browser), expectedShown(1, 6));
    QCOMPARE(m_browser->Boule(), 1);
    m_visible = true;
    m_browser->Down();
    QCOMPARE(shown(*m_browser), expectedShown(4, 6));
}

void TestCatalogueBrowser::entryInfoFillsThePanel()
{
    load(catalogueText({ radioHeader,
        QStringLiteral("1*radio*0*BFM*http://bfm.example/live*\\logos\\bfm.gif**français-belge*"),
        QStringLiteral("2*radio*128*France Inter*http://inter.example/live*\\logos\\broken.png*Généraliste**"),
        QString() }));

    QSignalSpy changed(m_browser.get(), &CatalogueBrowser::infoChanged);
    m_browser->showSlotInfo(0);
    CatalogueInfoPanel expected { QStringLiteral("BFM"),
        QStringLiteral("Français (Belge)"),
        QStringLiteral("Non disponible"),
        QStringLiteral("/opt/ondavox/logos/bfm.gif"),
        QStringLiteral("http://bfm.example/live"),
        QString() };
    QCOMPARE(m_browser->info(), expected);
    QCOMPARE(changed.size(), 1);
    // The pointer moving on over the same slot repaints nothing.
    m_browser->showSlotInfo(0);
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

void TestCatalogueBrowser::emptySlotOrMissingRecordChangesNothing()
{
    load(interleavedRadioCatalogue(3));
    m_browser->showSlotInfo(2);
    const CatalogueInfoPanel before = m_browser->info();
    QCOMPARE(before.LblNom, QStringLiteral("S3"));
    QSignalSpy changed(m_browser.get(), &CatalogueBrowser::infoChanged);
    m_browser->showSlotInfo(3);
    m_browser->showSlotInfo(CategoryBrowser::slotCount - 1);
    m_browser->ShowEntryInfo(EntryRef(99, 1)); // beyond the end line
    QCOMPARE(m_browser->info(), before);
    QCOMPARE(changed.size(), 0);
}

void TestCatalogueBrowser::unloadablePictureLeavesAHiddenCountedSlot()
{
    QStringList lines { radioHeader };
    for (int k = 1; k <= 4; ++k) {
        const QString name = k == 2 ? QStringLiteral("broken") : QStringLiteral("S%1").arg(k);
        lines.append(radioRecord(k, listed, name));
    }
    lines.append(QString());
    load(catalogueText(lines));
    QCOMPARE(shown(*m_browser), QStringLiteral("1 - 3 4 - -"));
    QCOMPARE(m_browser->page().slot(1).tag.toText(), QStringLiteral("00020002"));
    QVERIFY(!m_browser->page().slot(1).hasPicture());
}

QTEST_GUILESS_MAIN(TestCatalogueBrowser)
#include "tst_cataloguebrowser.moc"
