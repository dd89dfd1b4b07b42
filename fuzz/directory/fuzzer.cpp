// The public directory's answer to a station search, as any server may send
// it: an answer that cannot be read gives no station; every station kept can
// be played and shown as it is, by the rules the rest of the program holds
// outside text to (a network address in the one form the player reads, plain
// one-line names, no picture but an http(s) one).
#include "core/directory/stationrecords.h"
#include "core/playback/playlistentry.h"
#include "core/stationlists/stationtext.h"
#include "fuzzing.h"

#include <QUrl>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const StationRecords::Parsed parsed = StationRecords::parse(Fuzzing::bytes(data, size));
    if (!parsed.error.isEmpty()) {
        FUZZ_CHECK(parsed.stations.isEmpty() && parsed.leftOut == 0, parsed.error);
        return 0;
    }
    for (const DirectoryStation &station : parsed.stations) {
        FUZZ_CHECK(!station.uuid.isEmpty(), station.name);
        FUZZ_CHECK(PlaylistEntry::isNetworkAddress(QUrl(station.address)), station.address);
        FUZZ_CHECK(PlaylistEntry::playable(station.address, QUrl()) == station.address, station.address);
        for (const QString &text : { station.name, station.country, station.tags, station.codec, station.language })
            FUZZ_CHECK(StationText::cleanName(text) == text, text);
        FUZZ_CHECK(!station.name.isEmpty(), station.address);
        const QString scheme = QUrl(station.favicon).scheme();
        FUZZ_CHECK(station.favicon.isEmpty() || scheme == u"http" || scheme == u"https", station.favicon);
        FUZZ_CHECK(station.bitrate >= 0 && station.bitrate <= 100000, QString::number(station.bitrate));
        FUZZ_CHECK(station.clickCount >= 0, QString::number(station.clickCount));
    }
    return 0;
}
