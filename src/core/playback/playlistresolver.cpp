#include "core/playback/playlistresolver.h"

#include "core/network/abandonreply.h"
#include "core/playback/asxparser.h"
#include "core/playback/playbackstatus.h"

#include <QNetworkReply>
#include <QNetworkRequest>

namespace
{

constexpr int transferTimeoutMs = 15000;

// What the status text should say about a failed fetch, in the words the
// media engine's messages would use for the same fault.
QString failureReason(QNetworkReply *reply)
{
    const int httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (httpStatus >= 400)
        return PlaybackStatus::failureText({ QStringLiteral("http error %1").arg(httpStatus) });
    switch (reply->error()) {
    case QNetworkReply::ConnectionRefusedError:
        return PlaybackStatus::failureText({ QStringLiteral("connection refused") });
    case QNetworkReply::HostNotFoundError:
        return PlaybackStatus::failureText({ QStringLiteral("failed to resolve hostname") });
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        return PlaybackStatus::failureText({ QStringLiteral("timed out") });
    case QNetworkReply::RemoteHostClosedError:
        return PlaybackStatus::interrupted;
    case QNetworkReply::ContentNotFoundError:
        return PlaybackStatus::failureText({ QStringLiteral("http error 404") });
    case QNetworkReply::ProtocolUnknownError:
        return PlaybackStatus::failureText({ QStringLiteral("protocol not found") });
    default:
        return PlaybackStatus::failureText({ reply->errorString() });
    }
}

} // namespace

PlaylistResolver::PlaylistResolver(QObject *parent)
    : QObject(parent)
{
    m_network.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

PlaylistResolver::~PlaylistResolver()
{
    cancel();
}

void PlaylistResolver::resolve(const QUrl &url, bool onlyIfPlaylist)
{
    cancel();
    m_url = url;
    m_onlyIfPlaylist = onlyIfPlaylist;
    m_data.clear();
    QNetworkRequest request(url);
    request.setTransferTimeout(transferTimeoutMs);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Ondavox/" ONDAVOX_VERSION));
    m_reply = m_network.get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &PlaylistResolver::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &PlaylistResolver::onFinished);
}

void PlaylistResolver::cancel()
{
    abandonReply(m_reply, this);
}

void PlaylistResolver::onReadyRead()
{
    m_data += m_reply->readAll();
    const bool undecided = m_data.size() < 512 && !AsxParser::looksLikePlaylist(m_data);
    if (m_onlyIfPlaylist && !undecided && !AsxParser::looksLikePlaylist(m_data)) {
        const QUrl url = m_url;
        cancel();
        Q_EMIT notPlaylist(url);
        return;
    }
    if (m_data.size() > maximumSize) {
        const QUrl url = m_url;
        cancel();
        Q_EMIT failed(url, QStringLiteral("Erreur : liste de lecture trop grande"));
    }
}

void PlaylistResolver::onFinished()
{
    QNetworkReply *reply = m_reply;
    if (!reply)
        return;
    m_data += reply->readAll();
    m_reply = nullptr;
    reply->deleteLater();
    const QUrl url = m_url;

    if (reply->error() != QNetworkReply::NoError) {
        Q_EMIT failed(url, failureReason(reply));
        return;
    }
    if (!AsxParser::looksLikePlaylist(m_data)) {
        if (m_onlyIfPlaylist)
            Q_EMIT notPlaylist(url);
        else
            Q_EMIT failed(url, QStringLiteral("Erreur : liste de lecture illisible"));
        return;
    }
    // Entries are relative to where the playlist really came from, and that
    // place decides what they may name (redirects never lead off http and
    // https here). The session hands each one to libmpv in a "loadfile" of
    // its own, where libmpv no longer knows that a server wrote it: what the
    // reader lets through is all the fence there is.
    const AsxParser::Result playlist = AsxParser::parse(m_data, reply->url());
    if (playlist.entries.isEmpty()) {
        Q_EMIT failed(url,
            playlist.refused > 0 ? QStringLiteral("Erreur : liste de lecture sans adresse réseau")
                                 : QStringLiteral("Erreur : liste de lecture vide"));
        return;
    }
    Q_EMIT resolved(url, playlist.entries);
}
