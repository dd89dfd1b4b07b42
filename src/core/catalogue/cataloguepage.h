#pragma once

#include "core/catalogue/catalogueentry.h"
#include "core/catalogue/cataloguescanner.h"
#include "core/catalogue/catalogueslot.h"

#include <QList>
#include <functional>
#include <optional>

// Whether the picture file at `path` can be loaded. The page model only needs
// the answer; the window loads the picture itself to show it.
using PictureCheck = std::function<bool(const QString &path)>;

// A browser page over a catalogue text: rows of slots filled from the records
// that pass a filter, moved one row at a time. There is no list in memory:
// every fill scans the text from its first record and numbers the admitted
// records; where the page stands is known only from the slots' tags. The radio
// browser (24 slots in rows of 6) and the TV browser (12 in rows of 4) differ
// only in the geometry, the filter and their info panels.
class CataloguePage
{
public:
    struct Geometry {
        int slotCount = 0;
        int rowWidth = 0;
    };

    // Where FillRowAbove takes the record number of the references it writes.
    // The radio browser reads field 1; every other fill counts positions.
    enum class RowAboveRecordNumber { Position, Field1 };

    struct Source {
        CatalogueLayout layout = CatalogueLayout::Radio;
        std::function<QString()> text;
        std::function<bool(const CatalogueEntry &)> admits;
        std::function<QString(const QString &pictureField)> picturePath;
        PictureCheck canLoadPicture;
        RowAboveRecordNumber rowAboveRecordNumber = RowAboveRecordNumber::Position;
    };

    enum class Step {
        Moved, // one row, and the page refilled
        AtEdge, // nothing further in that direction: nothing changed
        EmptyPage, // no entry shown at all: nothing changed
    };

    CataloguePage(Geometry geometry, Source source);

    int slotCount() const { return m_geometry.slotCount; }
    int rowWidth() const { return m_geometry.rowWidth; }
    const CatalogueSlot &slot(int index) const { return m_slots.at(index); }

    // Empties every slot (empty tag, no picture); visibility is left as it is.
    void Initialise();

    // The fills place entries into empty slots only, then hide every slot
    // without a picture.
    void FillFirstPage();
    void FillRowBelow();
    void FillRowAbove();

    // One row towards the end or the start of the list, refilling the row that
    // comes into view.
    Step stepDown();
    Step stepUp();

    // The record a tag refers to (a lookup by its record number); nothing when
    // the lookup finds none.
    std::optional<CatalogueEntry> lookup(const EntryRef &ref) const;

private:
    // Calls `visit(record, listNumber)` for each admitted record in file order
    // until it returns false.
    void forEachAdmitted(const std::function<bool(const CatalogueScanner::ListedRecord &, int)> &visit) const;
    bool place(int firstSlot, int lastSlot, int recordNumber, int listNumber, const CatalogueEntry &entry);
    void moveSlot(int from, int to);
    void emptySlot(int index);
    void finalPass();

    Geometry m_geometry;
    Source m_source;
    QList<CatalogueSlot> m_slots;
    // `ID2Max`: the list number reached by the last FillFirstPage or
    // FillRowBelow, the first admitted entry that found no free slot, or the
    // last admitted one. Down stops there.
    int m_id2Max = 0;
};
