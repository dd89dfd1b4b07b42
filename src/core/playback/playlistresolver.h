#pragma once

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QUrl>

// Fetches a Windows Media playlist and hands back the addresses it lists.
// One fetch at a time: a new one abandons the previous.
class PlaylistResolver : public QObject
{
    Q_OBJECT

public:
    explicit PlaylistResolver(QObject *parent = nullptr);
    ~PlaylistResolver() override;

    // Fetches `url` and parses it. When `onlyIfPlaylist` is set, a document
    // that turns out not to be such a playlist (a stream, say) is dropped as
    // soon as its first bytes show it, and notPlaylist() is emitted.
    void resolve(const QUrl &url, bool onlyIfPlaylist = false);
    void cancel();

    static constexpr qint64 maximumSize = 1024 * 1024;

Q_SIGNALS:
    void resolved(const QUrl &playlist, const QStringList &entries);
    // `reason` is a status text for the user.
    void failed(const QUrl &playlist, const QString &reason);
    void notPlaylist(const QUrl &url);

private:
    void onReadyRead();
    void onFinished();

    QNetworkAccessManager m_network;
    QPointer<QNetworkReply> m_reply;
    QUrl m_url;
    QByteArray m_data;
    bool m_onlyIfPlaylist = false;
};
