// "Favoris.log", and the names and addresses the add paths accept. First byte
// even: the file's bytes, read as the program reads them (its lines joined);
// what was read, saved and read again, gives the same slots. Odd: the rest is
// a name (UTF-16, halves of characters included); one that the add paths
// accept is the same name after a save and a restart.
#include "core/favourites/favouritesrecord.h"
#include "core/state/textfile.h"
#include "fuzzing.h"

namespace
{

FavouritesRecord::Reading readFile(const QByteArray &bytes)
{
    return FavouritesRecord::ChargeFavoris(TextFile::splitLines(TextFile::decode(bytes)).join(QString()));
}

QByteArray fileOf(const FavouritesRecord::Slots &slots)
{
    return TextFile::encode(FavouritesRecord::saveText(slots) + QStringLiteral("\r\n"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray rest = Fuzzing::bytes(data + 1, size - 1);
    if (data[0] % 2 == 0) {
        const FavouritesRecord::Reading read = readFile(rest);
        FUZZ_CHECK(read.fields >= 0 && read.fields <= 3 * FavouritesRecord::slotCount, QString::number(read.fields));
        const FavouritesRecord::Reading again = FavouritesRecord::ChargeFavoris(FavouritesRecord::saveText(read.slots));
        FUZZ_CHECK(again.fields == 3 * FavouritesRecord::slotCount && again.slots == read.slots,
            FavouritesRecord::saveText(read.slots));
        bool storable = true;
        for (const Favori &slot : read.slots)
            storable = storable && TextFile::refusedInRecord(slot.nom).isEmpty()
                && TextFile::refusedInRecord(slot.url).isEmpty();
        if (storable)
            FUZZ_CHECK(readFile(fileOf(read.slots)).slots == read.slots, FavouritesRecord::saveText(read.slots));
        return 0;
    }
    const QString name = Fuzzing::utf16(rest);
    if (!TextFile::refusedInRecord(name).isEmpty())
        return 0;
    FavouritesRecord::Slots slots;
    slots.at((data[0] / 2) % FavouritesRecord::slotCount)
        = { Favori::Type::Radio, QStringLiteral("http://a.example/"), name };
    FUZZ_CHECK(readFile(fileOf(slots)).slots == slots, name);
    return 0;
}
