#include "ui/directory/faviconimages.h"

#include "core/concurrency/runelsewhere.h"
#include "core/directory/faviconcache.h"

#include <QImage>
#include <QImageReader>

namespace
{

QImage readIcon(const QString &path, int side, int maximumSide)
{
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > maximumSide || size.height() > maximumSide)
        return {};
    reader.setScaledSize(size.scaled(side, side, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    return reader.read();
}

} // namespace

FaviconImages::FaviconImages(FaviconCache &cache, QObject *parent)
    : QObject(parent)
    , m_cache(cache)
    , m_icons(keptIcons)
{
    connect(&m_cache, &FaviconCache::ready, this, &FaviconImages::decode);
}

QPixmap FaviconImages::icon(const QString &url)
{
    if (url.isEmpty() || m_unreadable.contains(url))
        return {};
    if (const QPixmap *icon = m_icons.object(url))
        return *icon;
    if (m_decoding.contains(url))
        return {};
    const QString path = m_cache.path(url);
    if (path.isEmpty())
        m_cache.request(url);
    else
        decode(url, path);
    return {};
}

void FaviconImages::decode(const QString &url, const QString &path)
{
    if (m_decoding.contains(url))
        return;
    m_decoding.insert(url);
    runElsewhere(
        this,
        [path] {
            return readIcon(path, iconSize, maximumSide);
        },
        [this, url](const QImage &image) {
            m_decoding.remove(url);
            if (image.isNull()) {
                m_unreadable.insert(url);
                return;
            }
            m_icons.insert(url, new QPixmap(QPixmap::fromImage(image)));
            Q_EMIT loaded(url);
        });
}
