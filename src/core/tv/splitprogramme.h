#pragma once

#include <QString>
#include <optional>

// Programmes published in parts, played as one playlist of their parts: the
// resolved address of the first part, without its last characters, followed
// by each part's suffix.
namespace SplitProgramme
{

// "Fractionné.m3u", in the user's folder.
inline const QString playlistName = QStringLiteral("Fractionné.m3u");

// `MakeM3u`: the playlist text, one line per part joined by CR LF, for a
// programme of the table (exact name); nothing for any other.
std::optional<QString> MakeM3u(const QString &name, const QString &address);

}
