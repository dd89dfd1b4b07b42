#include "core/browser/pagefetch.h"

#include "core/network/abandonreply.h"

#include <QMetaObject>
#include <QMimeDatabase>
#include <QNetworkRequest>
#include <algorithm>

namespace
{

// What a browser sends when it is told to open a page, beside its user agent.
// The network layer adds "Accept-Encoding" itself (and decodes what it names).
const QByteArray documentAccept = QByteArrayLiteral("text/html,application/xhtml+xml,application/xml;q=0.9,image/avif,"
                                                    "image/webp,image/apng,*/*;q=0.8,application/"
                                                    "signed-exchange;v=b3;q=0.9");

// A browser gives up after as many redirects.
constexpr int maximumRedirects = 20;

// "text/html; charset=utf-8" as a data address can carry it: no spaces.
QString compactMimeType(const QString &header)
{
    QStringList parts = header.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString &part : parts)
        part = part.trimmed();
    return parts.join(QLatin1Char(';'));
}

} // namespace

PageFetch::PageFetch(const QString &userAgent, QObject *parent)
    : QObject(parent)
    , m_userAgent(userAgent)
{
    // Redirects are followed here, as a browser follows them (from https to
    // http too). The network layer's own following ends a redirect loop with
    // a made-up "100" answer instead of an error.
    m_network.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
}

PageFetch::~PageFetch()
{
    abandon();
}

bool PageFetch::canFetch(const QUrl &url)
{
    return url.isValid() && !url.host().isEmpty()
        && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

QUrl PageFetch::canonical(const QUrl &url)
{
    QUrl result = url;
    if (result.path().isEmpty())
        result.setPath(QStringLiteral("/"));
    const int defaultPort = result.scheme() == QLatin1String("https") ? 443 : 80;
    if (result.port() == defaultPort)
        result.setPort(-1);
    return result;
}

std::optional<QUrl> PageFetch::redirectTarget(const QUrl &from, const QUrl &location)
{
    const QUrl next = canonical(from.resolved(location));
    if (!canFetch(next))
        return std::nullopt;
    return next;
}

// The browser engine's own numbers for these failures, so that whoever reads
// the code sees the same value whichever of the two loaded the page.
int PageFetch::networkErrorCode(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::OperationCanceledError:
        return -3; // ERR_ABORTED
    case QNetworkReply::RemoteHostClosedError:
        return -100; // ERR_CONNECTION_CLOSED
    case QNetworkReply::ConnectionRefusedError:
        return -102; // ERR_CONNECTION_REFUSED
    case QNetworkReply::HostNotFoundError:
        return -105; // ERR_NAME_NOT_RESOLVED
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        return -106; // ERR_INTERNET_DISCONNECTED
    case QNetworkReply::SslHandshakeFailedError:
        return -107; // ERR_SSL_PROTOCOL_ERROR
    case QNetworkReply::TimeoutError:
        return -118; // ERR_CONNECTION_TIMED_OUT
    case QNetworkReply::ProxyAuthenticationRequiredError:
        return -127; // ERR_PROXY_AUTH_REQUESTED
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
        return -130; // ERR_PROXY_CONNECTION_FAILED
    case QNetworkReply::ProtocolUnknownError:
        return -302; // ERR_UNKNOWN_URL_SCHEME
    case QNetworkReply::TooManyRedirectsError:
        return -310; // ERR_TOO_MANY_REDIRECTS
    case QNetworkReply::InsecureRedirectError:
        return -311; // ERR_UNSAFE_REDIRECT
    default:
        return -2; // ERR_FAILED
    }
}

bool PageFetch::isDownload(const QByteArray &contentDisposition, const QString &mimeType)
{
    if (contentDisposition.trimmed().toLower().startsWith("attachment"))
        return true;
    const QString type = mimeType.section(QLatin1Char(';'), 0, 0).trimmed().toLower();
    // No type: the browser looks at the bytes, and shows what it recognises.
    if (type.isEmpty())
        return false;
    static const QStringList shownFamilies {
        QStringLiteral("text/"), QStringLiteral("image/"), QStringLiteral("audio/"), QStringLiteral("video/")
    };
    static const QStringList shownTypes { QStringLiteral("application/xhtml+xml"),
        QStringLiteral("application/xml"),
        QStringLiteral("application/json"),
        QStringLiteral("application/javascript"),
        QStringLiteral("application/pdf") };
    for (const QString &family : shownFamilies) {
        if (type.startsWith(family))
            return false;
    }
    return !shownTypes.contains(type) && !type.endsWith(QLatin1String("+xml"));
}

void PageFetch::start(const QUrl &url, bool reload)
{
    abandon();
    m_requested = canonical(url);
    m_url = m_requested;
    m_body.clear();
    m_mimeType.clear();
    m_answered = false;
    m_tooLong = false;
    m_progress = -1;
    m_reload = reload;
    m_redirects = 0;
    send(m_requested);
    // The engine says that a load started only once the caller has had its
    // turn (the start-up page gets its tag after the navigation is asked for).
    const int fetch = ++m_fetches;
    QMetaObject::invokeMethod(
        this,
        [this, fetch] {
            if (m_fetches == fetch && m_reply && m_progress < 0)
                emitProgress(0);
        },
        Qt::QueuedConnection);
}

void PageFetch::send(const QUrl &url)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, m_userAgent);
    request.setRawHeader("Accept", documentAccept);
    request.setRawHeader("Upgrade-Insecure-Requests", "1");
    request.setRawHeader("Sec-Fetch-Site", "none");
    request.setRawHeader("Sec-Fetch-Mode", "navigate");
    request.setRawHeader("Sec-Fetch-User", "?1");
    request.setRawHeader("Sec-Fetch-Dest", "document");
    if (m_reload)
        request.setRawHeader("Cache-Control", "max-age=0");
    m_reply = m_network.get(request);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &PageFetch::onMetaDataChanged);
    connect(m_reply, &QNetworkReply::readyRead, this, &PageFetch::onReadyRead);
    connect(m_reply, &QNetworkReply::downloadProgress, this, &PageFetch::onDownloadProgress);
    connect(m_reply, &QNetworkReply::finished, this, &PageFetch::onFinished);
}

void PageFetch::stop()
{
    if (!m_reply)
        return;
    abandon();
    emitProgress(100);
}

void PageFetch::abandon()
{
    abandonReply(m_reply, this);
}

void PageFetch::onMetaDataChanged()
{
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid() || status.toInt() >= 300)
        return;
    if (!isDownload(
            m_reply->rawHeader("Content-Disposition"), m_reply->header(QNetworkRequest::ContentTypeHeader).toString()))
        return;
    const QUrl url = canonical(m_reply->url());
    abandon();
    Q_EMIT downloadOffered(url);
}

void PageFetch::onReadyRead()
{
    keep(m_reply->readAll());
}

void PageFetch::keep(const QByteArray &data)
{
    if (m_tooLong)
        return;
    if (m_body.size() + data.size() > maximumBody) {
        // Read on to know how the load ends, but keep nothing.
        m_tooLong = true;
        m_body.clear();
        Q_EMIT answerTooLong();
        return;
    }
    m_body += data;
}

void PageFetch::onDownloadProgress(qint64 received, qint64 total)
{
    if (total <= 0 || received >= total)
        return;
    const int progress = int(std::clamp<qint64>(received * 100 / total, 1, 99));
    if (progress > m_progress)
        emitProgress(progress);
}

void PageFetch::onFinished()
{
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->deleteLater();
    keep(reply->readAll());
    m_url = canonical(reply->url());
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QUrl target = reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
    if (status.isValid() && !target.isEmpty()) {
        if (m_redirects == maximumRedirects)
            return fail(networkErrorCode(QNetworkReply::TooManyRedirectsError));
        const std::optional<QUrl> next = redirectTarget(m_url, target);
        if (!next)
            return fail(networkErrorCode(QNetworkReply::InsecureRedirectError));
        ++m_redirects;
        m_url = *next;
        m_body.clear();
        send(*next);
        return;
    }
    m_answered = status.isValid();
    // Below the content errors: the connection itself failed, before or during the answer.
    const bool connectionFailed
        = reply->error() != QNetworkReply::NoError && reply->error() < QNetworkReply::ContentAccessDenied;
    if (m_answered) {
        const QString header = reply->header(QNetworkRequest::ContentTypeHeader).toString();
        m_mimeType = header.isEmpty() ? QMimeDatabase().mimeTypeForData(m_body).name() : compactMimeType(header);
    }
    emitEnd();
    const QString address = m_url.toString();
    if (m_answered && status.toInt() >= 400)
        Q_EMIT navigateError(address, status.toInt());
    else if (!m_answered || connectionFailed)
        Q_EMIT navigateError(address, networkErrorCode(reply->error()));
    else
        Q_EMIT navigateComplete(address);
}

void PageFetch::fail(int code)
{
    emitEnd();
    Q_EMIT navigateError(m_url.toString(), code);
}

void PageFetch::emitEnd()
{
    // An answer may come before the start was told (an address no request
    // can be made for fails at once): a browser's load still starts at 0.
    if (m_progress < 0)
        emitProgress(0);
    emitProgress(100);
}

void PageFetch::emitProgress(int progress)
{
    m_progress = progress;
    Q_EMIT progressChange(progress, 100);
}
