#pragma once

#include <QString>
#include <QStringView>
#include <QUrl>
#include <optional>

// What an entry of a playlist that we read ourselves may make the player
// open. The entries reach libmpv one "loadfile" command each, and libmpv
// takes those as the user's own choice: its own fence around playlists
// ("load-unsafe-playlists") only holds entries of the playlists it reads
// itself. So the fence is here. A playlist that came over the network gives
// network addresses only (a server must not make the player read a local
// file, a descriptor or one of the engine's own protocols); one of the
// user's own files may also name local files. Nothing else passes.
namespace PlaylistEntry
{

// The entry `href` of the playlist found at `playlist`, made absolute against
// it, in the one written form the engine reads as we read it; nothing when
// it may not be played. A playlist of unknown origin counts as a network one.
std::optional<QString> playable(QStringView href, const QUrl &playlist);

// http, https, mms, rtsp, rtmp and their variants, with a host.
bool isNetworkAddress(const QUrl &url);

}
