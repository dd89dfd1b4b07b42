#include "core/stationlists/plsreader.h"

#include "core/stationlists/stationtext.h"

#include <QMap>

namespace
{

struct Numbered {
    QString file;
    QString title;
    bool hasFile = false;
};

// "File12" → 12 when `key` is `prefix` followed by a number.
std::optional<quint32> keyNumber(QStringView key, QStringView prefix)
{
    if (key.size() <= prefix.size() || !key.startsWith(prefix, Qt::CaseInsensitive))
        return std::nullopt;
    const QStringView digits = key.mid(prefix.size());
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    bool ok = false;
    const quint32 number = digits.toUInt(&ok);
    return ok ? std::optional(number) : std::nullopt;
}

} // namespace

namespace PlsReader
{

StationListRead read(QStringView text, int maximumEntries)
{
    StationListRead read;
    QMap<quint32, Numbered> numbered;
    int number = 0;
    // A final line break ends the last line; it does not begin another.
    if (text.endsWith(u'\n'))
        text.chop(1);
    for (QStringView line : text.tokenize(u'\n')) {
        ++number;
        if (line.endsWith(u'\r'))
            line.chop(1);
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        const QStringView key = line.left(equals).trimmed();
        const QStringView value = line.mid(equals + 1).trimmed();
        const std::optional<quint32> file = keyNumber(key, u"File");
        const std::optional<quint32> title = file ? std::nullopt : keyNumber(key, u"Title");
        if (!file && !title)
            continue;
        const quint32 index = file ? *file : *title;
        if (!numbered.contains(index) && numbered.size() == maximumEntries) {
            read.stop = StationListRead::Stop::TooManyEntries;
            read.line = number;
            break;
        }
        Numbered &entry = numbered[index];
        if (file) {
            entry.file = value.toString();
            entry.hasFile = true;
        } else {
            entry.title = StationText::cleanName(value);
        }
    }
    if (read.stop == StationListRead::Stop::End)
        read.line = number;
    for (const Numbered &entry : std::as_const(numbered)) {
        if (!entry.hasFile)
            continue;
        const QString address = StationText::streamAddress(entry.file);
        if (address.isEmpty()) {
            ++read.ignored;
            continue;
        }
        read.entries.append({ entry.title.isEmpty() ? StationText::cleanName(address) : entry.title, address });
    }
    return read;
}

}
