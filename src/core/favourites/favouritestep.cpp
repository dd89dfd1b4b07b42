#include "core/favourites/favouritestep.h"

std::optional<int> FavouriteStep::neighbour(
    const FavouritesRecord::Slots &slots, const QString &playingAddress, int step)
{
    const int count = int(slots.size());
    int current = -1;
    for (int index = 0; index < count && !playingAddress.isEmpty(); ++index) {
        if (slots.at(index).isInUse() && slots.at(index).url == playingAddress) {
            current = index;
            break;
        }
    }
    // Not a favourite: as if it stood just before the first slot, or after the last.
    int index = current >= 0 ? current : (step > 0 ? -1 : count);
    for (int tried = 0; tried < count; ++tried) {
        index = ((index + step) % count + count) % count;
        if (slots.at(index).isInUse())
            return index;
    }
    return std::nullopt;
}
