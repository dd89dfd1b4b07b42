// ASX and WAX playlists as a station's server may send them. The first byte
// says where the playlist came from: whatever the text, a playlist from the
// network gives network addresses only, and one of the user's own files
// network addresses or local files, never one of the engine's protocols.
#include "core/playback/asxparser.h"
#include "core/playback/playlistentry.h"
#include "fuzzing.h"

#include <QUrl>

namespace
{

// The scheme as the engine finds it: what comes before the first "://".
QString schemeAsTheEngineReadsIt(const QString &entry)
{
    const qsizetype end = entry.indexOf(QLatin1String("://"));
    return end < 0 ? QString() : entry.first(end).toLower();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray input = Fuzzing::bytes(data + 1, size - 1);
    static const QUrl origins[] = { QUrl(QStringLiteral("http://radio.example/live/list.asx")),
        QUrl(QStringLiteral("file:///home/u/list.asx")),
        QUrl() };
    const QUrl &origin = origins[data[0] % 3];
    const bool local = origin.isLocalFile();

    const AsxParser::Result result = AsxParser::parse(input, origin);
    FUZZ_CHECK(result.entries.isEmpty() == !result.error.isEmpty(), result.error);
    for (const QString &entry : result.entries) {
        const QUrl url(entry);
        const QString scheme = schemeAsTheEngineReadsIt(entry);
        FUZZ_CHECK(scheme == url.scheme(), entry);
        FUZZ_CHECK(PlaylistEntry::isNetworkAddress(url) || (local && url.isLocalFile() && url.host().isEmpty()), entry);
        // Given again, an entry stays as it is.
        FUZZ_CHECK(PlaylistEntry::playable(entry, origin) == entry, entry);
    }
    AsxParser::looksLikePlaylist(input);
    AsxParser::isPlaylistContentType(input);
    return 0;
}
