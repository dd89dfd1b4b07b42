#pragma once

#include "core/catalogue/entryref.h"

#include <QString>

// One picture slot of a browser page. A slot is empty when its tag is; it can
// hold a tag without a picture (the picture could not be loaded), and then it
// is hidden by the next fill while its entry still counts.
struct CatalogueSlot {
    EntryRef tag;
    QString picture; // the file that was loaded; empty: no picture
    bool visible = false;

    bool isEmpty() const { return tag.isEmpty(); }
    bool hasPicture() const { return !picture.isEmpty(); }
    bool operator==(const CatalogueSlot &) const = default;
};
