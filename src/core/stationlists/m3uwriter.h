#pragma once

#include "core/stationlists/stationlistentry.h"

#include <QByteArray>
#include <QList>

// An M3U list that other players read: "#EXTM3U", then for each station an
// "#EXTINF:-1,Name" line and its address, in UTF-8. A name is written on one
// line, as StationText::cleanName gives it; a station whose address would
// not stay one line is left out, and counted.
namespace M3uWriter
{

struct Written {
    QByteArray bytes;
    int leftOut = 0;
};

Written write(const QList<StationListEntry> &entries);

}
