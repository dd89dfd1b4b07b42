#pragma once

#include "core/stationlists/stationlistread.h"

#include <QStringView>

// The stations of an M3U or M3U8 list: one address a line, each named by the
// "#EXTINF:" line before it ("#EXTINF:-1 tvg-logo="…",Name"); an address
// without one is named by itself. Other "#" lines are comments. Reading stops
// after `maximumEntries` stations.
namespace M3uReader
{

StationListRead read(QStringView text, int maximumEntries);

}
