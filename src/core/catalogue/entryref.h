#pragma once

#include <QString>
#include <QStringView>

// The reference a browser slot carries: 4-digit record number followed by
// 4-digit list number ("00050012": record 5 shown as the 12th entry). The empty
// reference marks an empty slot.
class EntryRef
{
public:
    EntryRef() = default;
    // Both numbers 0 to 9 999, the range the catalogue limits allow.
    EntryRef(int recordNumber, int listNumber);

    // The reference written in `text`; empty for the empty text or for
    // anything that is not eight digits.
    static EntryRef fromText(QStringView text);
    QString toText() const;

    bool isEmpty() const { return m_empty; }
    int recordNumber() const { return m_recordNumber; }
    int listNumber() const { return m_listNumber; }

    bool operator==(const EntryRef &) const = default;

private:
    bool m_empty = true;
    int m_recordNumber = 0;
    int m_listNumber = 0;
};
