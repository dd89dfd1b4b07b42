#include "directorystandin.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>
#include <algorithm>

namespace
{

const QString fixtureHost = QStringLiteral("http://standin.invalid");

bool contains(const QJsonObject &station, const char *field, const QString &wanted)
{
    return wanted.isEmpty() || station.value(QLatin1String(field)).toString().contains(wanted, Qt::CaseInsensitive);
}

} // namespace

DirectoryStandIn::DirectoryStandIn(QObject *parent)
    : QObject(parent)
{
    m_server.addHandler(QStringLiteral("/json/stations/search"), [this](const QUrl &target) {
        return search(target);
    });
    m_server.addHandler(QStringLiteral("/json/url/"), [this](const QUrl &target) {
        return click(target);
    });
}

bool DirectoryStandIn::start(const QString &fixtureFolder, quint16 port, QString *error)
{
    QFile file(fixtureFolder + QStringLiteral("/stations.json"));
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.fileName() + QStringLiteral(": ") + file.errorString();
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!document.isArray()) {
        if (error)
            *error = file.fileName() + QStringLiteral(": ") + parseError.errorString();
        return false;
    }
    m_stations = document.array();
    m_server.addFolder(QStringLiteral("/favicons/"), fixtureFolder + QStringLiteral("/favicons"));
    if (!m_server.listen(port)) {
        if (error)
            *error = QStringLiteral("no port %1 on 127.0.0.1").arg(port);
        return false;
    }
    return true;
}

void DirectoryStandIn::addMadeUpStations(
    int count, const QString &prefix, const QString &countryCode, const QString &language)
{
    for (int i = 1; i <= count; ++i) {
        QJsonObject station;
        station.insert(QStringLiteral("stationuuid"), QUuid::createUuid().toString(QUuid::WithoutBraces));
        station.insert(QStringLiteral("name"), QStringLiteral("%1 %2").arg(prefix).arg(i, 5, 10, QLatin1Char('0')));
        station.insert(QStringLiteral("url"), fixtureHost + QStringLiteral("/made-up-%1.mp3").arg(i));
        station.insert(QStringLiteral("url_resolved"), fixtureHost + QStringLiteral("/made-up-%1.mp3").arg(i));
        station.insert(QStringLiteral("favicon"), fixtureHost + QStringLiteral("/favicons/made-up-%1.png").arg(i % 97));
        station.insert(QStringLiteral("tags"), QStringLiteral("pop,rock,made up"));
        station.insert(QStringLiteral("country"), countryCode);
        station.insert(QStringLiteral("countrycode"), countryCode);
        station.insert(QStringLiteral("language"), language);
        station.insert(QStringLiteral("codec"), QStringLiteral("MP3"));
        station.insert(QStringLiteral("bitrate"), 128);
        station.insert(QStringLiteral("lastcheckok"), 1);
        station.insert(QStringLiteral("clickcount"), count - i);
        m_stations.append(station);
    }
}

QString DirectoryStandIn::uuidOf(const QString &name) const
{
    for (const QJsonValue &station : m_stations) {
        if (station.toObject().value(QStringLiteral("name")).toString() == name)
            return station.toObject().value(QStringLiteral("stationuuid")).toString();
    }
    return {};
}

QJsonObject DirectoryStandIn::served(QJsonObject station) const
{
    const QString favicon = station.value(QStringLiteral("favicon")).toString();
    if (favicon.startsWith(fixtureHost))
        station.insert(QStringLiteral("favicon"), url() + favicon.mid(fixtureHost.size()));
    if (!m_stream.isEmpty()) {
        station.insert(QStringLiteral("url"), m_stream);
        station.insert(QStringLiteral("url_resolved"), m_stream);
    }
    return station;
}

TestHttpServer::Answer DirectoryStandIn::search(const QUrl &target)
{
    const QUrlQuery query(target);
    m_lastSearch = query;
    Q_EMIT searched(query);
    const auto value = [&query](const char *key) {
        return query.queryItemValue(QLatin1String(key), QUrl::FullyDecoded);
    };
    const QString name = value("name");
    const QString countryCode = value("countrycode");
    const QString language = value("language");
    const QString tag = value("tag");
    const bool hideBroken = value("hidebroken") == u"true";
    QList<QJsonObject> found;
    for (const QJsonValue &entry : m_stations) {
        const QJsonObject station = entry.toObject();
        if (hideBroken && station.value(QStringLiteral("lastcheckok")).toInt() != 1)
            continue;
        if (!countryCode.isEmpty()
            && station.value(QStringLiteral("countrycode")).toString().compare(countryCode, Qt::CaseInsensitive) != 0)
            continue;
        if (contains(station, "name", name) && contains(station, "language", language)
            && contains(station, "tags", tag))
            found.append(station);
    }
    if (value("order") == u"clickcount") {
        const bool reverse = value("reverse") == u"true";
        std::stable_sort(found.begin(), found.end(), [reverse](const QJsonObject &a, const QJsonObject &b) {
            const qint64 left = a.value(QStringLiteral("clickcount")).toInteger();
            const qint64 right = b.value(QStringLiteral("clickcount")).toInteger();
            return reverse ? left > right : left < right;
        });
    }
    const int offset = qMax(0, value("offset").toInt());
    const int limit = value("limit").isEmpty() ? 100000 : qMax(0, value("limit").toInt());
    QJsonArray page;
    for (qsizetype i = offset; i < found.size() && page.size() < limit; ++i)
        page.append(served(found.at(i)));
    return { 200, QJsonDocument(page).toJson(QJsonDocument::Compact), "application/json", m_delayMs };
}

TestHttpServer::Answer DirectoryStandIn::click(const QUrl &target)
{
    const QString uuid = target.path().section(QLatin1Char('/'), 3);
    for (const QJsonValue &entry : m_stations) {
        const QJsonObject station = entry.toObject();
        if (station.value(QStringLiteral("stationuuid")).toString() != uuid)
            continue;
        ++m_clicks[uuid];
        Q_EMIT clicked(uuid);
        QJsonObject answer;
        answer.insert(QStringLiteral("ok"), true);
        answer.insert(QStringLiteral("message"), QStringLiteral("retrieved station url"));
        answer.insert(QStringLiteral("stationuuid"), uuid);
        answer.insert(QStringLiteral("name"), station.value(QStringLiteral("name")));
        answer.insert(QStringLiteral("url"), served(station).value(QStringLiteral("url")));
        return { 200, QJsonDocument(answer).toJson(QJsonDocument::Compact), "application/json", 0 };
    }
    return { 200, R"({"ok":false,"message":"did not find station with matching uuid"})", "application/json", 0 };
}
