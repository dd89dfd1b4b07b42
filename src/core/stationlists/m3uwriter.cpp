#include "core/stationlists/m3uwriter.h"

#include "core/stationlists/stationtext.h"

namespace M3uWriter
{

Written write(const QList<StationListEntry> &entries)
{
    Written written;
    written.bytes = "#EXTM3U\n";
    for (const StationListEntry &entry : entries) {
        const QString address = entry.address.trimmed();
        // A line break would end the address early, a leading "#" would make
        // it a comment: such an address cannot be written as it is.
        if (address.isEmpty() || address.startsWith(QLatin1Char('#')) || address.contains(QLatin1Char('\n'))
            || address.contains(QLatin1Char('\r'))) {
            ++written.leftOut;
            continue;
        }
        QString name = StationText::cleanName(entry.name);
        if (name.isEmpty())
            name = address;
        written.bytes += "#EXTINF:-1," + name.toUtf8() + '\n' + address.toUtf8() + '\n';
    }
    return written;
}

}
