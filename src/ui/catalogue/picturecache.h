#pragma once

#include <QHash>
#include <QPixmap>
#include <QString>

// The pictures of a browser window, each file read once: the page model asks
// whether a picture can be loaded, the view then shows what was read. The
// installation folder is read-only, so a file that could not be read is not
// tried again.
class PictureCache
{
public:
    bool canLoad(const QString &path);
    // The null pixmap for a picture that was never read or could not be.
    QPixmap picture(const QString &path) const { return m_pictures.value(path); }

private:
    QHash<QString, QPixmap> m_pictures;
};
