#include "core/catalogue/cataloguescanner.h"

namespace CatalogueScanner
{

namespace
{

    // Walks the record lines after the header, handing each (position, line
    // without CR LF) to `visit` until it returns false or a stop rule applies.
    // Returns why the walk ended and at which position; nullopt when `visit` ended it.
    template <typename Visit> std::optional<std::pair<Stop, int>> walk(QStringView text, int endLength, Visit visit)
    {
        const QStringView lineBreak = u"\r\n";
        qsizetype start = 0;
        for (int position = 0;; ++position) {
            const qsizetype breakAt = text.indexOf(lineBreak, start);
            if (breakAt < 0)
                return std::pair { Stop::NoEndLine, position };
            const qsizetype next = breakAt + lineBreak.size();
            if (next > maxTextLength)
                return std::pair { Stop::TextLimit, position };
            const QStringView line = text.sliced(start, breakAt - start);
            start = next;
            if (position == 0)
                continue; // the header, whatever it looks like
            if (line.size() < endLength)
                return std::pair { Stop::EndLine, position };
            if (!visit(position, line))
                return std::nullopt;
        }
    }

} // namespace

Scan scan(QStringView text, CatalogueLayout layout)
{
    Scan result;
    const auto stop = walk(text, listEndLength, [&](int position, QStringView line) {
        if (auto entry = CatalogueEntry::parse(line, layout))
            result.records.append({ position, std::move(*entry) });
        else
            result.skipped.append(position);
        return true;
    });
    // The visitor never ends the walk, so a stop rule always did.
    result.stop = stop->first;
    result.stopPosition = stop->second;
    return result;
}

std::optional<CatalogueEntry> lookup(QStringView text, CatalogueLayout layout, int position)
{
    std::optional<CatalogueEntry> found;
    if (position < 1)
        return found;
    walk(text, lookupEndLength, [&](int at, QStringView line) {
        if (at != position)
            return true;
        found = CatalogueEntry::parse(line, layout);
        return false;
    });
    return found;
}

}
