#include "core/state/preferences.h"

#include <QTest>

class TestPreferences : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsRecord_data();
    void readsRecord();
    void initialValuesComposeTheDocumentedRecord();
    void roundTripsThroughTheRecord();
};

void TestPreferences::readsRecord_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<int>("fieldsRead");
    QTest::addColumn<QString>("composed");

    const Preferences initial;
    const QString initialRecord = EcritFichier(initial);
    const QString dem = initial.urlDem;

    QTest::newRow("full record") << "1*1*http://a/b*2*Aide.txt*0*0*1*1*" << 9 << "1*1*http://a/b*2*Aide.txt*0*0*1*1*";
    QTest::newRow("first four fields only") << "1*1*x*1*" << 4 << "1*1*x*1*AideOVX.txt*1*1*0*0*";
    // Two lines of the file are concatenated before the record is read.
    QTest::newRow("two-line record joined")
        << QString("0*1*") + QString("abc*0*") << 4 << "0*1*abc*0*AideOVX.txt*1*1*0*0*";
    QTest::newRow("no selection") << "0*0**-1*AideOVX.txt*1*1*0*0*" << 9 << "0*0**-1*AideOVX.txt*1*1*0*0*";
    // A "*" inside the address shifts the fields: the list position receives text.
    QTest::newRow("star in address stops at list position")
        << "0*1*http://a*b*1*AideOVX.txt*0*0*0*0*" << 3 << "0*1*http://a*-1*AideOVX.txt*1*1*0*0*";
    QTest::newRow("missing final star") << "1*0*u*0*Aide*1*1*1*1" << 8 << "1*0*u*0*Aide*1*1*1*0*";
    QTest::newRow("check box with text") << "yes*1*" << 0 << initialRecord;
    QTest::newRow("list position out of range") << "1*1*u*7*" << 3 << "1*1*u*-1*AideOVX.txt*1*1*0*0*";
    QTest::newRow("text after ninth star ignored") << "0*0*u*0*A*0*0*0*0*garbage*1*" << 9 << "0*0*u*0*A*0*0*0*0*";
    QTest::newRow("empty") << "" << 0 << initialRecord;
    QTest::newRow("no star at all") << "0" << 0 << QString("0*0*") + dem + "*-1*AideOVX.txt*1*1*0*0*";
}

void TestPreferences::readsRecord()
{
    QFETCH(QString, record);
    QFETCH(int, fieldsRead);
    QFETCH(QString, composed);

    Preferences preferences;
    QCOMPARE(readPreferencesRecord(record, preferences), fieldsRead);
    QCOMPARE(EcritFichier(preferences), composed);
}

void TestPreferences::initialValuesComposeTheDocumentedRecord()
{
    Preferences preferences;
    preferences.urlDem.clear();
    QCOMPARE(EcritFichier(preferences), QStringLiteral("0*0**-1*AideOVX.txt*1*1*0*0*"));
}

void TestPreferences::roundTripsThroughTheRecord()
{
    Preferences written;
    written.check1 = 1;
    written.urlDem = QStringLiteral("http://radio.example/ü é.mp3");
    written.fenetre = 2;
    written.urlAide.clear();
    written.check3 = 0;
    written.pseudoCheck = 1;
    written.kivCheckBox1 = 1;

    Preferences read;
    QCOMPARE(readPreferencesRecord(EcritFichier(written), read), 9);
    QCOMPARE(read, written);
}

QTEST_GUILESS_MAIN(TestPreferences)
#include "tst_preferences.moc"
