#include "core/favourites/favouritesrecord.h"
#include "core/state/textfile.h"

#include <QTest>

Q_DECLARE_METATYPE(Favori)

namespace
{

using FavouritesRecord::slotCount;

const QString freeGroup = QStringLiteral(" ***");

QString freeGroups(int count)
{
    return freeGroup.repeated(count);
}

Favori favori(Favori::Type type, const QString &url, const QString &nom)
{
    Favori slot;
    slot.type = type;
    slot.url = url;
    slot.nom = nom;
    return slot;
}

} // namespace

class TestFavouritesRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reading_data();
    void reading();
    void writing_data();
    void writing();
    void fullStoreRoundTrips();
    void refusedCharacter_data();
    void refusedCharacter();
};

void TestFavouritesRecord::reading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("slot");
    QTest::addColumn<Favori>("expected");
    QTest::addColumn<int>("inUse");
    QTest::addColumn<int>("fields");

    const Favori none;
    QTest::newRow("no text") << QString() << 0 << none << 0 << 0;
    QTest::newRow("one slot") << QStringLiteral("Radio*http://a/b.mp3*Rires et chansons*") << 0
                              << favori(Favori::Type::Radio, "http://a/b.mp3", "Rires et chansons") << 1 << 3;
    QTest::newRow("one slot, later slots free") << QStringLiteral("Radio*http://a*A*") << 1 << none << 1 << 3;
    QTest::newRow("type that begins with Radio")
        << QStringLiteral("Radiophonie*u*A*") << 0 << favori(Favori::Type::Radio, "u", "A") << 1 << 3;
    QTest::newRow("Tv") << QStringLiteral("Tv*u*A*") << 0 << favori(Favori::Type::Tv, "u", "A") << 1 << 3;
    QTest::newRow("Tv with more letters")
        << QStringLiteral("Tvx*u*A*") << 0 << favori(Favori::Type::Tv, "u", "A") << 1 << 3;
    QTest::newRow("TV in capitals is none")
        << QStringLiteral("TV*u*A*") << 0 << favori(Favori::Type::None, "u", "A") << 1 << 3;
    QTest::newRow("radio in lower case is none")
        << QStringLiteral("radio*u*A*") << 0 << favori(Favori::Type::None, "u", "A") << 1 << 3;
    QTest::newRow("space type is none") << QStringLiteral(" *u*A*") << 0 << favori(Favori::Type::None, "u", "A") << 1
                                        << 3;
    QTest::newRow("second slot") << QStringLiteral("Radio*u*A*Tv*v*B*") << 1 << favori(Favori::Type::Tv, "v", "B") << 2
                                 << 6;
    QTest::newRow("interrupted after the address")
        << QStringLiteral("Radio*u*A*Tv*v*B") << 1 << favori(Favori::Type::None, "v", QString()) << 1 << 5;
    QTest::newRow("interrupted after the type")
        << QStringLiteral("Radio*u*A*Tv*v") << 1 << favori(Favori::Type::None, QString(), QString()) << 1 << 4;
    QTest::newRow("interrupted slot keeps those before")
        << QStringLiteral("Radio*u*A*Tv*v") << 0 << favori(Favori::Type::Radio, "u", "A") << 1 << 4;
    QTest::newRow("empty name leaves the slot free")
        << QStringLiteral("Radio*u**") << 0 << favori(Favori::Type::Radio, "u", QString()) << 0 << 3;
    QTest::newRow("accents") << QStringLiteral("Tv*http://x/é*Télé Matin €*") << 0
                             << favori(Favori::Type::Tv, "http://x/é", "Télé Matin €") << 1 << 3;

    QString full;
    for (int i = 0; i < slotCount; ++i)
        full += QStringLiteral("Radio*u%1*N%1*").arg(i);
    QTest::newRow("tail after the 72nd star ignored")
        << full + QStringLiteral("Tv*extra*X*") << 23 << favori(Favori::Type::Radio, "u23", "N23") << 24 << 72;
}

void TestFavouritesRecord::reading()
{
    QFETCH(QString, text);
    QFETCH(int, slot);
    QFETCH(Favori, expected);
    QFETCH(int, inUse);

    const FavouritesRecord::Reading reading = FavouritesRecord::ChargeFavoris(text);
    const Favori &read = reading.slots.at(slot);
    QCOMPARE(read.type, expected.type);
    QCOMPARE(read.url, expected.url);
    QCOMPARE(read.nom, expected.nom);
    QCOMPARE(int(std::count_if(reading.slots.begin(),
                 reading.slots.end(),
                 [](const Favori &f) {
                     return f.isInUse();
                 })),
        inUse);
    QTEST(reading.fields, "fields");
}

void TestFavouritesRecord::writing_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<Favori>("favourite");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty store: 24 free groups") << -1 << Favori() << freeGroups(slotCount);
    QTest::newRow("radio") << 0 << favori(Favori::Type::Radio, "http://a", "A")
                           << QStringLiteral("Radio*http://a*A*") + freeGroups(23);
    QTest::newRow("tv in the last slot") << 23 << favori(Favori::Type::Tv, "v", "B")
                                         << freeGroups(23) + QStringLiteral("Tv*v*B*");
    QTest::newRow("no type is a space") << 0 << favori(Favori::Type::None, "u", "A")
                                        << QStringLiteral(" *u*A*") + freeGroups(23);
    // A slot without a name is free but keeps its address and type in the file.
    QTest::newRow("nameless slot written as it is")
        << 1 << favori(Favori::Type::Radio, "u", QString()) << freeGroup + QStringLiteral("Radio*u**") + freeGroups(22);
}

void TestFavouritesRecord::writing()
{
    QFETCH(int, slot);
    QFETCH(Favori, favourite);

    FavouritesRecord::Slots slots;
    if (slot >= 0)
        slots.at(slot) = favourite;
    const QString text = FavouritesRecord::saveText(slots);
    QTEST(text, "text");
    QCOMPARE(text.count(QLatin1Char('*')), 3 * slotCount);
    QVERIFY(!text.contains(QLatin1Char('\n')));
}

void TestFavouritesRecord::fullStoreRoundTrips()
{
    FavouritesRecord::Slots slots;
    const Favori::Type types[] = { Favori::Type::Radio, Favori::Type::Tv, Favori::Type::None };
    for (int i = 0; i < slotCount; ++i)
        slots.at(i) = favori(types[i % 3], QStringLiteral("mms://h/%1 é").arg(i), QStringLiteral("Chaîne n°%1").arg(i));
    const FavouritesRecord::Reading reading = FavouritesRecord::ChargeFavoris(FavouritesRecord::saveText(slots));
    QCOMPARE(reading.fields, 3 * slotCount);
    QVERIFY(reading.slots == slots);
}

void TestFavouritesRecord::refusedCharacter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("refused");

    QTest::newRow("plain address") << QStringLiteral("http://127.0.0.1:8000/live.mp3?a=1&b=2") << QString();
    QTest::newRow("Windows-1252 letters") << QStringLiteral("Télé Matin – l'émission € œ") << QString();
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("star") << QStringLiteral("a*b") << QStringLiteral("*");
    QTest::newRow("line feed") << QStringLiteral("a\nb") << QStringLiteral("\n");
    QTest::newRow("carriage return") << QStringLiteral("a\rb") << QStringLiteral("\r");
    QTest::newRow("greek letter") << QStringLiteral("Radio Ω") << QStringLiteral("Ω");
    QTest::newRow("first of several") << QStringLiteral("日本*") << QStringLiteral("日");
    QTest::newRow("character outside the basic plane") << QStringLiteral("Jazz 🎷 club") << QStringLiteral("🎷");
    // The codec takes a lone first half for a pair still to come.
    const QString half = QString(QChar(0xFFFD));
    QTest::newRow("first half of a pair, last") << QStringLiteral("Radio ") + QChar(0xDADA) << half;
    QTest::newRow("first half of a pair, then a letter") << QStringLiteral("Radio ") + QChar(0xDADA) + "x" << half;
    QTest::newRow("second half of a pair alone") << QStringLiteral("Radio ") + QChar(0xDC00) << half;
}

void TestFavouritesRecord::refusedCharacter()
{
    QFETCH(QString, text);
    QTEST(TextFile::refusedInRecord(text), "refused");
}

QTEST_GUILESS_MAIN(TestFavouritesRecord)
#include "tst_favouritesrecord.moc"
