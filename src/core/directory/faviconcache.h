#pragma once

#include <QHash>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QSet>
#include <QString>

class QNetworkReply;

// The stations' pictures, fetched when first asked for and kept as files in
// the user's cache folder, so that the player can show one by its path and
// the next run need not fetch it again. A few fetches at a time, the latest
// asked first: those are the rows on screen. Only pictures are kept: an
// answer that is not one, or too large, is dropped and not asked again
// during the run.
class FaviconCache : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 maximumSize = 256 * 1024;
    static constexpr int maximumFetches = 4;
    static constexpr int maximumWaiting = 200;
    static constexpr int fetchDeadlineMs = 20000;
    // Files beyond this many go, the oldest first, when the cache is opened.
    static constexpr int maximumFiles = 3000;

    // "<cache folder>/favicons".
    static QString defaultFolder();

    explicit FaviconCache(const QString &folder, QObject *parent = nullptr);

    QString folder() const { return m_folder; }
    // The picture's file when it is in the cache; empty otherwise.
    QString path(const QString &url);
    // Fetches the picture unless it is cached, on its way or known to fail.
    void request(const QString &url);

    // The file name suffix of a picture's bytes ("png"), empty for anything else.
    static QString pictureSuffix(const QByteArray &bytes);

Q_SIGNALS:
    void ready(const QString &url, const QString &path);

private:
    void fetchNext();
    void onFinished(QNetworkReply *reply, const QString &url);
    QString fileStem(const QString &url) const;
    void trim();

    QString m_folder;
    QNetworkAccessManager m_network;
    // Cached files, and pictures known to be missing (empty path).
    QHash<QString, QString> m_known;
    QList<QString> m_waiting;
    QSet<QString> m_fetching;
};
