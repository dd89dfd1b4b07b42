#pragma once

#include "core/favourites/favouritesrecord.h"
#include "core/stationlists/stationlistentry.h"

#include <QList>

// The favourites as a station list, in their order: every slot in use that
// has an address. A favourite without one cannot be played from a list: it is
// counted, not written.
namespace FavouritesList
{

extern const QString nothingToExportMessage;

struct Stations {
    QList<StationListEntry> entries;
    int withoutAddress = 0;
};

Stations of(const FavouritesRecord::Slots &slots);

struct Exported {
    bool ok = false;
    // What the user is told, success or failure.
    QString message;
};

// Writes the favourites to `path` as an M3U list, replacing the file in one
// step; nothing is written when there is no favourite to export.
Exported exportTo(const QString &path, const FavouritesRecord::Slots &slots);

}
