#include "core/directory/directoryquery.h"

#include <QUrl>

QString DirectoryQuery::path() const
{
    QByteArray query;
    const auto add = [&query](const char *key, const QString &value) {
        if (value.isEmpty())
            return;
        if (!query.isEmpty())
            query += '&';
        // Everything but the unreserved characters is encoded: a "+" left as
        // it is would reach the server as a space.
        query += key + QByteArray("=") + QUrl::toPercentEncoding(value);
    };
    add("name", name.trimmed());
    add("countrycode", countryCode.trimmed());
    add("language", language.trimmed());
    add("tag", tag.trimmed());
    add("hidebroken", QStringLiteral("true"));
    add("order", QStringLiteral("clickcount"));
    add("reverse", QStringLiteral("true"));
    add("limit", QString::number(limit));
    add("offset", QString::number(offset));
    return QStringLiteral("/json/stations/search?") + QString::fromLatin1(query);
}

bool DirectoryQuery::sameSearch(const DirectoryQuery &other) const
{
    return name == other.name && countryCode == other.countryCode && language == other.language && tag == other.tag;
}
