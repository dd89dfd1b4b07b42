#include "core/playback/streamrequest.h"

#include "core/playback/playbackstatus.h"

namespace StreamRequest
{

namespace
{

    int defaultPort(const QUrl &url)
    {
        return url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0 ? 443 : 80;
    }

    // Playlists and pages come with a type of their own; the engine reads them
    // its own way.
    bool isSoundType(const QByteArray &contentType)
    {
        const QByteArray type = contentType.split(';').first().trimmed().toLower();
        if (type.contains("mpegurl") || type.contains("scpls") || type.startsWith("video/x-ms-")
            || type.startsWith("audio/x-ms-wax"))
            return false;
        return type.startsWith("audio/") || type.startsWith("video/") || type == "application/ogg";
    }

} // namespace

QByteArray compose(const QUrl &url)
{
    QByteArray target = url.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty())
        target = "/";
    if (url.hasQuery())
        target += '?' + url.query(QUrl::FullyEncoded).toLatin1();
    QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':'))
        host = '[' + host + ']';
    if (url.port(defaultPort(url)) != defaultPort(url))
        host += ':' + QByteArray::number(url.port());
    return "GET " + target
        + " HTTP/1.1\r\n"
          "User-Agent: Ondavox/" ONDAVOX_VERSION "\r\n"
          "Accept: */*\r\n"
          "Range: bytes=0-\r\n"
          "Connection: close\r\n"
          "Host: "
        + host
        + "\r\n"
          "Icy-MetaData: 1\r\n"
          "\r\n";
}

QByteArray Answer::field(const QByteArray &lowerName) const
{
    for (const auto &[name, value] : fields) {
        if (name == lowerName)
            return value;
    }
    return {};
}

bool Answer::hasField(const QByteArray &lowerName) const
{
    for (const auto &entry : fields) {
        if (entry.first == lowerName)
            return true;
    }
    return false;
}

std::optional<Answer> parseHead(const QByteArray &head)
{
    QList<QByteArray> lines = head.split('\n');
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    // "HTTP/1.0 200 OK", or "ICY 200 OK" from the old SHOUTcast servers.
    const QList<QByteArray> statusLine = lines.first().split(' ');
    if (statusLine.size() < 2 || !(statusLine.first().startsWith("HTTP/") || statusLine.first() == "ICY"))
        return std::nullopt;
    Answer answer;
    bool ok = false;
    answer.status = statusLine.at(1).toInt(&ok);
    if (!ok || statusLine.at(1).size() != 3)
        return std::nullopt;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines.at(i).indexOf(':');
        if (colon <= 0)
            continue;
        answer.fields.append({ lines.at(i).left(colon).trimmed().toLower(), lines.at(i).mid(colon + 1).trimmed() });
    }
    return answer;
}

Verdict judge(const Answer &answer, const QUrl &url)
{
    Verdict verdict;
    const int status = answer.status;
    if (status == 301 || status == 302 || status == 303 || status == 307 || status == 308) {
        const QUrl location = url.resolved(QUrl(QString::fromUtf8(answer.field("location"))));
        if (answer.field("location").isEmpty() || !location.isValid())
            return verdict;
        verdict.kind = Verdict::Kind::Redirect;
        verdict.location = location;
        return verdict;
    }
    if (status >= 400) {
        verdict.kind = Verdict::Kind::Failed;
        verdict.failure = PlaybackStatus::failureText({ QStringLiteral("http error %1").arg(status) });
        return verdict;
    }
    // A length, a range or chunks mean a file, which the engine may want to
    // seek in, or a document.
    if (status != 200 || answer.hasField("content-length") || answer.hasField("content-range")
        || answer.hasField("transfer-encoding"))
        return verdict;
    const bool icy = answer.hasField("icy-metaint") || answer.hasField("icy-name") || answer.hasField("icy-br");
    if (answer.hasField("content-type") ? !isSoundType(answer.field("content-type")) : !icy)
        return verdict;
    bool ok = true;
    const qint64 interval = answer.hasField("icy-metaint") ? answer.field("icy-metaint").toLongLong(&ok) : 0;
    if (!ok || interval < 0)
        return verdict;
    verdict.kind = Verdict::Kind::Live;
    verdict.metaInterval = interval;
    verdict.contentType = answer.field("content-type");
    return verdict;
}

QByteArray demuxerFor(const QByteArray &contentType)
{
    const QByteArray type = contentType.split(';').first().trimmed().toLower();
    if (type == "audio/mpeg" || type == "audio/mp3" || type == "audio/mpeg3" || type == "audio/x-mpeg")
        return "mp3";
    if (type == "audio/aac" || type == "audio/aacp" || type == "audio/x-aac")
        return "aac";
    if (type == "audio/ogg" || type == "application/ogg" || type == "audio/opus" || type == "audio/vorbis")
        return "ogg";
    if (type == "audio/flac" || type == "audio/x-flac")
        return "flac";
    return {};
}

std::optional<QString> connectionFailure(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return PlaybackStatus::failureText({ QStringLiteral("connection refused") });
    case QAbstractSocket::HostNotFoundError:
        return PlaybackStatus::failureText({ QStringLiteral("failed to resolve hostname") });
    case QAbstractSocket::SocketTimeoutError:
        return PlaybackStatus::failureText({ QStringLiteral("timed out") });
    default:
        return std::nullopt;
    }
}

} // namespace StreamRequest
