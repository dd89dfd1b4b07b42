#include "core/recording/recordingname.h"
#include "core/recording/titlelist.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The names of a recording's files, and the titles list written beside it.
class TestRecordingFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nameIsAFileNameOfThisSystem_data();
    void nameIsAFileNameOfThisSystem();
    void takenNameIsNotReplaced();
    void titlesListShowsEachTitleOnceWithItsOffset_data();
    void titlesListShowsEachTitleOnceWithItsOffset();
};

void TestRecordingFiles::nameIsAFileNameOfThisSystem_data()
{
    QTest::addColumn<QString>("station");
    // How the name begins, before the time; empty: only checked to be a usable name.
    QTest::addColumn<QString>("begins");

    QTest::newRow("plain") << QStringLiteral("FIP") << QStringLiteral("FIP ");
    QTest::newRow("slash") << QStringLiteral("AC/DC 24/7") << QStringLiteral("AC-DC 24-7 ");
    QTest::newRow("colon") << QStringLiteral("Radio: Jazz") << QStringLiteral("Radio- Jazz ");
    QTest::newRow("accents") << QStringLiteral("Chérie FM Évasion à Noël")
                             << QStringLiteral("Chérie FM Évasion à Noël ");
    QTest::newRow("line break and tab") << QStringLiteral("Radio\nNova\t1") << QStringLiteral("Radio-Nova-1 ");
    QTest::newRow("hidden file") << QStringLiteral("..radio") << QStringLiteral("radio ");
    QTest::newRow("nothing left") << QStringLiteral(" /// ") << QStringLiteral("Ondavox ");
    QTest::newRow("empty") << QString() << QStringLiteral("Ondavox ");
    QTest::newRow("300 letters") << QString(300, QLatin1Char('a')) << QString();
    QTest::newRow("300 accents") << QString(300, QChar(0x00e9)) << QString();
    // Four bytes each in UTF-8, two UTF-16 units: never cut in half.
    QString notes;
    for (int i = 0; i < 100; ++i)
        notes += QString::fromUcs4(U"\U0001D11E");
    QTest::newRow("300 units of surrogate pairs") << QStringLiteral("x") + notes + notes.left(100) << QString();
}

void TestRecordingFiles::nameIsAFileNameOfThisSystem()
{
    QFETCH(QString, station);
    QFETCH(QString, begins);
    const QDateTime start(QDate(2026, 12, 9), QTime(15, 48, 2));
    const QString name = RecordingName::fileName(station, start, QStringLiteral("mp3"));

    QVERIFY2(name.endsWith(QStringLiteral(" 2026-12-09 15-48-02.mp3")), qPrintable(name));
    if (!begins.isEmpty())
        QCOMPARE(name.left(begins.size()), begins);
    QVERIFY(!name.contains(QLatin1Char('/')));
    QVERIFY(!name.contains(QChar::ReplacementCharacter));
    QCOMPARE(QString::fromUtf8(name.toUtf8()), name);
    // Room left for the " (n)" of a name already taken, and the titles list.
    QVERIFY2(name.toUtf8().size() <= 240, qPrintable(QString::number(name.toUtf8().size())));
    QTemporaryDir folder;
    QFile file(folder.filePath(name));
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    QFile titles(RecordingName::titlesFileName(file.fileName()));
    QVERIFY2(titles.open(QIODevice::WriteOnly), qPrintable(titles.errorString()));
}

void TestRecordingFiles::takenNameIsNotReplaced()
{
    QTemporaryDir folder;
    const QString first = folder.filePath(QStringLiteral("Radio 2026-12-09 15-48-02.mp3"));
    QCOMPARE(RecordingName::unusedPath(first), first);
    QFile taken(first);
    QVERIFY(taken.open(QIODevice::WriteOnly));
    taken.close();
    const QString second = RecordingName::unusedPath(first);
    QVERIFY(second != first);
    QVERIFY(second.endsWith(QStringLiteral(".mp3")));
    QFile(second).open(QIODevice::WriteOnly);
    const QString third = RecordingName::unusedPath(first);
    QVERIFY(third != first && third != second);
}

void TestRecordingFiles::titlesListShowsEachTitleOnceWithItsOffset_data()
{
    // Offsets in milliseconds and titles, in the order heard.
    QTest::addColumn<QList<qint64>>("offsets");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("text");

    QTest::newRow("two titles") << QList<qint64> { 0, 5400 } << QStringList { "Premier", "Second" }
                                << QStringLiteral("0:00:00  Premier\n0:00:05  Second\n");
    QTest::newRow("same title again") << QList<qint64> { 0, 3000, 9000 } << QStringList { "A", "A", "B" }
                                      << QStringLiteral("0:00:00  A\n0:00:09  B\n");
    QTest::newRow("silence between") << QList<qint64> { 0, 1000, 2000 } << QStringList { "A", "", "B" }
                                     << QStringLiteral("0:00:00  A\n0:00:02  B\n");
    QTest::newRow("hours") << QList<qint64> { 3599999, 3600000, 36000000 } << QStringList { "A", "B", "C" }
                           << QStringLiteral("0:59:59  A\n1:00:00  B\n10:00:00  C\n");
    QTest::newRow("line break in a title")
        << QList<qint64> { 61000 } << QStringList { "Un\ntitre\r\n " } << QStringLiteral("0:01:01  Un titre\n");
    QTest::newRow("nothing heard") << QList<qint64> { 0 } << QStringList { "" } << QString();
}

void TestRecordingFiles::titlesListShowsEachTitleOnceWithItsOffset()
{
    QFETCH(QList<qint64>, offsets);
    QFETCH(QStringList, titles);
    QFETCH(QString, text);
    TitleList list;
    for (qsizetype i = 0; i < titles.size(); ++i)
        list.add(offsets.at(i), titles.at(i));
    QCOMPARE(list.text(), text);
}

QTEST_GUILESS_MAIN(TestRecordingFiles)
#include "tst_recordingfiles.moc"
