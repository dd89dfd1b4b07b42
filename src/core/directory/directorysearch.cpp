#include "core/directory/directorysearch.h"

#include "core/directory/directoryclient.h"

#include <QLocale>

namespace
{

QString count(qsizetype value, const QString &one, const QString &many)
{
    return (value == 1 ? one : many).arg(QLocale(QLocale::French).toString(value));
}

} // namespace

DirectorySearch::Criteria DirectorySearch::Criteria::trimmed() const
{
    return { name.trimmed(), countryCode.trimmed(), language.trimmed(), tag.trimmed() };
}

bool DirectorySearch::Criteria::isEmpty() const
{
    return name.isEmpty() && countryCode.isEmpty() && language.isEmpty() && tag.isEmpty();
}

DirectorySearch::DirectorySearch(DirectoryClient &client, QObject *parent)
    : QObject(parent)
    , m_client(client)
{
    m_pause.setSingleShot(true);
    m_pause.setInterval(typingPause);
    connect(&m_pause, &QTimer::timeout, this, &DirectorySearch::searchNow);
    connect(&m_client, &DirectoryClient::found, this, &DirectorySearch::onFound);
    connect(&m_client, &DirectoryClient::failed, this, &DirectorySearch::onFailed);
}

void DirectorySearch::setCriteria(const Criteria &criteria)
{
    m_criteria = criteria.trimmed();
    if (m_shown && *m_shown == m_criteria) {
        m_pause.stop();
        return;
    }
    m_pause.start();
}

void DirectorySearch::searchNow()
{
    m_pause.stop();
    m_shown = m_criteria;
    if (m_criteria.isEmpty()) {
        DirectoryQuery france;
        france.countryCode = QStringLiteral("FR");
        DirectoryQuery french;
        french.language = QStringLiteral("french");
        begin({ france, french });
        return;
    }
    DirectoryQuery query;
    query.name = m_criteria.name;
    query.countryCode = m_criteria.countryCode;
    query.language = m_criteria.language;
    query.tag = m_criteria.tag;
    begin({ query });
}

void DirectorySearch::stop()
{
    m_pause.stop();
    m_client.cancel();
    m_busy = false;
}

void DirectorySearch::begin(const QList<DirectoryQuery> &sources)
{
    m_client.cancel();
    m_sources = sources;
    m_source = 0;
    m_offset = 0;
    m_failed = false;
    m_leftOut = 0;
    m_stations.clear();
    m_seen.clear();
    Q_EMIT cleared();
    setStatus(QStringLiteral("Recherche dans l'annuaire…"));
    request();
}

void DirectorySearch::request()
{
    DirectoryQuery query = m_sources.at(m_source);
    query.offset = m_offset;
    m_busy = true;
    m_client.search(query);
}

bool DirectorySearch::canFetchMore() const
{
    return !m_busy && !m_failed && m_source < m_sources.size() && m_stations.size() < maximumStations;
}

void DirectorySearch::fetchMore()
{
    if (canFetchMore())
        request();
}

void DirectorySearch::onFound(const DirectoryQuery &query, const QList<DirectoryStation> &stations, int leftOut)
{
    if (!m_busy || m_source >= m_sources.size() || !query.sameSearch(m_sources.at(m_source))
        || query.offset != m_offset)
        return;
    m_busy = false;
    m_leftOut += leftOut;
    const qsizetype first = m_stations.size();
    for (const DirectoryStation &station : stations) {
        if (m_stations.size() == maximumStations)
            break;
        // The French-speaking stations of France came with France's.
        if (m_seen.contains(station.uuid))
            continue;
        m_seen.insert(station.uuid);
        m_stations.append(station);
    }
    if (m_stations.size() > first)
        Q_EMIT appended(int(first), int(m_stations.size() - first));

    // A short page is the search's last: the next search of the list follows at once.
    const int received = int(stations.size()) + leftOut;
    if (received < query.limit) {
        ++m_source;
        m_offset = 0;
        if (m_source < m_sources.size() && m_stations.size() < maximumStations) {
            request();
            return;
        }
    } else {
        m_offset += received;
    }
    setStatus(resultStatus());
}

void DirectorySearch::onFailed(const DirectoryQuery &query, const QString &message)
{
    if (!m_busy || m_source >= m_sources.size() || !query.sameSearch(m_sources.at(m_source)))
        return;
    m_busy = false;
    m_failed = true;
    setStatus(message);
}

QString DirectorySearch::resultStatus() const
{
    QString status;
    if (m_stations.isEmpty()) {
        status = m_shown && m_shown->isEmpty() ? QStringLiteral("L'annuaire n'a donné aucune station.")
                                               : QStringLiteral("Aucune station ne correspond à cette recherche.");
    } else if (m_shown && m_shown->isEmpty()) {
        status = count(m_stations.size(),
            QStringLiteral("%1 station de France, puis de langue française, les plus écoutées d'abord."),
            QStringLiteral("%1 stations de France, puis de langue française, les plus écoutées d'abord."));
    } else {
        status = count(m_stations.size(),
            QStringLiteral("%1 station, les plus écoutées d'abord."),
            QStringLiteral("%1 stations, les plus écoutées d'abord."));
    }
    if (m_leftOut > 0)
        status += QLatin1Char(' ')
            + count(m_leftOut,
                QStringLiteral("%1 fiche sans adresse de flux utilisable a été écartée."),
                QStringLiteral("%1 fiches sans adresse de flux utilisable ont été écartées."));
    return status;
}

void DirectorySearch::showList(const QString &fileName, const QList<DirectoryStation> &stations, const QString &note)
{
    stop();
    m_failed = false;
    m_sources.clear();
    m_source = 0;
    m_shown.reset();
    m_stations = stations.mid(0, maximumStations);
    m_seen.clear();
    Q_EMIT cleared();
    if (!m_stations.isEmpty())
        Q_EMIT appended(0, int(m_stations.size()));
    // One pass over the text: a "%1" in the file's name stays as it is.
    QString status
        = (m_stations.size() == 1 ? QStringLiteral("« %1 » : %2 station.") : QStringLiteral("« %1 » : %2 stations."))
              .arg(fileName, QLocale(QLocale::French).toString(m_stations.size()));
    if (!note.isEmpty())
        status += QLatin1Char(' ') + note;
    setStatus(status);
}

void DirectorySearch::setStatus(const QString &status)
{
    if (status == m_status)
        return;
    m_status = status;
    Q_EMIT statusChanged(status);
}
