#include "ui/directory/favouritesexport.h"

#include "core/favourites/favouritesstore.h"
#include "core/stationlists/favouriteslist.h"
#include "ui/skin/programmessage.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

void exportFavourites(QWidget *parent, const FavouritesStore &favourites)
{
    if (FavouritesList::of(favourites.slots()).entries.isEmpty()) {
        programMessage(parent, FavouritesList::nothingToExportMessage);
        return;
    }
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    QString path = QFileDialog::getSaveFileName(parent,
        QStringLiteral("Exporter les favoris"),
        folder + QStringLiteral("/Favoris Ondavox.m3u"),
        QStringLiteral("Listes M3U (*.m3u *.m3u8)"));
    if (path.isEmpty())
        return;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != u"m3u" && suffix != u"m3u8")
        path += QStringLiteral(".m3u");
    programMessage(parent, FavouritesList::exportTo(path, favourites.slots()).message);
}
