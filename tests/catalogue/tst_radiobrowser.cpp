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

// Which list number each slot shows, "-" for a hidden slot, e.g. "1 2 3 - -".
QString shown(const RadioBrowser &browser)
{
    return shownSlots(browser.page());
}

QString expectedShown(int first, int count)
{
    return expectedSlots(RadioBrowser::slotCount, first, count);
}

bool pictureLoads(const QString &)
{
    return true;
}

} // namespace

class TestRadioBrowser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void firstFillFollowsLoadAfter100ms();
    void pageSteps_data();
    void pageSteps();
    void filterRules_data();
    void filterRules();
    void boxClickRefillsWithItsFilter();
    void rowAboveTakesRecordNumberFromField1();

private:
    void load(const QString &catalogue);
    StateStore m_store;
    std::unique_ptr<RadioBrowser> m_browser;
};

void TestRadioBrowser::init()
{
    m_browser.reset();
    m_store.setChemin(QStringLiteral("/opt/ondavox"));
}

// Creates the browser as the window's load does and waits for its first fill.
void TestRadioBrowser::load(const QString &catalogue)
{
    m_store.setData(catalogue);
    m_browser = std::make_unique<RadioBrowser>(m_store, pictureLoads);
    QSignalSpy filled(m_browser.get(), &RadioBrowser::pageChanged);
    QVERIFY(filled.wait(1000));
}

void TestRadioBrowser::firstFillFollowsLoadAfter100ms()
{
    m_store.setData(interleavedRadioCatalogue(3));
    QElapsedTimer sinceLoad;
    sinceLoad.start();
    RadioBrowser browser(m_store, pictureLoads);
    QSignalSpy filled(&browser, &RadioBrowser::pageChanged);
    QVERIFY(filled.wait(1000));
    // Not before its 100 ms (a coarse timer may fire up to 5 % early).
    QVERIFY2(sinceLoad.elapsed() >= 95, qPrintable(QString::number(sinceLoad.elapsed())));
    QCOMPARE(shown(browser), expectedShown(1, 3));
}

// 24 slots in rows of 6, and the indicator's three heights.
void TestRadioBrowser::pageSteps_data()
{
    QTest::addColumn<int>("admitted");
    QTest::addColumn<QString>("steps"); // D: Down, U: Up
    QTest::addColumn<QList<int>>("firstShown"); // after each step
    QTest::addColumn<QList<int>>("countShown");
    QTest::addColumn<QList<int>>("boule");

    QTest::newRow("3: neither way") << 3 << "UD" << QList<int> { 1, 1 } << QList<int> { 3, 3 }
                                    << QList<int> { 118, 226 };
    QTest::newRow("40: three rows down, one up")
        << 40 << "DDDDU" << QList<int> { 7, 13, 19, 19, 13 } << QList<int> { 24, 24, 22, 22, 24 }
        << QList<int> { 172, 172, 172, 226, 172 };
}

void TestRadioBrowser::pageSteps()
{
    QFETCH(int, admitted);
    QFETCH(QString, steps);
    QFETCH(QList<int>, firstShown);
    QFETCH(QList<int>, countShown);
    QFETCH(QList<int>, boule);

    load(interleavedRadioCatalogue(admitted));
    QCOMPARE(shown(*m_browser), expectedShown(1, qMin(admitted, 24)));
    for (int i = 0; i < steps.size(); ++i) {
        if (steps.at(i) == QLatin1Char('D'))
            m_browser->Image1_Click();
        else
            m_browser->Image2_Click();
        QCOMPARE(shown(*m_browser), expectedShown(firstShown.at(i), countShown.at(i)));
        QCOMPARE(m_browser->Boule(), boule.at(i));
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

void TestRadioBrowser::boxClickRefillsWithItsFilter()
{
    load(catalogueText({ radioHeader,
        radioRecord(1, QStringLiteral("radio"), QStringLiteral("Music")),
        radioRecord(2, QStringLiteral("radio-info"), QStringLiteral("Foreign"), "anglais"),
        radioRecord(3, QStringLiteral("radio"), QStringLiteral("Other"), "anglais"),
        QString() }));
    QCOMPARE(shown(*m_browser), expectedShown(1, 2));
    QSignalSpy boxes(m_browser.get(), &RadioBrowser::filterChanged);
    m_browser->Check_Click(RadioFilter::Box::Etrangeres, true);
    QCOMPARE(boxes.size(), 1);
    QVERIFY(m_browser->filter().CheckEtrangeres);
    QTRY_COMPARE(shown(*m_browser), expectedShown(1, 3));
    QCOMPARE(m_browser->page().slot(1).tag.toText(), QStringLiteral("00020002"));
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
