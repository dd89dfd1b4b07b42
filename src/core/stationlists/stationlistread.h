#pragma once

#include "core/stationlists/stationlistentry.h"

#include <QList>

// What a list reader made of a text: the stations it found and where it stopped.
struct StationListRead {
    enum class Stop {
        End, // the whole text was read
        TooManyEntries, // the list holds more than a reader keeps
    };

    QList<StationListEntry> entries;
    // Addresses passed over: a local file, a relative path, a scheme that is
    // not a stream's, or no address at all.
    int ignored = 0;
    Stop stop = Stop::End;
    // The 1-based line reading stopped at: the last line at the end of the text.
    int line = 0;
};
