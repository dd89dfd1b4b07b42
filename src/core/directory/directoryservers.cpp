#include "core/directory/directoryservers.h"

#include <QDnsLookup>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <algorithm>

QList<QUrl> DirectoryServers::knownServers()
{
    return { QUrl(QStringLiteral("https://de1.api.radio-browser.info")),
        QUrl(QStringLiteral("https://nl1.api.radio-browser.info")),
        QUrl(QStringLiteral("https://at1.api.radio-browser.info")) };
}

QList<QUrl> DirectoryServers::parseList(const QString &text)
{
    QList<QUrl> servers;
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    for (const QString &part : text.split(separators, Qt::SkipEmptyParts)) {
        QUrl url(part, QUrl::StrictMode);
        const QString scheme = url.scheme().toLower();
        if (!url.isValid() || url.host().isEmpty() || (scheme != u"http" && scheme != u"https"))
            continue;
        // The requests' paths are the API's own, from the server's root.
        url.setPath(QString());
        url.setQuery(QString());
        url.setFragment(QString());
        servers.append(url);
    }
    return servers;
}

DirectoryServers::DirectoryServers(Sources sources, QObject *parent)
    : QObject(parent)
    , m_sources(std::move(sources))
{
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(m_sources.lookupTimeoutMs);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        lookedUp({});
    });
}

DirectoryServers::~DirectoryServers() = default;

void DirectoryServers::find()
{
    if (m_state == State::Found) {
        Q_EMIT found();
        return;
    }
    if (m_state == State::LookingUp)
        return;
    if (!m_sources.configured.isEmpty()) {
        settle(m_sources.configured);
        return;
    }
    m_state = State::LookingUp;
    m_deadline.start();
    lookUp();
}

void DirectoryServers::lookUp()
{
    m_lookup = new QDnsLookup(QDnsLookup::SRV, m_sources.serviceName, this);
    connect(m_lookup, &QDnsLookup::finished, this, [this, lookup = m_lookup.data()] {
        QList<QUrl> servers;
        if (lookup->error() == QDnsLookup::NoError) {
            for (const QDnsServiceRecord &record : lookup->serviceRecords()) {
                QUrl url;
                url.setScheme(record.port() == 80 ? QStringLiteral("http") : QStringLiteral("https"));
                url.setHost(record.target());
                if (record.port() != 80 && record.port() != 443)
                    url.setPort(record.port());
                if (!url.host().isEmpty())
                    servers.append(url);
            }
        }
        lookup->deleteLater();
        lookedUp(servers);
    });
    m_lookup->lookup();
}

void DirectoryServers::lookedUp(const QList<QUrl> &servers)
{
    if (m_state != State::LookingUp)
        return;
    m_deadline.stop();
    if (m_lookup) {
        m_lookup->abort();
        m_lookup->deleteLater();
    }
    settle(servers.isEmpty() ? m_sources.known : servers);
}

void DirectoryServers::settle(QList<QUrl> servers)
{
    std::shuffle(servers.begin(), servers.end(), *QRandomGenerator::global());
    m_servers = servers;
    m_state = State::Found;
    Q_EMIT found();
}
