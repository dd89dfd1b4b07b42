#include "core/playback/icyreader.h"

#include <QTest>

namespace
{

// One metadata block as a server writes it: its length byte, then the text
// padded with zeros to a multiple of 16.
QByteArray block(const QByteArray &text)
{
    QByteArray padded = text;
    padded.append(QByteArray((16 - padded.size() % 16) % 16, '\0'));
    return char(padded.size() / 16) + padded;
}

} // namespace

// ICY metadata taken out of a live stream's body, however the body is cut.
class TestIcyReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void soundAndTitlesWhereverTheBodyIsCut_data();
    void soundAndTitlesWhereverTheBodyIsCut();
    void titleOfABlock_data();
    void titleOfABlock();
    void withoutMetadataEverythingIsSound();
};

void TestIcyReader::soundAndTitlesWhereverTheBodyIsCut_data()
{
    QTest::addColumn<int>("pieceSize");
    for (const int size : { 1, 2, 3, 7, 8, 9, 15, 16, 17, 31, 100, 4096 })
        QTest::newRow(qPrintable(QStringLiteral("pieces of %1").arg(size))) << size;
}

void TestIcyReader::soundAndTitlesWhereverTheBodyIsCut()
{
    QFETCH(int, pieceSize);
    constexpr int interval = 8;
    const QByteArray sound = "ABCDEFGHabcdefgh01234567IJKLMNOPijkl";
    // Every 8 bytes of sound a block: a title, an empty block, a title with
    // a quote, one with another field only.
    const QByteArray body = sound.mid(0, 8) + block("StreamTitle='Un - Deux';StreamUrl='';") + sound.mid(8, 8) + char(0)
        + sound.mid(16, 8) + block("StreamTitle='Rock 'n' roll';") + sound.mid(24, 8) + block("StreamUrl='http://x';")
        + sound.mid(32);

    IcyReader reader(interval);
    QByteArray heard;
    QList<QByteArray> titles;
    for (qsizetype at = 0; at < body.size(); at += pieceSize)
        heard += reader.read(body.mid(at, pieceSize), &titles);
    QCOMPARE(heard, sound);
    QCOMPARE(titles, (QList<QByteArray> { "Un - Deux", "Rock 'n' roll" }));
}

void TestIcyReader::titleOfABlock_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("hasTitle");
    QTest::addColumn<QByteArray>("title");

    QTest::newRow("plain") << QByteArray("StreamTitle='Artist - Song';") << true << QByteArray("Artist - Song");
    QTest::newRow("padding after") << QByteArray("StreamTitle='A';\0\0\0", 19) << true << QByteArray("A");
    QTest::newRow("empty title") << QByteArray("StreamTitle='';") << true << QByteArray();
    QTest::newRow("ISO-8859-1 bytes as sent") << QByteArray("StreamTitle='Caf\xe9';") << true << QByteArray("Caf\xe9");
    QTest::newRow("no closing semicolon") << QByteArray("StreamTitle='Last'\0\0", 20) << true << QByteArray("Last");
    QTest::newRow("other fields only") << QByteArray("StreamUrl='x';") << false << QByteArray();
}

void TestIcyReader::titleOfABlock()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, hasTitle);
    QFETCH(QByteArray, title);
    const std::optional<QByteArray> found = IcyReader::titleOf(text);
    QCOMPARE(found.has_value(), hasTitle);
    if (found)
        QCOMPARE(*found, title);
}

void TestIcyReader::withoutMetadataEverythingIsSound()
{
    IcyReader reader;
    QList<QByteArray> titles;
    const QByteArray body = block("StreamTitle='x';") + "sound";
    QCOMPARE(reader.read(body, &titles), body);
    QVERIFY(titles.isEmpty());
}

QTEST_GUILESS_MAIN(TestIcyReader)
#include "tst_icyreader.moc"
