#pragma once

#include "core/favourites/favouritesrecord.h"

#include <QString>
#include <optional>

namespace FavouriteStep
{

// The slot in use `step` places (+1 or -1) from the one whose address plays,
// going round past either end; from the first slot in use (or the last, going
// back) when what plays is no favourite. Nothing when no slot is in use.
std::optional<int> neighbour(const FavouritesRecord::Slots &slots, const QString &playingAddress, int step);

}
