#include "core/playback/playlistentry.h"

namespace
{

// The streaming protocols a station's playlist has any business naming.
const QStringList networkSchemes { QStringLiteral("http"),
    QStringLiteral("https"),
    QStringLiteral("mms"),
    QStringLiteral("mmsh"),
    QStringLiteral("mmst"),
    QStringLiteral("rtsp"),
    QStringLiteral("rtsps"),
    QStringLiteral("rtmp"),
    QStringLiteral("rtmps"),
    QStringLiteral("rtmpe"),
    QStringLiteral("rtmpt"),
    QStringLiteral("rtmpte"),
    QStringLiteral("rtmpts") };

bool isLocalFile(const QUrl &url)
{
    return url.isLocalFile() && url.host().isEmpty() && !url.path().isEmpty();
}

} // namespace

namespace PlaylistEntry
{

bool isNetworkAddress(const QUrl &url)
{
    return url.isValid() && networkSchemes.contains(url.scheme()) && !url.host().isEmpty();
}

std::optional<QString> playable(QStringView href, const QUrl &playlist)
{
    const QString text = href.trimmed().toString();
    if (text.isEmpty())
        return std::nullopt;
    QUrl url(text);
    if (url.isRelative()) {
        // A bare "C:\x.wma" or "/etc/passwd" is a file name to the engine:
        // it only counts as an address next to the playlist's own.
        if (!playlist.isValid() || playlist.isRelative())
            return std::nullopt;
        url = playlist.resolved(url);
    }
    const bool localPlaylist = isLocalFile(playlist);
    if (!isNetworkAddress(url) && !(localPlaylist && isLocalFile(url)))
        return std::nullopt;
    // Written again by the reader that judged it: the engine, which finds the
    // protocol in the text by its own rules, reads the same scheme and host.
    return url.toString(QUrl::FullyEncoded);
}

}
