#include "player/nowplaying.h"

namespace NowPlaying
{

QString message(const QString &t1, const QString &t2, const QString &t3)
{
    const QString separator = QStringLiteral("\\0");
    // "{0}{1}" is the client's format: it shows t1 then t3; t2 is carried along.
    return separator + QStringLiteral("Music") + separator + QStringLiteral("1") + separator + QStringLiteral("{0}{1}")
        + separator + t1 + separator + t3 + separator + t2 + separator + separator + QChar(u'\0');
}

}
