#include "core/directory/faviconcache.h"

#include "core/directory/directoryclient.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <algorithm>

namespace
{

const QStringList suffixes { QStringLiteral("png"),
    QStringLiteral("jpg"),
    QStringLiteral("gif"),
    QStringLiteral("ico"),
    QStringLiteral("bmp"),
    QStringLiteral("webp") };

} // namespace

QString FaviconCache::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/favicons");
}

FaviconCache::FaviconCache(const QString &folder, QObject *parent)
    : QObject(parent)
    , m_folder(folder)
{
    trim();
}

QString FaviconCache::pictureSuffix(const QByteArray &bytes)
{
    if (bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return QStringLiteral("png");
    if (bytes.startsWith("\xff\xd8\xff"))
        return QStringLiteral("jpg");
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        return QStringLiteral("gif");
    if (bytes.startsWith(QByteArray("\x00\x00\x01\x00", 4)))
        return QStringLiteral("ico");
    if (bytes.startsWith("BM") && bytes.size() > 14)
        return QStringLiteral("bmp");
    if (bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WEBP")
        return QStringLiteral("webp");
    return {};
}

QString FaviconCache::fileStem(const QString &url) const
{
    return QString::fromLatin1(QCryptographicHash::hash(url.toUtf8(), QCryptographicHash::Sha1).toHex());
}

QString FaviconCache::path(const QString &url)
{
    if (url.isEmpty())
        return {};
    const auto known = m_known.constFind(url);
    if (known != m_known.constEnd())
        return known.value();
    const QString stem = m_folder + QLatin1Char('/') + fileStem(url) + QLatin1Char('.');
    for (const QString &suffix : suffixes) {
        if (QFileInfo::exists(stem + suffix)) {
            m_known.insert(url, stem + suffix);
            return stem + suffix;
        }
    }
    return {};
}

void FaviconCache::request(const QString &url)
{
    if (url.isEmpty() || m_known.contains(url) || m_fetching.contains(url))
        return;
    if (!path(url).isEmpty())
        return;
    m_waiting.removeOne(url);
    m_waiting.append(url);
    if (m_waiting.size() > maximumWaiting)
        m_waiting.removeFirst();
    fetchNext();
}

void FaviconCache::fetchNext()
{
    while (m_fetching.size() < maximumFetches && !m_waiting.isEmpty()) {
        const QString url = m_waiting.takeLast();
        const QUrl address(url);
        const QString scheme = address.scheme().toLower();
        if (!address.isValid() || (scheme != u"http" && scheme != u"https")) {
            m_known.insert(url, QString());
            continue;
        }
        QNetworkRequest request(address);
        request.setHeader(QNetworkRequest::UserAgentHeader, DirectoryClient::userAgent());
        request.setTransferTimeout(fetchDeadlineMs);
        QNetworkReply *reply = m_network.get(request);
        m_fetching.insert(url);
        // Held in the reply up to one byte past the limit: a larger answer is
        // not a picture of ours, whatever its length says.
        reply->setReadBufferSize(maximumSize + 1);
        connect(reply, &QNetworkReply::readyRead, reply, [reply] {
            if (reply->bytesAvailable() > maximumSize)
                reply->abort();
        });
        // A server that trickles would keep one of the few fetches for itself.
        QTimer::singleShot(fetchDeadlineMs, reply, &QNetworkReply::abort);
        connect(reply, &QNetworkReply::finished, this, [this, reply, url] {
            onFinished(reply, url);
        });
    }
}

void FaviconCache::onFinished(QNetworkReply *reply, const QString &url)
{
    reply->deleteLater();
    m_fetching.remove(url);
    const QByteArray bytes = reply->error() == QNetworkReply::NoError ? reply->read(maximumSize + 1) : QByteArray();
    const QString suffix = bytes.size() <= maximumSize ? pictureSuffix(bytes) : QString();
    QString file;
    if (!suffix.isEmpty() && QDir().mkpath(m_folder)) {
        QSaveFile save(m_folder + QLatin1Char('/') + fileStem(url) + QLatin1Char('.') + suffix);
        if (save.open(QIODevice::WriteOnly) && save.write(bytes) == bytes.size() && save.commit())
            file = save.fileName();
    }
    m_known.insert(url, file);
    if (!file.isEmpty())
        Q_EMIT ready(url, file);
    fetchNext();
}

void FaviconCache::trim()
{
    QDir folder(m_folder);
    QFileInfoList files = folder.entryInfoList(QDir::Files, QDir::Time);
    if (files.size() <= maximumFiles)
        return;
    // Newest first: the oldest are the ones past the limit.
    for (qsizetype i = maximumFiles; i < files.size(); ++i)
        QFile::remove(files.at(i).filePath());
}
