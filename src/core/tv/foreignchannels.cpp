#include "core/tv/foreignchannels.h"

#include "core/tv/tabtable.h"

std::optional<ForeignChannels> ForeignChannels::parse(QStringView text, const QString &siteUrl, QString *error)
{
    const TabTable::Parsed table = TabTable::parse(text, 3, 3);
    if (!table.ok()) {
        *error = table.error;
        return std::nullopt;
    }
    const QString site = QStringLiteral("@SITE@");
    ForeignChannels result;
    for (const QStringList &row : table.rows) {
        QString address = row.at(2);
        if (address.startsWith(site))
            address.replace(0, site.size(), siteUrl);
        result.channels.append({ row.at(0), row.at(1), address });
    }
    return result;
}

std::optional<ForeignChannels> ForeignChannels::builtIn(QString *error)
{
    return parse(TabTable::builtIn(QStringLiteral("foreignchannels.tsv")), QStringLiteral(ONDAVOX_SITE_URL), error);
}
