#pragma once

#include <QString>
#include <QStringView>

// Names and addresses that come from outside (a list file, the public
// directory) before anything shows or plays them.
namespace StationText
{

inline constexpr int maximumNameLength = 200;

// A name that reads as one plain line: no control characters, no line breaks,
// no direction overrides that would show it other than it is stored, runs of
// spaces made one, at most maximumNameLength characters.
QString cleanName(QStringView name);

// The address, in the one written form the player reads as it was judged,
// when it names a stream on the network (the playlists' rule: http, https,
// mms, rtsp, rtmp and their variants, with a host); empty otherwise. A list
// from outside must not make the player open a local file or one of its own
// protocols.
QString streamAddress(QStringView address);

}
