#include "ui/catalogue/picturecache.h"

#include <QImageReader>

bool PictureCache::canLoad(const QString &path)
{
    auto found = m_pictures.constFind(path);
    if (found == m_pictures.constEnd()) {
        QImageReader reader(path);
        found = m_pictures.insert(path, QPixmap::fromImage(reader.read()));
    }
    return !found->isNull();
}
