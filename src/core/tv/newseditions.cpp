#include "core/tv/newseditions.h"

#include "core/tv/tabtable.h"

namespace
{

const QString noEdition = QStringLiteral("-");
// The address of the file behind the news page is one parameter of the page's own.
const QString fileEnding = QStringLiteral(".wmv%3FWMCache%3D0");

QString encodedStream(QString address)
{
    address.replace(QLatin1Char(':'), QStringLiteral("%3A"));
    address.replace(QLatin1Char('/'), QStringLiteral("%2F"));
    return address;
}

bool readBases(QStringView text, NewsEditions &editions, QString *error)
{
    const TabTable::Parsed table = TabTable::parse(text, 2, 2);
    if (!table.ok()) {
        *error = table.error;
        return false;
    }
    struct Base {
        const char *name;
        QString *value;
        const char *beginning;
        const char *ending;
    };
    const Base bases[] = {
        { "StreamBase", &editions.StreamBase, "mms://", "/horsgv/regions/" },
        { "NewsPageAddress", &editions.NewsPageAddress, "http", "/publicite/jt-asx.php" },
        { "EveningNewsBase", &editions.EveningNewsBase, "http", "/FluxJt/jt20d" },
    };
    for (const QStringList &row : table.rows) {
        for (const Base &base : bases) {
            if (row.at(0) == QLatin1String(base.name))
                *base.value = row.at(1);
        }
    }
    for (const Base &base : bases) {
        if (!base.value->startsWith(QLatin1String(base.beginning))
            || !base.value->endsWith(QLatin1String(base.ending))) {
            *error = QStringLiteral("%1 manque ou ne commence pas par « %2 » et ne finit pas par « %3 »")
                         .arg(QLatin1String(base.name), QLatin1String(base.beginning), QLatin1String(base.ending));
            return false;
        }
    }
    return true;
}

bool readRegions(QStringView text, NewsEditions &editions, QString *error)
{
    const TabTable::Parsed table = TabTable::parse(text, 3, 6);
    if (!table.ok()) {
        *error = table.error;
        return false;
    }
    for (const QStringList &row : table.rows) {
        NewsEditions::Region region;
        region.region = row.at(0);
        if (row.at(1) == noEdition && row.size() == 3) {
            region.message = row.at(2);
        } else if (row.at(1) != noEdition && row.size() == 6
            && (row.at(5) == QStringLiteral("page") || row.at(5) == QStringLiteral("direct"))) {
            region.chaine = row.at(1);
            region.directory = row.at(2);
            region.middayStem = row.at(3);
            region.eveningStem = row.at(4);
            region.eveningDirect = row.at(5) == QStringLiteral("direct");
        } else {
            *error = QStringLiteral("région « %1 » mal formée").arg(region.region);
            return false;
        }
        editions.regions.append(region);
    }
    return true;
}

} // namespace

std::optional<NewsEditions> NewsEditions::parse(QStringView addresses, QStringView regionTable, QString *error)
{
    NewsEditions editions;
    if (!readBases(addresses, editions, error) || !readRegions(regionTable, editions, error))
        return std::nullopt;
    return editions;
}

std::optional<NewsEditions> NewsEditions::builtIn(QString *error)
{
    return parse(TabTable::builtIn(QStringLiteral("newsaddresses.tsv")),
        TabTable::builtIn(QStringLiteral("regions.tsv")),
        error);
}

std::optional<QString> NewsEditions::nationalAddress(const QString &name, const EditionDate &date) const
{
    const QString &day = date.editionDay;
    const QString &month = date.editionMonth;
    const QString &year = date.editionYear;
    if (name == middayName)
        return StreamBase + QStringLiteral("siege/infos/f3/1214/HD_1214_") + year + month + day
            + QStringLiteral(".wmv?WMCache=0");
    if (name == eveningName) {
        const QString dated = day + month + year;
        return EveningNewsBase + dated + QStringLiteral("/jt20d") + dated + QStringLiteral(".asx");
    }
    return std::nullopt;
}

NewsEditions::Regional NewsEditions::regionalAddress(const QString &name, int position, const EditionDate &date) const
{
    if (!isNewsProgramme(name) || position < 0 || position >= regions.size())
        return {};
    const Region &row = regions.at(position);
    if (!row.message.isEmpty())
        return { std::nullopt, row.message };
    const bool evening = name == eveningName;
    const QString stream = StreamBase + row.directory + QLatin1Char('/') + (evening ? row.eveningStem : row.middayStem);
    // Always this layout, whatever the catalogue's codes.
    const QString dated = *date.dateText(u"JMA");
    if (evening && row.eveningDirect)
        return { stream + dated + fileEnding, {} };
    return { NewsPageAddress + QStringLiteral("?chaine=") + row.chaine + QStringLiteral("&url=") + encodedStream(stream)
            + dated + fileEnding,
        {} };
}
