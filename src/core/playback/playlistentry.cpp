#include "core/playback/playlistentry.h"

#include <QDir>

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

// A file of this machine, by its full path ("file:+//x" is a file name
// relative to wherever the engine runs).
bool isLocalFile(const QUrl &url)
{
    return url.isLocalFile() && url.host().isEmpty() && url.path().startsWith(QLatin1Char('/'));
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
        // A bare "/etc/passwd" is a file name to the engine: it only counts
        // as an address next to the playlist's own.
        if (!playlist.isValid() || playlist.isRelative())
            return std::nullopt;
        url = playlist.resolved(url);
    }
    // Written again by the reader that judged it: the engine, which finds the
    // protocol in the text by its own rules, reads the same scheme and host.
    if (isNetworkAddress(url))
        return url.toString(QUrl::FullyEncoded);
    if (isLocalFile(playlist) && isLocalFile(url))
        return QUrl::fromLocalFile(QDir::cleanPath(url.toLocalFile())).toString(QUrl::FullyEncoded);
    return std::nullopt;
}

}
