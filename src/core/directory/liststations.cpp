#include "core/directory/liststations.h"

#include "core/stationlists/stationlistfile.h"

#include <QFileInfo>

namespace ListStations
{

Read read(const QStringList &paths)
{
    Read read;
    for (const QString &path : paths) {
        const StationListFile::Opened opened = StationListFile::read(path);
        for (const StationListEntry &entry : opened.read.entries) {
            DirectoryStation station;
            station.name = entry.name;
            station.address = entry.address;
            read.stations.append(station);
        }
        const QString message = opened.message();
        if (!message.isEmpty())
            read.notes.append(message);
    }
    read.title
        = paths.size() == 1 ? QFileInfo(paths.constFirst()).fileName() : QStringLiteral("%1 listes").arg(paths.size());
    return read;
}

}
