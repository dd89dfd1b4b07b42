#include "core/catalogue/catalogueentry.h"

#include <QList>
#include <array>
#include <limits>

namespace
{

constexpr int fieldCount = 8;

// Fields are cut in order, each search for "*" starting just after the previous
// one; whatever follows the eighth "*" is ignored.
std::optional<std::array<QStringView, fieldCount>> cutFields(QStringView line)
{
    std::array<QStringView, fieldCount> fields;
    qsizetype start = 0;
    for (int n = 0; n < fieldCount; ++n) {
        const qsizetype star = line.indexOf(QLatin1Char('*'), start);
        if (star < 0)
            return std::nullopt;
        fields[n] = line.sliced(start, star - start);
        start = star + 1;
    }
    return fields;
}

bool isText(QStringView line)
{
    for (const QChar c : line) {
        const char16_t u = c.unicode();
        if (u == u'\t')
            continue;
        // The codec turns the bytes Windows-1252 leaves undefined into C1 controls.
        if (u < 0x20 || (u >= 0x7f && u <= 0x9f) || u == QChar::ReplacementCharacter)
            return false;
    }
    return true;
}

bool allDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

std::optional<int> recordNumberField(QStringView text)
{
    if (text.size() > 4 || !allDigits(text))
        return std::nullopt;
    return text.toInt();
}

// A whole number as the catalogues write it: an optional sign and digits, no
// spaces, within the range of a signed 16-bit number.
std::optional<int> wholeNumber16(QStringView text)
{
    QStringView digits = text;
    if (!digits.isEmpty() && (digits.front() == QLatin1Char('-') || digits.front() == QLatin1Char('+')))
        digits = digits.sliced(1);
    if (!allDigits(digits) || digits.size() > 10)
        return std::nullopt;
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok || value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return int(value);
}

} // namespace

QString CatalogueEntry::languageDisplayText(const QString &language)
{
    if (language.isEmpty())
        return QStringLiteral("Français");
    if (language == QStringLiteral("français-belge"))
        return QStringLiteral("Français (Belge)");
    return language;
}

QString CatalogueEntry::informationDisplayText(const QString &information)
{
    return information.isEmpty() ? QStringLiteral("Non disponible") : information;
}

std::optional<CatalogueEntry> CatalogueEntry::parse(QStringView line, CatalogueLayout layout)
{
    if (!isText(line))
        return std::nullopt;
    const auto fields = cutFields(line);
    if (!fields)
        return std::nullopt;
    const auto &f = *fields;
    const auto recordNumber = recordNumberField(f[0]);
    if (!recordNumber)
        return std::nullopt;

    CatalogueEntry entry;
    entry.recordNumber = *recordNumber;
    entry.category = f[1].toString();
    if (layout == CatalogueLayout::Radio) {
        const auto numeric = wholeNumber16(f[2]);
        if (!numeric)
            return std::nullopt;
        entry.numericField = *numeric;
        entry.name = f[3].toString();
        entry.address = f[4].toString();
        entry.picture = f[5].toString();
        entry.information = f[6].toString();
        entry.language = f[7].toString();
    } else {
        entry.name = f[2].toString();
        entry.address = f[3].toString();
        entry.picture = f[4].toString();
        entry.language = f[5].toString();
        entry.information = f[6].toString();
        entry.datedFlag = f[7].toString();
    }
    return entry;
}
