#include "core/favourites/favouritestep.h"

#include <QTest>

// Ctrl+Left and Ctrl+Right in the main window: which favourite plays next.
class TestFavouriteStep : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void neighbour_data()
    {
        QTest::addColumn<QList<int>>("filled");
        QTest::addColumn<int>("playing");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("expected");

        const QList<int> gaps { 2, 5, 23 };
        QTest::newRow("next over free slots") << gaps << 2 << 1 << 5;
        QTest::newRow("previous over free slots") << gaps << 5 << -1 << 2;
        QTest::newRow("next past the last") << gaps << 23 << 1 << 2;
        QTest::newRow("previous before the first") << gaps << 2 << -1 << 23;
        QTest::newRow("next, no favourite plays") << gaps << -1 << 1 << 2;
        QTest::newRow("previous, no favourite plays") << gaps << -1 << -1 << 23;
        QTest::newRow("only one") << QList<int> { 7 } << 7 << 1 << 7;
        QTest::newRow("none") << QList<int> {} << -1 << 1 << -1;
    }

    void neighbour()
    {
        QFETCH(QList<int>, filled);
        QFETCH(int, playing);
        QFETCH(int, step);
        QFETCH(int, expected);

        FavouritesRecord::Slots slots;
        for (int index = 0; index < int(slots.size()); ++index)
            slots[index].url = QStringLiteral("http://127.0.0.1/%1").arg(index);
        for (int index : filled)
            slots[index].nom = QStringLiteral("Station %1").arg(index);
        // A free slot keeps an address; it must not count as what plays.
        const QString address = playing >= 0 ? slots.at(playing).url : slots.at(1).url;
        const std::optional<int> found = FavouriteStep::neighbour(slots, address, step);
        QCOMPARE(found.value_or(-1), expected);
    }
};

QTEST_GUILESS_MAIN(TestFavouriteStep)
#include "tst_favouritestep.moc"
