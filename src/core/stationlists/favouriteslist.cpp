#include "core/stationlists/favouriteslist.h"

#include "core/stationlists/stationlistfile.h"

#include <QFileInfo>
#include <QLocale>

namespace FavouritesList
{

const QString nothingToExportMessage
    = QStringLiteral("Aucun favori n'a d'adresse à exporter : votre liste de favoris est vide.");

Stations of(const FavouritesRecord::Slots &slots)
{
    Stations stations;
    for (const Favori &slot : slots) {
        if (!slot.isInUse())
            continue;
        if (slot.url.trimmed().isEmpty())
            ++stations.withoutAddress;
        else
            stations.entries.append({ slot.nom, slot.url });
    }
    return stations;
}

Exported exportTo(const QString &path, const FavouritesRecord::Slots &slots)
{
    Exported exported;
    const Stations stations = of(slots);
    if (stations.entries.isEmpty()) {
        exported.message = nothingToExportMessage;
        return exported;
    }
    const QString name = QFileInfo(path).fileName();
    const StationListFile::Saved saved = StationListFile::writeM3u(path, stations.entries);
    if (!saved.ok) {
        exported.message
            = QStringLiteral("Les favoris n'ont pas pu être exportés dans « %1 » : %2.").arg(name, saved.error);
        return exported;
    }
    exported.ok = true;
    const int written = int(stations.entries.size()) - saved.leftOut;
    const QString count = QLocale(QLocale::French).toString(written);
    exported.message = written == 1 ? QStringLiteral("1 favori a été exporté dans « %1 ».").arg(name)
                                    : QStringLiteral("%1 favoris ont été exportés dans « %2 ».").arg(count, name);
    const int notWritten = stations.withoutAddress + saved.leftOut;
    if (notWritten == 1)
        exported.message += QStringLiteral(" Un favori sans adresse utilisable n'y figure pas.");
    else if (notWritten > 1)
        exported.message += QStringLiteral(" %1 favoris sans adresse utilisable n'y figurent pas.").arg(notWritten);
    return exported;
}

}
