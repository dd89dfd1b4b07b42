#include "core/stationlists/m3ureader.h"

#include "core/stationlists/stationtext.h"

namespace
{

// The title of an "#EXTINF:" line: what follows the first comma outside the
// quoted attribute values.
QStringView extinfTitle(QStringView info)
{
    bool quoted = false;
    for (qsizetype i = 0; i < info.size(); ++i) {
        if (info.at(i) == u'"')
            quoted = !quoted;
        else if (info.at(i) == u',' && !quoted)
            return info.mid(i + 1);
    }
    return {};
}

} // namespace

namespace M3uReader
{

StationListRead read(QStringView text, int maximumEntries)
{
    StationListRead read;
    QString title;
    int number = 0;
    // A final line break ends the last line; it does not begin another.
    if (text.endsWith(u'\n'))
        text.chop(1);
    for (QStringView line : text.tokenize(u'\n')) {
        ++number;
        read.line = number;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (number == 1 && line.startsWith(QChar(0xFEFF)))
            line = line.mid(1);
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(u'#')) {
            if (line.startsWith(u"#EXTINF:", Qt::CaseInsensitive))
                title = StationText::cleanName(extinfTitle(line.mid(8)));
            continue;
        }
        const QString address = StationText::streamAddress(line);
        if (address.isEmpty()) {
            ++read.ignored;
        } else {
            if (read.entries.size() == maximumEntries) {
                read.stop = StationListRead::Stop::TooManyEntries;
                return read;
            }
            read.entries.append({ title.isEmpty() ? StationText::cleanName(address) : title, address });
        }
        title.clear();
    }
    return read;
}

}
