#pragma once

#include <QCache>
#include <QObject>
#include <QPixmap>
#include <QSet>
#include <QString>

class FaviconCache;

// The stations' pictures at the size the result list draws them, read from
// the cache's files on a worker thread; only the most recently drawn are kept
// in memory.
class FaviconImages : public QObject
{
    Q_OBJECT

public:
    static constexpr int iconSize = 32;
    static constexpr int keptIcons = 600;
    // A picture larger than this is not decoded: it would take more memory
    // than a row's icon is worth.
    static constexpr int maximumSide = 4096;

    explicit FaviconImages(FaviconCache &cache, QObject *parent = nullptr);

    // The picture of `url`, or a null pixmap while it is on its way (asking
    // for it) or when there is none.
    QPixmap icon(const QString &url);

Q_SIGNALS:
    void loaded(const QString &url);

private:
    void decode(const QString &url, const QString &path);

    FaviconCache &m_cache;
    QCache<QString, QPixmap> m_icons;
    QSet<QString> m_decoding;
    QSet<QString> m_unreadable;
};
