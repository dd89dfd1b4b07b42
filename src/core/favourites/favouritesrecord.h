#pragma once

#include "core/favourites/favori.h"

#include <QString>
#include <QStringView>
#include <array>

// The text of "Favoris.log": 24 groups "type*address*name*", slots 0 to 23,
// on one line. The type is "Radio", "Tv" or a single space.
namespace FavouritesRecord
{

inline constexpr int slotCount = 24;
using Slots = std::array<Favori, slotCount>;

struct Reading {
    Slots slots;
    // Fields read, at most 72; fewer when a "*" was missing, where reading stopped.
    int fields = 0;
};

// Reads the file's lines joined without separator. A type field counts when it
// begins with "Radio" or "Tv" (case-sensitive); reading stops at the first
// field without its "*", keeping what was read, and ignores whatever follows
// the 72nd "*".
Reading ChargeFavoris(QStringView text);

// The 24 groups, without the line end.
QString saveText(const Slots &slots);

}
