#pragma once

#include "core/directory/directorystation.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The directory's answer to a station search: a JSON array of station
// records. A record that cannot be played (no stream address on the network,
// no "stationuuid") is left out and counted; a missing text field is empty, a
// missing number 0; a record without a name is named by its address.
namespace StationRecords
{

struct Parsed {
    QList<DirectoryStation> stations;
    int leftOut = 0;
    // Why the answer could not be read at all; empty when it could.
    QString error;
};

Parsed parse(const QByteArray &json);

}
