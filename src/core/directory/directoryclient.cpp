#include "core/directory/directoryclient.h"

#include "core/concurrency/runelsewhere.h"
#include "core/directory/stationrecords.h"
#include "core/network/abandonreply.h"

#include <QNetworkRequest>
#include <algorithm>
#include <utility>

const QString DirectoryClient::noServerMessage
    = QStringLiteral("Aucun serveur de l'annuaire ne répond. Vérifiez la connexion à Internet, puis réessayez.");
const QString DirectoryClient::unreadableMessage
    = QStringLiteral("L'annuaire a envoyé une réponse illisible. Réessayez dans un moment.");
const QString DirectoryClient::tooLargeMessage
    = QStringLiteral("L'annuaire a envoyé une réponse trop volumineuse pour être lue.");

namespace
{

} // namespace

DirectoryClient::Settings DirectoryClient::settingsFromEnvironment()
{
    Settings settings;
    settings.sources.configured = DirectoryServers::parseList(qEnvironmentVariable("ONDAVOX_DIRECTORY_URL"));
    settings.sources.known = DirectoryServers::knownServers();
    return settings;
}

QByteArray DirectoryClient::userAgent()
{
    return QByteArrayLiteral("Ondavox/" ONDAVOX_VERSION);
}

DirectoryClient::DirectoryClient(const Settings &settings, QObject *parent)
    : DirectoryClient(settings, nullptr, parent)
{
}

DirectoryClient::DirectoryClient(const Settings &settings, DirectoryServers *servers, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_servers(servers ? servers : new DirectoryServers(settings.sources, this))
{
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(m_settings.attemptTimeoutMs);
    // A server that trickles its answer never trips a transfer timeout.
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        dropReply();
        failAttempt(Failure::NoAnswer);
    });
    connect(m_servers, &DirectoryServers::found, this, [this] {
        if (m_searching && !m_reply)
            attempt();
    });
}

DirectoryClient::~DirectoryClient()
{
    dropReply();
}

QUrl DirectoryClient::server() const
{
    const QList<QUrl> &servers = m_servers->servers();
    return servers.isEmpty() ? QUrl() : servers.at(m_current % servers.size());
}

void DirectoryClient::search(const DirectoryQuery &query)
{
    cancel();
    m_query = query;
    m_searching = true;
    m_tried = 0;
    m_worst = Failure::NoAnswer;
    if (m_servers->isKnown())
        attempt();
    else
        m_servers->find();
}

void DirectoryClient::cancel()
{
    dropReply();
    m_searching = false;
    // An answer being parsed is dropped when it comes back.
    ++m_generation;
}

void DirectoryClient::dropReply()
{
    m_deadline.stop();
    abandonReply(m_reply, this);
}

void DirectoryClient::attempt()
{
    const QUrl base = server();
    if (base.isEmpty()) {
        m_searching = false;
        Q_EMIT failed(m_query, noServerMessage);
        return;
    }
    QUrl url = base;
    const QString path = m_query.path();
    const qsizetype question = path.indexOf(QLatin1Char('?'));
    url.setPath(path.left(question));
    url.setQuery(path.mid(question + 1), QUrl::StrictMode);
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent());
    request.setRawHeader("Accept", "application/json");
    request.setTransferTimeout(m_settings.attemptTimeoutMs);
    m_body.clear();
    m_reply = m_network.get(request);
    // Without a bound of its own, the reply keeps an answer of unknown length
    // whole until the server closes, however large it grows.
    m_reply->setReadBufferSize(readChunk);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, [this] {
        const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > m_settings.maximumAnswer) {
            dropReply();
            failAttempt(Failure::TooLarge);
        }
    });
    connect(m_reply, &QNetworkReply::readyRead, this, &DirectoryClient::takeBody);
    connect(m_reply, &QNetworkReply::finished, this, &DirectoryClient::onFinished);
    m_deadline.start();
}

bool DirectoryClient::takeBody()
{
    m_body += m_reply->readAll();
    if (m_body.size() <= m_settings.maximumAnswer)
        return true;
    m_body.clear();
    dropReply();
    failAttempt(Failure::TooLarge);
    return false;
}

void DirectoryClient::onFinished()
{
    if (!takeBody())
        return;
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    m_deadline.stop();
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError || status != 200) {
        failAttempt(Failure::NoAnswer);
        return;
    }
    const QByteArray body = std::exchange(m_body, {});
    const quint64 generation = m_generation;
    runElsewhere(
        this,
        [body] {
            return StationRecords::parse(body);
        },
        [this, generation](const StationRecords::Parsed &parsed) {
            if (generation != m_generation || !m_searching)
                return;
            if (!parsed.error.isEmpty()) {
                failAttempt(Failure::Unreadable);
                return;
            }
            m_searching = false;
            Q_EMIT found(m_query, parsed.stations, parsed.leftOut);
        });
}

void DirectoryClient::failAttempt(Failure failure)
{
    if (!m_searching)
        return;
    // An answer that came but could not be read says more than one that did not come.
    if (failure != Failure::NoAnswer)
        m_worst = failure;
    ++m_tried;
    const int count = int(m_servers->servers().size());
    m_current = count > 0 ? (m_current + 1) % count : 0;
    if (m_tried < count) {
        attempt();
        return;
    }
    m_searching = false;
    switch (m_worst) {
    case Failure::Unreadable:
        Q_EMIT failed(m_query, unreadableMessage);
        return;
    case Failure::TooLarge:
        Q_EMIT failed(m_query, tooLargeMessage);
        return;
    case Failure::NoAnswer:
        break;
    }
    Q_EMIT failed(m_query, noServerMessage);
}

void DirectoryClient::countClick(const QString &stationUuid)
{
    const QUrl base = server();
    // The identifier comes from outside: nothing but a UUID's characters goes into the path.
    const bool uuid = !stationUuid.isEmpty() && std::all_of(stationUuid.cbegin(), stationUuid.cend(), [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F') || c == u'-';
    });
    if (base.isEmpty() || !uuid)
        return;
    QUrl url = base;
    url.setPath(QStringLiteral("/json/url/") + stationUuid);
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent());
    request.setRawHeader("Accept", "application/json");
    request.setTransferTimeout(m_settings.attemptTimeoutMs);
    QNetworkReply *reply = m_network.get(request);
    connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
}
