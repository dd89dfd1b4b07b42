#include "cataloguetext.h"
#include "core/catalogue/cataloguescanner.h"
#include "core/catalogue/entryref.h"

#include <QTest>

using CatalogueScanner::Stop;

class TestCatalogueScanner : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void headerIsNeverListed();
    void shortLineEndsListButNotLookup();
    void extraFieldsAreIgnored();
    void tvRecordFields();
    void displayTexts_data();
    void displayTexts();
    void entryRefBothWays_data();
    void entryRefBothWays();
    void entryRefFromUnreadableText_data();
    void entryRefFromUnreadableText();
    void malformedText_data();
    void malformedText();
    void lookupOfMalformedOrMissingRecord_data();
    void lookupOfMalformedOrMissingRecord();
    void textLimitStopsScanAndLookup();
};

static QList<int> positions(const CatalogueScanner::Scan &scan)
{
    QList<int> result;
    for (const auto &record : scan.records)
        result.append(record.position);
    return result;
}

void TestCatalogueScanner::headerIsNeverListed()
{
    const QString header = radioRecord(0, QStringLiteral("radio"), QStringLiteral("Header"));
    const QString text = catalogueText({ header, radioRecord(1, QStringLiteral("radio"), QStringLiteral("One")), {} });
    const auto scan = CatalogueScanner::scan(text, CatalogueLayout::Radio);
    QCOMPARE(scan.records.size(), 1);
    QCOMPARE(scan.records.first().entry.name, QStringLiteral("One"));
    QCOMPARE(scan.records.first().position, 1);
    QVERIFY(!CatalogueScanner::lookup(text, CatalogueLayout::Radio, 0));
}

void TestCatalogueScanner::shortLineEndsListButNotLookup()
{
    const QString shortLine = QStringLiteral("2*radio*0*Court*h*\\l*i**"); // 25 characters
    QVERIFY(shortLine.size() >= 9 && shortLine.size() < 29);
    const QString text = catalogueText({ radioHeader,
        radioRecord(1, QStringLiteral("radio"), QStringLiteral("One")),
        shortLine,
        radioRecord(3, QStringLiteral("radio"), QStringLiteral("Three")),
        QString() });
    const auto scan = CatalogueScanner::scan(text, CatalogueLayout::Radio);
    QCOMPARE(positions(scan), QList<int> { 1 });
    QCOMPARE(scan.stop, Stop::EndLine);
    QCOMPARE(scan.stopPosition, 2);

    const auto passedOver = CatalogueScanner::lookup(text, CatalogueLayout::Radio, 3);
    QVERIFY(passedOver);
    QCOMPARE(passedOver->name, QStringLiteral("Three"));
    const auto shortOne = CatalogueScanner::lookup(text, CatalogueLayout::Radio, 2);
    QVERIFY(shortOne);
    QCOMPARE(shortOne->name, QStringLiteral("Court"));
    // The empty last line ends the lookup too.
    QVERIFY(!CatalogueScanner::lookup(text, CatalogueLayout::Radio, 4));
}

void TestCatalogueScanner::extraFieldsAreIgnored()
{
    const QString line = radioRecord(1, QStringLiteral("radio-info"), QStringLiteral("Plus"), QStringLiteral("anglais"))
        + QStringLiteral("extra*fields*and text without star");
    const auto entry = CatalogueEntry::parse(line, CatalogueLayout::Radio);
    QVERIFY(entry);
    QCOMPARE(entry->recordNumber, 1);
    QCOMPARE(entry->category, QStringLiteral("radio-info"));
    QCOMPARE(entry->name, QStringLiteral("Plus"));
    QCOMPARE(entry->address, QStringLiteral("http://stream.example/Plus"));
    QCOMPARE(entry->picture, QStringLiteral("\\logos\\Plus.png"));
    QCOMPARE(entry->information, QStringLiteral("Variétés"));
    QCOMPARE(entry->language, QStringLiteral("anglais"));
}

void TestCatalogueScanner::tvRecordFields()
{
    const auto entry = CatalogueEntry::parse(
        u"12*TV-jt*JT 20h*http://tv.example/jt_\u00a4JMA.wmv*\\logos\\jt.png*français-belge**oui*",
        CatalogueLayout::TV);
    QVERIFY(entry);
    QCOMPARE(entry->recordNumber, 12);
    QCOMPARE(entry->category, QStringLiteral("TV-jt"));
    QCOMPARE(entry->name, QStringLiteral("JT 20h"));
    QCOMPARE(entry->address, QStringLiteral("http://tv.example/jt_¤JMA.wmv"));
    QCOMPARE(entry->picture, QStringLiteral("\\logos\\jt.png"));
    QCOMPARE(entry->language, QStringLiteral("français-belge"));
    QCOMPARE(entry->informationDisplayText(), QStringLiteral("Non disponible"));
    QCOMPARE(entry->datedFlag, QStringLiteral("oui"));
    // The TV layout has no numeric field: the third field is a name, whatever it holds.
    QVERIFY(CatalogueEntry::parse(u"1*TV-divers*Not a number*a*b*c*d*e*", CatalogueLayout::TV));
}

void TestCatalogueScanner::displayTexts_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("information");
    QTest::addColumn<QString>("languageShown");
    QTest::addColumn<QString>("informationShown");

    QTest::newRow("empty fields") << QString() << QString() << QStringLiteral("Français")
                                  << QStringLiteral("Non disponible");
    QTest::newRow("Belgian") << QStringLiteral("français-belge") << QStringLiteral("Jazz")
                             << QStringLiteral("Français (Belge)") << QStringLiteral("Jazz");
    QTest::newRow("capital F is a foreign language") << QStringLiteral("Français-belge") << QStringLiteral(" ")
                                                     << QStringLiteral("Français-belge") << QStringLiteral(" ");
    QTest::newRow("foreign") << QStringLiteral("anglais") << QStringLiteral("Infos en continu")
                             << QStringLiteral("anglais") << QStringLiteral("Infos en continu");
}

void TestCatalogueScanner::displayTexts()
{
    QFETCH(QString, language);
    QFETCH(QString, information);
    const QString line = radioRecord(1, QStringLiteral("radio"), QStringLiteral("Station"), language, information);
    const auto entry = CatalogueEntry::parse(line, CatalogueLayout::Radio);
    QVERIFY(entry);
    QTEST(entry->languageDisplayText(), "languageShown");
    QTEST(entry->informationDisplayText(), "informationShown");
}

void TestCatalogueScanner::entryRefBothWays_data()
{
    QTest::addColumn<int>("recordNumber");
    QTest::addColumn<int>("listNumber");
    QTest::addColumn<QString>("text");

    QTest::newRow("record 7, first entry") << 7 << 1 << QStringLiteral("00070001");
    QTest::newRow("record 1234, 105th entry") << 1234 << 105 << QStringLiteral("12340105");
    QTest::newRow("record 5, 12th entry") << 5 << 12 << QStringLiteral("00050012");
    QTest::newRow("four digits each") << 9999 << 9999 << QStringLiteral("99999999");
}

void TestCatalogueScanner::entryRefBothWays()
{
    QFETCH(int, recordNumber);
    QFETCH(int, listNumber);
    QFETCH(QString, text);
    QCOMPARE(EntryRef(recordNumber, listNumber).toText(), text);
    const EntryRef read = EntryRef::fromText(text);
    QVERIFY(!read.isEmpty());
    QCOMPARE(read.recordNumber(), recordNumber);
    QCOMPARE(read.listNumber(), listNumber);
}

void TestCatalogueScanner::entryRefFromUnreadableText_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty slot") << QString();
    QTest::newRow("too short") << QStringLiteral("0007001");
    QTest::newRow("too long") << QStringLiteral("000700011");
    QTest::newRow("not digits") << QStringLiteral("0007000a");
    QTest::newRow("signed") << QStringLiteral("-0070001");
}

void TestCatalogueScanner::entryRefFromUnreadableText()
{
    QFETCH(QString, text);
    const EntryRef ref = EntryRef::fromText(text);
    QVERIFY(ref.isEmpty());
    QCOMPARE(ref.toText(), QString());
}

void TestCatalogueScanner::malformedText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("listed");
    QTest::addColumn<QList<int>>("skipped");
    QTest::addColumn<Stop>("stop");

    const QString one = radioRecord(1, QStringLiteral("radio"), QStringLiteral("One"));
    const QString three = radioRecord(3, QStringLiteral("radio"), QStringLiteral("Three"));
    const auto withSecond = [&](const QString &second) {
        return catalogueText({ radioHeader, one, second, three, QString() });
    };
    const QList<int> oneAndThree { 1, 3 };
    const QList<int> second { 2 };

    QTest::newRow("well-formed") << withSecond(radioRecord(2, QStringLiteral("radio"), QStringLiteral("Two")))
                                 << QList<int> { 1, 2, 3 } << QList<int> {} << Stop::EndLine;
    QTest::newRow("last field without its star")
        << withSecond(QStringLiteral("2*radio*0*Two*http://stream.example/two*\\l.png*info*fr")) << oneAndThree
        << second << Stop::EndLine;
    QTest::newRow("no star at all") << withSecond(QString(40, QLatin1Char('x'))) << oneAndThree << second
                                    << Stop::EndLine;
    const auto numeric = [](const QString &value) {
        return QStringLiteral("2*radio*%1*Two*http://stream.example/two*\\l.png*info**").arg(value);
    };
    QTest::newRow("empty numeric field") << withSecond(numeric(QString())) << oneAndThree << second << Stop::EndLine;
    QTest::newRow("non-numeric field") << withSecond(numeric(QStringLiteral("abc"))) << oneAndThree << second
                                       << Stop::EndLine;
    QTest::newRow("decimal numeric field")
        << withSecond(numeric(QStringLiteral("1.5"))) << oneAndThree << second << Stop::EndLine;
    QTest::newRow("numeric field with a space")
        << withSecond(numeric(QStringLiteral(" 12"))) << oneAndThree << second << Stop::EndLine;
    QTest::newRow("numeric field above 16 bits")
        << withSecond(numeric(QStringLiteral("32768"))) << oneAndThree << second << Stop::EndLine;
    QTest::newRow("numeric field below 16 bits")
        << withSecond(numeric(QStringLiteral("-32769"))) << oneAndThree << second << Stop::EndLine;
    QTest::newRow("huge numeric field") << withSecond(numeric(QStringLiteral("99999999999999999999999"))) << oneAndThree
                                        << second << Stop::EndLine;
    QTest::newRow("lowest numeric field")
        << withSecond(numeric(QStringLiteral("-32768"))) << QList<int> { 1, 2, 3 } << QList<int> {} << Stop::EndLine;
    QTest::newRow("highest numeric field")
        << withSecond(numeric(QStringLiteral("32767"))) << QList<int> { 1, 2, 3 } << QList<int> {} << Stop::EndLine;
    QTest::newRow("empty record number") << withSecond(
        QStringLiteral("*radio*0*Two*http://stream.example/two*\\l.png*info**"))
                                         << oneAndThree << second << Stop::EndLine;
    QTest::newRow("five-digit record number")
        << withSecond(QStringLiteral("00002*radio*0*Two*http://stream.example/two*\\l.png*info**")) << oneAndThree
        << second << Stop::EndLine;
    QTest::newRow("NUL character") << withSecond(
        radioRecord(2, QStringLiteral("radio"), QString::fromUtf16(u"T\0o", 3)))
                                   << oneAndThree << second << Stop::EndLine;
    QTest::newRow("undefined Windows-1252 byte")
        << withSecond(radioRecord(2, QStringLiteral("radio"), QString::fromUtf16(u"T\u0081o"))) << oneAndThree << second
        << Stop::EndLine;
    QTest::newRow("replacement character")
        << withSecond(radioRecord(2, QStringLiteral("radio"), QString::fromUtf16(u"T\uFFFDo"))) << oneAndThree << second
        << Stop::EndLine;
    QTest::newRow("lone line feed inside a record")
        << withSecond(radioRecord(2, QStringLiteral("radio"), QStringLiteral("T\no"))) << oneAndThree << second
        << Stop::EndLine;
    QTest::newRow("29 characters without stars is a record, not an end line")
        << withSecond(QString(29, QLatin1Char('y'))) << oneAndThree << second << Stop::EndLine;
    QTest::newRow("no end line") << catalogueText({ radioHeader, one, three }) << QList<int> { 1, 2 } << QList<int> {}
                                 << Stop::NoEndLine;
    QTest::newRow("last line without its line break")
        << catalogueText({ radioHeader, one }) + three << QList<int> { 1 } << QList<int> {} << Stop::NoEndLine;
    QTest::newRow("end line without its line break")
        << catalogueText({ radioHeader, one, three }) + QStringLiteral("end") << QList<int> { 1, 2 } << QList<int> {}
        << Stop::NoEndLine;
    QTest::newRow("lone CR and LF are no line breaks")
        << radioHeader + QStringLiteral("\r") + one + QStringLiteral("\n") + three + QStringLiteral("\r\n\r\n")
        << QList<int> {} << QList<int> {} << Stop::EndLine;
    QTest::newRow("header only, no line break") << radioHeader << QList<int> {} << QList<int> {} << Stop::NoEndLine;
    QTest::newRow("empty text") << QString() << QList<int> {} << QList<int> {} << Stop::NoEndLine;
    QTest::newRow("CR LF only") << QStringLiteral("\r\n") << QList<int> {} << QList<int> {} << Stop::NoEndLine;
    QTest::newRow("CR at the very end") << catalogueText({ radioHeader, one }) + QStringLiteral("\r")
                                        << QList<int> { 1 } << QList<int> {} << Stop::NoEndLine;
}

void TestCatalogueScanner::malformedText()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, listed);
    QFETCH(QList<int>, skipped);
    QFETCH(Stop, stop);

    // A copy without spare capacity, so that reading past the end would touch
    // memory the text does not own.
    const QString exact(text.constData(), text.size());
    const auto scan = CatalogueScanner::scan(exact, CatalogueLayout::Radio);
    QCOMPARE(positions(scan), listed);
    QCOMPARE(scan.skipped, skipped);
    QCOMPARE(scan.stop, stop);
    for (const auto &record : scan.records)
        QCOMPARE(CatalogueScanner::lookup(exact, CatalogueLayout::Radio, record.position), record.entry);
    for (int position : skipped)
        QVERIFY(!CatalogueScanner::lookup(exact, CatalogueLayout::Radio, position));
}

void TestCatalogueScanner::lookupOfMalformedOrMissingRecord_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");

    const QString one = radioRecord(1, QStringLiteral("radio"), QStringLiteral("One"));
    QTest::newRow("before the first record") << catalogueText({ radioHeader, one, {} }) << 0;
    QTest::newRow("negative") << catalogueText({ radioHeader, one, {} }) << -3;
    QTest::newRow("beyond the end line") << catalogueText({ radioHeader, one, QStringLiteral("12345678"), one }) << 3;
    QTest::newRow("beyond the text") << catalogueText({ radioHeader, one, one }) << 3;
    QTest::newRow("in a last line without line break") << catalogueText({ radioHeader, one }) + one << 2;
}

void TestCatalogueScanner::lookupOfMalformedOrMissingRecord()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    QVERIFY(!CatalogueScanner::lookup(text, CatalogueLayout::Radio, position));
}

void TestCatalogueScanner::textLimitStopsScanAndLookup()
{
    // Far more than 9 999 records: the 32 767-character limit comes first and
    // nothing beyond it is read.
    QStringList lines { radioHeader };
    for (int n = 1; n <= 10001; ++n)
        lines.append(radioRecord(n, QStringLiteral("radio"), QStringLiteral("S%1").arg(n)));
    lines.append(QString());
    const QString text = catalogueText(lines);

    const auto scan = CatalogueScanner::scan(text, CatalogueLayout::Radio);
    QCOMPARE(scan.stop, Stop::TextLimit);
    QVERIFY(!scan.records.isEmpty());
    QVERIFY(scan.skipped.isEmpty());

    // The last listed record ends within the limit, the next one beyond it.
    const int last = scan.records.last().position;
    QCOMPARE(last, scan.records.size());
    QCOMPARE(scan.stopPosition, last + 1);
    qsizetype endOfLast = 0;
    for (int i = 0; i <= last; ++i)
        endOfLast += lines.at(i).size() + 2;
    QVERIFY(endOfLast <= CatalogueScanner::maxTextLength);
    QVERIFY(endOfLast + lines.at(last + 1).size() + 2 > CatalogueScanner::maxTextLength);

    QVERIFY(CatalogueScanner::lookup(text, CatalogueLayout::Radio, last));
    QVERIFY(!CatalogueScanner::lookup(text, CatalogueLayout::Radio, last + 1));
    QVERIFY(!CatalogueScanner::lookup(text, CatalogueLayout::Radio, 10001));
}

QTEST_GUILESS_MAIN(TestCatalogueScanner)
#include "tst_cataloguescanner.moc"
