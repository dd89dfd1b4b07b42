#include "core/directory/stationrecords.h"

#include "core/stationlists/stationtext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

namespace
{

constexpr int maximumFieldLength = 500;

QString text(const QJsonObject &record, QLatin1StringView key)
{
    return StationText::cleanName(record.value(key).toString().left(maximumFieldLength));
}

// Numbers come as numbers, but a record edited by hand may hold "128".
qint64 number(const QJsonObject &record, QLatin1StringView key)
{
    const QJsonValue value = record.value(key);
    if (value.isDouble())
        return qMax<qint64>(0, value.toInteger());
    bool ok = false;
    const qint64 parsed = value.toString().toLongLong(&ok);
    return ok ? qMax<qint64>(0, parsed) : 0;
}

QString webAddress(const QString &address)
{
    const QString stream = StationText::streamAddress(address);
    const QString scheme = QUrl(stream).scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ? stream : QString();
}

} // namespace

namespace StationRecords
{

Parsed parse(const QByteArray &json)
{
    Parsed parsed;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        parsed.error = error.errorString();
        return parsed;
    }
    if (!document.isArray()) {
        parsed.error = QStringLiteral("not a list of stations");
        return parsed;
    }
    const QJsonArray records = document.array();
    parsed.stations.reserve(records.size());
    for (const QJsonValue &value : records) {
        const QJsonObject record = value.toObject();
        DirectoryStation station;
        station.uuid = text(record, QLatin1StringView("stationuuid"));
        station.address = StationText::streamAddress(record.value(QLatin1StringView("url_resolved")).toString());
        if (station.address.isEmpty())
            station.address = StationText::streamAddress(record.value(QLatin1StringView("url")).toString());
        if (station.uuid.isEmpty() || station.address.isEmpty()) {
            ++parsed.leftOut;
            continue;
        }
        station.name = text(record, QLatin1StringView("name"));
        if (station.name.isEmpty())
            station.name = StationText::cleanName(station.address);
        station.favicon = webAddress(record.value(QLatin1StringView("favicon")).toString());
        station.country = text(record, QLatin1StringView("country"));
        station.countryCode = text(record, QLatin1StringView("countrycode"));
        station.language = text(record, QLatin1StringView("language"));
        station.tags = text(record, QLatin1StringView("tags"));
        station.codec = text(record, QLatin1StringView("codec"));
        station.bitrate = int(qMin<qint64>(number(record, QLatin1StringView("bitrate")), 100000));
        station.clickCount = number(record, QLatin1StringView("clickcount"));
        parsed.stations.append(station);
    }
    return parsed;
}

}
