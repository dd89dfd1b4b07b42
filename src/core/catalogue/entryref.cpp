#include "core/catalogue/entryref.h"

#include <optional>

namespace
{

constexpr int digits = 4;

QString padded(int number)
{
    return QStringLiteral("%1").arg(number, digits, 10, QLatin1Char('0'));
}

std::optional<int> number(QStringView text)
{
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    return text.toInt();
}

} // namespace

EntryRef::EntryRef(int recordNumber, int listNumber)
    : m_empty(false)
    , m_recordNumber(recordNumber)
    , m_listNumber(listNumber)
{
    Q_ASSERT(recordNumber >= 0 && recordNumber <= 9999);
    Q_ASSERT(listNumber >= 0 && listNumber <= 9999);
}

EntryRef EntryRef::fromText(QStringView text)
{
    if (text.size() != 2 * digits)
        return {};
    const auto record = number(text.first(digits));
    const auto list = number(text.last(digits));
    if (!record || !list)
        return {};
    return EntryRef(*record, *list);
}

QString EntryRef::toText() const
{
    return m_empty ? QString() : padded(m_recordNumber) + padded(m_listNumber);
}
