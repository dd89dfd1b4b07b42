#include "core/catalogue/cataloguepage.h"

CataloguePage::CataloguePage(Geometry geometry, Source source)
    : m_geometry(geometry)
    , m_source(std::move(source))
    , m_slots(geometry.slotCount)
{
    Q_ASSERT(geometry.rowWidth > 0 && geometry.slotCount % geometry.rowWidth == 0);
}

void CataloguePage::Initialise()
{
    for (int i = 0; i < slotCount(); ++i)
        emptySlot(i);
}

void CataloguePage::FillFirstPage()
{
    forEachAdmitted([this](const CatalogueScanner::ListedRecord &record, int listNumber) {
        m_id2Max = listNumber;
        return place(0, slotCount() - 1, record.position, listNumber, record.entry);
    });
    finalPass();
}

void CataloguePage::FillRowBelow()
{
    // The last entry shown is the one just before the first empty slot.
    qsizetype firstEmpty = 0;
    while (firstEmpty < slotCount() && !m_slots.at(firstEmpty).isEmpty())
        ++firstEmpty;
    const int last = firstEmpty > 0 ? m_slots.at(firstEmpty - 1).tag.listNumber() : 0;
    m_id2Max = last;
    forEachAdmitted([this, last](const CatalogueScanner::ListedRecord &record, int listNumber) {
        m_id2Max = listNumber;
        if (listNumber <= last)
            return true;
        return place(0, slotCount() - 1, record.position, listNumber, record.entry);
    });
    finalPass();
}

void CataloguePage::FillRowAbove()
{
    // The entry that was at the top before the step now opens the second row.
    const int first = m_slots.at(rowWidth()).tag.listNumber();
    const bool fromField1 = m_source.rowAboveRecordNumber == RowAboveRecordNumber::Field1;
    forEachAdmitted([this, first, fromField1](const CatalogueScanner::ListedRecord &record, int listNumber) {
        if (listNumber < first - rowWidth())
            return true;
        if (listNumber >= first)
            return false;
        const int recordNumber = fromField1 ? record.entry.recordNumber : record.position;
        return place(0, rowWidth() - 1, recordNumber, listNumber, record.entry);
    });
    finalPass();
}

CataloguePage::Step CataloguePage::stepDown()
{
    if (m_slots.first().isEmpty())
        return Step::EmptyPage;
    const CatalogueSlot &last = m_slots.last();
    if (last.isEmpty() || last.tag.listNumber() == m_id2Max)
        return Step::AtEdge;
    for (int i = 0; i < slotCount() - rowWidth(); ++i)
        moveSlot(i + rowWidth(), i);
    finalPass();
    FillRowBelow();
    return Step::Moved;
}

CataloguePage::Step CataloguePage::stepUp()
{
    const CatalogueSlot &first = m_slots.first();
    if (first.isEmpty())
        return Step::EmptyPage;
    if (first.tag.listNumber() == 1)
        return Step::AtEdge;
    // The bottom row's entries are dropped.
    for (int i = slotCount() - 1; i >= rowWidth(); --i)
        moveSlot(i - rowWidth(), i);
    finalPass();
    FillRowAbove();
    return Step::Moved;
}

std::optional<CatalogueEntry> CataloguePage::lookup(const EntryRef &ref) const
{
    if (ref.isEmpty())
        return std::nullopt;
    const QString text = m_source.text();
    return CatalogueScanner::lookup(text, m_source.layout, ref.recordNumber());
}

void CataloguePage::forEachAdmitted(const std::function<bool(const CatalogueScanner::ListedRecord &, int)> &visit) const
{
    const QString text = m_source.text();
    const CatalogueScanner::Scan scan = CatalogueScanner::scan(text, m_source.layout);
    int listNumber = 0;
    for (const auto &record : scan.records) {
        if (!m_source.admits(record.entry))
            continue;
        if (!visit(record, ++listNumber))
            return;
    }
}

bool CataloguePage::place(int firstSlot, int lastSlot, int recordNumber, int listNumber, const CatalogueEntry &entry)
{
    for (int i = firstSlot; i <= lastSlot; ++i) {
        CatalogueSlot &slot = m_slots[i];
        if (!slot.isEmpty())
            continue;
        slot.tag = EntryRef(recordNumber, listNumber);
        const QString path = m_source.picturePath(entry.picture);
        slot.picture = m_source.canLoadPicture(path) ? path : QString();
        slot.visible = true;
        return true;
    }
    return false;
}

void CataloguePage::moveSlot(int from, int to)
{
    m_slots[to].tag = m_slots.at(from).tag;
    m_slots[to].picture = m_slots.at(from).picture;
    m_slots[to].visible = true;
    emptySlot(from);
}

void CataloguePage::emptySlot(int index)
{
    m_slots[index].tag = EntryRef();
    m_slots[index].picture.clear();
}

void CataloguePage::finalPass()
{
    for (CatalogueSlot &slot : m_slots) {
        if (!slot.hasPicture())
            slot.visible = false;
    }
}
