#pragma once

class FavouritesStore;
class QWidget;

// "Exporter les favoris…": asks where, writes the favourites there as an M3U
// list in one step, and says how it went.
void exportFavourites(QWidget *parent, const FavouritesStore &favourites);
