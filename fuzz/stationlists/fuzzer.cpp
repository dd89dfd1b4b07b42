// M3U and PLS station lists, from a file or the network. The first byte
// picks the reader (even: M3U, odd: PLS) and how many stations it may keep.
// Every station read is a network address in the one form the player reads,
// named by a plain one-line name; a list stopped early holds as many as it
// may; and the favourites' export, read back, gives the same stations.
#include "core/playback/playlistentry.h"
#include "core/stationlists/m3ureader.h"
#include "core/stationlists/m3uwriter.h"
#include "core/stationlists/plsreader.h"
#include "core/stationlists/stationtext.h"
#include "fuzzing.h"

#include <QUrl>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QString text = QString::fromUtf8(Fuzzing::bytes(data + 1, size - 1));
    const int maximum = 1 + (data[0] / 2) % 16;
    const StationListRead read = data[0] % 2 == 0 ? M3uReader::read(text, maximum) : PlsReader::read(text, maximum);

    FUZZ_CHECK(read.entries.size() <= maximum, QString::number(read.entries.size()));
    if (read.stop == StationListRead::Stop::TooManyEntries)
        FUZZ_CHECK(read.entries.size() == maximum || data[0] % 2 == 1, QString::number(read.entries.size()));
    for (const StationListEntry &entry : read.entries) {
        FUZZ_CHECK(PlaylistEntry::isNetworkAddress(QUrl(entry.address)), entry.address);
        FUZZ_CHECK(PlaylistEntry::playable(entry.address, QUrl()) == entry.address, entry.address);
        FUZZ_CHECK(!entry.name.isEmpty() && StationText::cleanName(entry.name) == entry.name, entry.name);
    }

    const M3uWriter::Written written = M3uWriter::write(read.entries);
    FUZZ_CHECK(written.leftOut == 0, QString::number(written.leftOut));
    const StationListRead again = M3uReader::read(QString::fromUtf8(written.bytes), maximum);
    FUZZ_CHECK(again.entries == read.entries && again.ignored == 0, QString::fromUtf8(written.bytes));
    return 0;
}
