#pragma once

#include "core/catalogue/cataloguepage.h"

#include <QString>
#include <QStringList>

// Which list number each slot of a page shows, "-" for a hidden slot:
// "1 2 3 - -".
inline QString shownSlots(const CataloguePage &page)
{
    QStringList cells;
    for (int i = 0; i < page.slotCount(); ++i) {
        const CatalogueSlot &slot = page.slot(i);
        cells.append(slot.visible ? QString::number(slot.tag.listNumber()) : QStringLiteral("-"));
    }
    return cells.join(QLatin1Char(' '));
}

// The same for a page of `slotCount` slots showing `count` entries from `first` on.
inline QString expectedSlots(int slotCount, int first, int count)
{
    QStringList cells;
    for (int i = 0; i < slotCount; ++i)
        cells.append(i < count ? QString::number(first + i) : QStringLiteral("-"));
    return cells.join(QLatin1Char(' '));
}
