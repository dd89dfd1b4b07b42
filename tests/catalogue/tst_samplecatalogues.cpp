#include "core/catalogue/cataloguescanner.h"
#include "core/state/statestore.h"
#include "core/state/textfile.h"
#include "core/tv/splitprogramme.h"

#include <QFile>
#include <QSet>
#include <QTest>

// The catalogues shipped in data/ are what a user first sees: every record
// must be read, every filter case must be there, every picture must exist.
class TestSampleCatalogues : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void filesAreWindowsTextWithCrLf_data();
    void filesAreWindowsTextWithCrLf();
    void everyRecordIsReadAndHasItsPicture_data();
    void everyRecordIsReadAndHasItsPicture();
    void radioCatalogueCoversEveryFilterCase();
    void tvCatalogueCoversEveryLaunchCase();

private:
    CatalogueScanner::Scan scanFile(const QString &name, CatalogueLayout layout);
    StateStore m_store;
};

void TestSampleCatalogues::initTestCase()
{
    const QString folder = qEnvironmentVariable("ONDAVOX_BUILD_DATA");
    QVERIFY2(!folder.isEmpty(), "ONDAVOX_BUILD_DATA is not set");
    m_store.setChemin(folder);
}

CatalogueScanner::Scan TestSampleCatalogues::scanFile(const QString &name, CatalogueLayout layout)
{
    const auto lines = TextFile::readLines(m_store.installPath(name));
    if (!lines)
        return {};
    QString text;
    for (const QString &line : *lines)
        text += line + QStringLiteral("\r\n");
    return CatalogueScanner::scan(text, layout);
}

void TestSampleCatalogues::filesAreWindowsTextWithCrLf_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("accented");
    QTest::newRow("radio") << QStringLiteral("ovxdatabase.ondb")
                           << QByteArray("fran\xe7"
                                         "ais-belge");
    QTest::newRow("tv") << QStringLiteral("ovxdatabase2.ondb") << QByteArray("M\xe9t\xe9o");
}

void TestSampleCatalogues::filesAreWindowsTextWithCrLf()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, accented);
    QFile file(m_store.installPath(name));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.size() <= CatalogueScanner::maxTextLength);
    QVERIFY(bytes.endsWith("\r\n\r\n")); // the empty end line
    QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
    QCOMPARE(bytes.count("\r\n"), bytes.count('\r'));
    QVERIFY(bytes.contains(accented));
}

void TestSampleCatalogues::everyRecordIsReadAndHasItsPicture_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<CatalogueLayout>("layout");
    QTest::addColumn<int>("atLeast");
    QTest::newRow("radio") << QStringLiteral("ovxdatabase.ondb") << CatalogueLayout::Radio << 30;
    QTest::newRow("tv") << QStringLiteral("ovxdatabase2.ondb") << CatalogueLayout::TV << 20;
}

void TestSampleCatalogues::everyRecordIsReadAndHasItsPicture()
{
    QFETCH(QString, name);
    QFETCH(CatalogueLayout, layout);
    QFETCH(int, atLeast);
    const auto scan = scanFile(name, layout);
    QCOMPARE(scan.stop, CatalogueScanner::Stop::EndLine);
    QVERIFY(scan.skipped.isEmpty());
    QVERIFY(scan.records.size() >= atLeast);
    for (const auto &record : scan.records) {
        QCOMPARE(record.entry.recordNumber, record.position);
        QVERIFY2(record.entry.picture.startsWith(QLatin1Char('\\')), qPrintable(record.entry.picture));
        const QString picture = m_store.installPath(record.entry.picture);
        QVERIFY2(QFile::exists(picture), qPrintable(picture));
    }
}

void TestSampleCatalogues::radioCatalogueCoversEveryFilterCase()
{
    const auto scan = scanFile(QStringLiteral("ovxdatabase.ondb"), CatalogueLayout::Radio);
    QSet<QString> cases;
    for (const auto &record : scan.records) {
        const CatalogueEntry &e = record.entry;
        const bool known = e.category == QStringLiteral("radio") || e.category == QStringLiteral("radio-info");
        const QString language = e.language.isEmpty()        ? QStringLiteral("fr")
            : e.language == QStringLiteral("français-belge") ? QStringLiteral("be")
                                                             : QStringLiteral("foreign");
        cases.insert(known ? e.category + QLatin1Char('/') + language : QStringLiteral("other category"));
    }
    const QSet<QString> expected { QStringLiteral("radio/fr"),
        QStringLiteral("radio-info/fr"),
        QStringLiteral("radio/be"),
        QStringLiteral("radio-info/be"),
        QStringLiteral("radio/foreign"),
        QStringLiteral("radio-info/foreign"),
        QStringLiteral("other category") };
    QCOMPARE(cases, expected);
}

void TestSampleCatalogues::tvCatalogueCoversEveryLaunchCase()
{
    const auto scan = scanFile(QStringLiteral("ovxdatabase2.ondb"), CatalogueLayout::TV);
    QSet<QString> found;
    for (const auto &record : scan.records) {
        const CatalogueEntry &e = record.entry;
        found.insert(e.category);
        found.insert(e.language.isEmpty() ? QStringLiteral("French") : e.language);
        found.insert(e.datedFlag + QLatin1Char(':') + e.name);
        if (e.datedFlag == QStringLiteral("oui")) {
            const qsizetype at = e.address.indexOf(QChar(0xa4));
            if (at >= 0)
                found.insert(QStringLiteral("code ") + e.address.mid(at + 1, 3));
        }
        if (e.datedFlag == QStringLiteral("web"))
            found.insert(QStringLiteral("web entry"));
        if (e.datedFlag == QStringLiteral("m3u") && !SplitProgramme::MakeM3u(e.name, e.address))
            found.insert(QStringLiteral("m3u entry outside the table"));
    }
    const QStringList expected { QStringLiteral("TV-jt"),
        QStringLiteral("TV-meteo"),
        QStringLiteral("TV-clip"),
        QStringLiteral("TV-divertissement"),
        QStringLiteral("TV-divers"),
        QStringLiteral("French"),
        QStringLiteral("français-belge"),
        QStringLiteral("anglais"),
        QStringLiteral("oui:France 3 : Journal de 12h"),
        QStringLiteral("oui:France 3 : Journal de 19h"),
        QStringLiteral("code JMA"),
        QStringLiteral("code JMB"),
        QStringLiteral("code AMJ"),
        QStringLiteral("code BMJ"),
        QStringLiteral("m3u:Canal+ : Nous ne sommes pas des anges"),
        QStringLiteral("m3u:Canal+ : Groland"),
        QStringLiteral("m3u:Canal+ : Le grand journal"),
        QStringLiteral("m3u:VTM - Autowereld"),
        QStringLiteral("web entry"),
        QStringLiteral("m3u entry outside the table") };
    for (const QString &item : expected)
        QVERIFY2(found.contains(item), qPrintable(item));
}

QTEST_GUILESS_MAIN(TestSampleCatalogues)
#include "tst_samplecatalogues.moc"
