#include "core/history/titlehistory.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

// The titles heard, as kept from one run to the next.
class TestTitleHistory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void historyComesBackAfterARestart();
    void unreadableLinesAreSkipped_data();
    void unreadableLinesAreSkipped();
};

void TestTitleHistory::historyComesBackAfterARestart()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sub/titres.txt"));
    const QDateTime start(QDate(2026, 12, 9), QTime(15, 0), QTimeZone(3600));
    {
        TitleHistory history;
        history.load(path);
        QVERIFY(history.entries().isEmpty());
        for (int i = 0; i < 130; ++i)
            history.add(
                QStringLiteral("Radio\t%1").arg(i % 2), QStringLiteral("Titre %1\n<b>é</b>").arg(i), start.addSecs(i));
        // The same again on the same station is no news; on another it is.
        history.add(QStringLiteral("Radio\t1"), QStringLiteral("Titre 129\n<b>é</b>"), start.addSecs(200));
        history.add(QStringLiteral("Autre"), QStringLiteral("Titre 129\n<b>é</b>"), start.addSecs(201));
        history.add(QStringLiteral("Autre"), QString(), start.addSecs(202));
        QCOMPARE(history.entries().size(), TitleHistory::capacity);
    }
    TitleHistory again;
    again.load(path);
    const QList<TitleHistory::Entry> entries = again.entries();
    QCOMPARE(entries.size(), TitleHistory::capacity);
    QCOMPARE(entries.first().title, QStringLiteral("Titre 31 <b>é</b>"));
    QCOMPARE(entries.first().station, QStringLiteral("Radio 1"));
    QCOMPARE(entries.first().time, start.addSecs(31));
    QCOMPARE(entries.last().station, QStringLiteral("Autre"));
    QCOMPARE(entries.at(entries.size() - 2).title, QStringLiteral("Titre 129 <b>é</b>"));
}

void TestTitleHistory::unreadableLinesAreSkipped_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("titles");

    const QByteArray good = "2026-12-09T15:00:00+01:00\tFIP\tUn titre\n";
    QTest::newRow("whole") << good << QStringList { "Un titre" };
    QTest::newRow("cut in the middle of a line")
        << good + "2026-12-09T15:01:00+01:00\tFI" << QStringList { "Un titre" };
    QTest::newRow("bad time") << "hier\tFIP\tA\n" + good << QStringList { "Un titre" };
    QTest::newRow("no title") << "2026-12-09T15:00:00+01:00\tFIP\t \n" + good << QStringList { "Un titre" };
    QTest::newRow("CR LF") << QByteArray("2026-12-09T15:00:00+01:00\tFIP\tB\r\n") << QStringList { "B" };
    QTest::newRow("not text") << QByteArray("\x00\xff\xfe\t\t\n", 6) << QStringList {};
}

void TestTitleHistory::unreadableLinesAreSkipped()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, titles);
    QStringList read;
    for (const TitleHistory::Entry &entry : TitleHistory::parse(file))
        read.append(entry.title);
    QCOMPARE(read, titles);
}

QTEST_GUILESS_MAIN(TestTitleHistory)
#include "tst_titlehistory.moc"
