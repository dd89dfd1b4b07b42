#include "core/tv/editiondate.h"

#include <QTest>

namespace
{

// 5 December 2007, as the lists give it.
const EditionDate fifthOfDecember = EditionDate::ReadEditionDate(4, 11, 2007);
const QString code = QStringLiteral("\u00a4"); // the placeholder's "¤"

} // namespace

class TestEditionDate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readEditionDate_data();
    void readEditionDate();
    void dateTextOfEachCode_data();
    void dateTextOfEachCode();
    void traiteDate_data();
    void traiteDate();
    void calcDate_data();
    void calcDate();
};

void TestEditionDate::readEditionDate_data()
{
    QTest::addColumn<int>("jour");
    QTest::addColumn<int>("mois");
    QTest::addColumn<int>("year");
    QTest::addColumn<QStringList>("expected"); // day, month, year

    QTest::newRow("5 December 2007") << 4 << 11 << 2007 << QStringList { "05", "12", "2007" };
    QTest::newRow("31 January") << 30 << 0 << 2007 << QStringList { "31", "01", "2007" };
    // There is no year list: in January, "31" "Décembre" is this year's.
    QTest::newRow("31 December chosen in January") << 30 << 11 << 2024 << QStringList { "31", "12", "2024" };
    QTest::newRow("no check of the day: 31 February") << 30 << 1 << 2008 << QStringList { "31", "02", "2008" };
    QTest::newRow("10 October") << 9 << 9 << 2010 << QStringList { "10", "10", "2010" };
}

void TestEditionDate::readEditionDate()
{
    QFETCH(int, jour);
    QFETCH(int, mois);
    QFETCH(int, year);
    QFETCH(QStringList, expected);
    const EditionDate date = EditionDate::ReadEditionDate(jour, mois, year);
    QCOMPARE((QStringList { date.editionDay, date.editionMonth, date.editionYear }), expected);
}

void TestEditionDate::dateTextOfEachCode_data()
{
    QTest::addColumn<QString>("dateCode");
    QTest::addColumn<QString>("expected"); // "-": none
    QTest::newRow("JMA") << "JMA"
                         << "051207";
    QTest::newRow("JMB") << "JMB"
                         << "05122007";
    QTest::newRow("AMJ") << "AMJ"
                         << "071205";
    QTest::newRow("BMJ") << "BMJ"
                         << "20071205";
    QTest::newRow("lower case") << "jma"
                                << "-";
    QTest::newRow("other letters") << "XYZ"
                                   << "-";
    QTest::newRow("too short") << "JM"
                               << "-";
}

void TestEditionDate::dateTextOfEachCode()
{
    QFETCH(QString, dateCode);
    QFETCH(QString, expected);
    const auto text = fifthOfDecember.dateText(dateCode);
    QCOMPARE(text.value_or(QStringLiteral("-")), expected);
}

void TestEditionDate::traiteDate_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("expected");

    const QString a = QStringLiteral("http://127.0.0.1/jt/A_");
    QTest::newRow("JMA") << a + code + "JMA_B.wmv" << a + "051207_B.wmv";
    QTest::newRow("BMJ") << a + code + "BMJ_B.wmv" << a + "20071205_B.wmv";
    QTest::newRow("JMB") << a + code + "JMB_B.wmv" << a + "05122007_B.wmv";
    QTest::newRow("AMJ") << a + code + "AMJ_B.wmv" << a + "071205_B.wmv";
    QTest::newRow("placeholder at the end") << a + code + "JMA" << a + "051207";
    // The second placeholder takes the first one's layout; its letters are dropped.
    QTest::newRow("two placeholders") << a + code + "AMJ/B_" + code + "XYZ_C.wmv" << a + "071205/B_071205_C.wmv";
    QTest::newRow("two placeholders, same code") << a + code + "JMB/" + code + "JMB.wmv" << a + "05122007/05122007.wmv";
    QTest::newRow("second placeholder at the very end") << a + code + "JMA/" + code << a + "051207/051207";
    QTest::newRow("unknown code") << a + code + "QQQ_B.wmv" << a + "_B.wmv";
    QTest::newRow("unknown code, then a second placeholder") << a + code + "QQQ_B_" + code + "JMA_C.wmv" << a;
    QTest::newRow("a third placeholder stays")
        << a + code + "JMA_" + code + "JMA_" + code + "JMA" << a + "051207_051207_" + code + "JMA";
    QTest::newRow("no placeholder: unchanged") << a + "051207_B.wmv" << a + "051207_B.wmv";
    QTest::newRow("empty") << QString() << QString();
}

void TestEditionDate::traiteDate()
{
    QFETCH(QString, address);
    QFETCH(QString, expected);
    QCOMPARE(TraiteDate(address, fifthOfDecember), expected);
}

void TestEditionDate::calcDate_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("check3");
    QTest::addColumn<int>("mois");
    QTest::addColumn<int>("jour");

    QTest::newRow("today") << QDate(2009, 6, 15) << 0 << 5 << 14;
    QTest::newRow("yesterday") << QDate(2009, 6, 15) << 1 << 5 << 13;
    // Stepping back from the 1st always gives a 31st.
    QTest::newRow("1 March: 31 February") << QDate(2009, 3, 1) << 1 << 1 << 30;
    QTest::newRow("1 May: 31 April") << QDate(2009, 5, 1) << 1 << 3 << 30;
    QTest::newRow("1 January: 31 December") << QDate(2010, 1, 1) << 1 << 11 << 30;
    QTest::newRow("1 March without the preference") << QDate(2009, 3, 1) << 0 << 2 << 0;
    QTest::newRow("any value but 0 steps back") << QDate(2009, 6, 15) << 2 << 5 << 13;
}

void TestEditionDate::calcDate()
{
    QFETCH(QDate, today);
    QFETCH(int, check3);
    QFETCH(int, mois);
    QFETCH(int, jour);
    QCOMPARE(CalcDate(today, check3), (DateListPositions { mois, jour }));
}

QTEST_GUILESS_MAIN(TestEditionDate)
#include "tst_editiondate.moc"
