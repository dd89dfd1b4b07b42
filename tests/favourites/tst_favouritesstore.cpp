#include "core/favourites/favouritesstore.h"
#include "core/state/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

namespace
{

const QString freeGroup = QStringLiteral(" ***");

QString group(const QString &type, const QString &url, const QString &nom)
{
    return type + QLatin1Char('*') + url + QLatin1Char('*') + nom + QLatin1Char('*');
}

// The names of slots 0 to 23, "" for a free one.
QStringList names(const FavouritesStore &store)
{
    QStringList result;
    for (const Favori &slot : store.slots())
        result.append(slot.nom);
    return result;
}

QStringList letters(int count)
{
    QStringList result;
    for (int i = 0; i < count; ++i)
        result.append(QString(QChar(u'A' + i)));
    return result;
}

QStringList padded(QStringList names)
{
    while (names.size() < FavouritesStore::slotCount)
        names.append(QString());
    return names;
}

ino_t inode(const QString &path)
{
    struct stat info {
    };
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

} // namespace

class TestFavouritesStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void deletion_data();
    void deletion();
    void clearLeavesTheOthers();
    void freeSlotIsTheLowestWithoutName();
    void fillWithoutTypeKeepsTheSlotsType();

    void noFileGivesAFileOfFreeSlotsAtTheFirstTick();
    void loadJoinsLinesAndReadsWindows1252();
    void emptyFileLoadsNothing();
    void tailIsDroppedAtTheFirstTick();
    void fileHoldingTheStoreIsNotRewritten();
    void everyChangeIsWrittenAtOnce();
    void failedWriteKeepsThePreviousFileAndIsRetried();
    void unreadableFileIsNotReplacedByTheTimer();

private:
    void writeBytes(const QString &path, const QByteArray &bytes);
    QByteArray readBytes(const QString &path);
    void fillLetters(int count);

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<FavouritesStore> m_store;
    QString m_path;
};

void TestFavouritesStore::writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray TestFavouritesStore::readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestFavouritesStore::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    m_path = m_folder->filePath(FavouritesStore::fileName);
    m_store = std::make_unique<FavouritesStore>();
    m_store->setPath(m_path);
}

void TestFavouritesStore::fillLetters(int count)
{
    const QStringList names = letters(count);
    for (int i = 0; i < count; ++i)
        m_store->fill(i, names.at(i), QStringLiteral("http://h/") + names.at(i), Favori::Type::Radio);
}

void TestFavouritesStore::deletion_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("deleted");
    QTest::addColumn<QStringList>("after");

    QTest::newRow("slot 0 of three") << 3 << 0 << QStringList { "B", "C" };
    QStringList full = letters(24);
    QTest::newRow("slot 23 of a full store") << 24 << 23 << full.mid(0, 23);
    QStringList fifth = full;
    fifth.removeAt(5);
    QTest::newRow("slot 5 of a full store") << 24 << 5 << fifth;
}

void TestFavouritesStore::deletion()
{
    QFETCH(int, count);
    QFETCH(int, deleted);
    QFETCH(QStringList, after);

    fillLetters(count);
    m_store->SupprimeFavori(deleted);
    QCOMPARE(names(*m_store), padded(after));
    // The slots moved with their addresses and types; the last one is cleared.
    for (int i = 0; i < after.size(); ++i) {
        QCOMPARE(m_store->slot(i).url, QStringLiteral("http://h/") + after.at(i));
        QCOMPARE(m_store->slot(i).type, Favori::Type::Radio);
    }
    QCOMPARE(m_store->slot(23), Favori());
}

void TestFavouritesStore::clearLeavesTheOthers()
{
    fillLetters(24);
    m_store->clear(23);
    QCOMPARE(names(*m_store), padded(letters(23)));
    QCOMPARE(m_store->slot(23), Favori());
}

void TestFavouritesStore::freeSlotIsTheLowestWithoutName()
{
    QCOMPARE(m_store->freeSlot(), std::optional<int>(0));
    fillLetters(5);
    m_store->SupprimeFavori(2);
    QCOMPARE(m_store->freeSlot(), std::optional<int>(4));
    m_store->fill(4, QString(), QStringLiteral("u"), Favori::Type::Tv);
    QCOMPARE(m_store->freeSlot(), std::optional<int>(4));
    fillLetters(24);
    QCOMPARE(m_store->freeSlot(), std::nullopt);
}

void TestFavouritesStore::fillWithoutTypeKeepsTheSlotsType()
{
    m_store->fill(0, QString(), QStringLiteral("u"), Favori::Type::Tv);
    m_store->fill(0, QStringLiteral("A"), QStringLiteral("v"), std::nullopt);
    QCOMPARE(m_store->slot(0).type, Favori::Type::Tv);
    QCOMPARE(m_store->slot(0).url, QStringLiteral("v"));
}

void TestFavouritesStore::noFileGivesAFileOfFreeSlotsAtTheFirstTick()
{
    QVERIFY(!m_store->Load());
    QCOMPARE(names(*m_store), padded({}));
    m_store->startSaving();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_path), 1000);
    QCOMPARE(readBytes(m_path), freeGroup.repeated(24).toLatin1() + "\r\n");
}

void TestFavouritesStore::loadJoinsLinesAndReadsWindows1252()
{
    writeBytes(m_path, "Tv*http://h/t\xe9l\xe9*T\xe9l\xe9\r\n Matin*Radio*u*\nB*");
    QSignalSpy changed(m_store.get(), &FavouritesStore::changed);
    QVERIFY(m_store->Load());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(m_store->slot(0).type, Favori::Type::Tv);
    QCOMPARE(m_store->slot(0).url, QStringLiteral("http://h/télé"));
    QCOMPARE(m_store->slot(0).nom, QStringLiteral("Télé Matin"));
    QCOMPARE(m_store->slot(1).nom, QStringLiteral("B"));
}

void TestFavouritesStore::emptyFileLoadsNothing()
{
    writeBytes(m_path, "\r\n\r\n");
    QSignalSpy changed(m_store.get(), &FavouritesStore::changed);
    QVERIFY(!m_store->Load());
    QCOMPARE(changed.count(), 0);
}

void TestFavouritesStore::tailIsDroppedAtTheFirstTick()
{
    const QString text = group("Radio", "u", "A") + freeGroup.repeated(23);
    writeBytes(m_path, (text + "trailing*text").toLatin1());
    QVERIFY(m_store->Load());
    m_store->startSaving();
    QTRY_COMPARE_WITH_TIMEOUT(readBytes(m_path), text.toLatin1() + "\r\n", 1000);
}

void TestFavouritesStore::fileHoldingTheStoreIsNotRewritten()
{
    writeBytes(m_path, (group("Radio", "u", "A") + freeGroup.repeated(23) + "\r\n").toLatin1());
    const ino_t before = inode(m_path);
    QVERIFY(m_store->Load());
    m_store->startSaving();
    QTest::qWait(3 * FavouritesStore::initialSavePeriod);
    // Every write replaces the file with a new one.
    QCOMPARE(inode(m_path), before);
}

void TestFavouritesStore::everyChangeIsWrittenAtOnce()
{
    // No timer runs: nothing but the change itself writes.
    m_store->fill(0, QStringLiteral("Télé"), QStringLiteral("u"), Favori::Type::Tv);
    QCOMPARE(readBytes(m_path), TextFile::encode(group("Tv", "u", "Télé") + freeGroup.repeated(23) + "\r\n"));
    m_store->SupprimeFavori(0);
    QCOMPARE(readBytes(m_path), freeGroup.repeated(24).toLatin1() + "\r\n");
    m_store->fill(0, QStringLiteral("B"), QStringLiteral("v"), std::nullopt);
    m_store->clear(0);
    QCOMPARE(readBytes(m_path), freeGroup.repeated(24).toLatin1() + "\r\n");
}

void TestFavouritesStore::failedWriteKeepsThePreviousFileAndIsRetried()
{
    // A plain file where the folder should be: every write fails until it goes.
    const QString blocked = m_folder->filePath(QStringLiteral("blocked"));
    writeBytes(blocked, "keep");
    const QString path = blocked + QLatin1Char('/') + FavouritesStore::fileName;
    m_store->setPath(path);
    m_store->startSaving();
    QSignalSpy failed(m_store.get(), &FavouritesStore::saveFailed);

    m_store->fill(0, QStringLiteral("A"), QStringLiteral("u"), Favori::Type::Radio);
    QCOMPARE(failed.count(), 1);
    QCOMPARE(failed.at(0).at(0).toString(), path);
    m_store->fill(1, QStringLiteral("B"), QStringLiteral("v"), Favori::Type::Radio);
    QTest::qWait(2 * FavouritesStore::initialSavePeriod);
    // Said once, however many writes failed since.
    QCOMPARE(failed.count(), 1);
    QCOMPARE(readBytes(blocked), QByteArray("keep"));

    QVERIFY(QFile::remove(blocked));
    QTRY_COMPARE_WITH_TIMEOUT(readBytes(path),
        (group("Radio", "u", "A") + group("Radio", "v", "B") + freeGroup.repeated(22) + "\r\n").toLatin1(),
        1000);

    // Written again: the next failure is said again.
    QVERIFY(QDir(blocked).removeRecursively());
    writeBytes(blocked, "keep");
    m_store->clear(1);
    QCOMPARE(failed.count(), 2);
}

void TestFavouritesStore::unreadableFileIsNotReplacedByTheTimer()
{
    // A folder where the file should be cannot be read as one.
    QVERIFY(QDir().mkpath(m_path));
    QVERIFY(!m_store->Load());
    m_store->startSaving();
    QTest::qWait(3 * FavouritesStore::initialSavePeriod);
    QVERIFY(QFileInfo(m_path).isDir());
    // Nothing to write until the user changes something.
    QVERIFY(m_store->Savefavoris());
}

QTEST_GUILESS_MAIN(TestFavouritesStore)
#include "tst_favouritesstore.moc"
