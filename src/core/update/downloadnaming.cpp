#include "core/update/downloadnaming.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace
{

// Enough for any folder a person keeps; a bound so that a folder that refuses
// every name does not loop for ever.
constexpr int maximumNumber = 999;

const QString fallbackName = QStringLiteral("telechargement");

// Where the number goes: before the last extension, or before ".tar.gz" and
// the like, which are one extension to the person who reads them.
qsizetype extensionStart(const QString &name)
{
    const qsizetype last = name.lastIndexOf(QLatin1Char('.'));
    if (last <= 0)
        return name.size();
    const qsizetype previous = name.lastIndexOf(QLatin1Char('.'), last - 1);
    if (previous > 0 && name.mid(previous, last - previous).compare(QLatin1String(".tar"), Qt::CaseInsensitive) == 0)
        return previous;
    return last;
}

enum class Move { Done, Taken, Failed };

// A rename that fails rather than replace the target, in one step. QFile::rename
// checks first and then renames, and falls back to copying over the target.
Move moveWithoutReplacing(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return Move::Done;
    if (errno == EEXIST)
        return Move::Taken;
    if (errno != EINVAL && errno != ENOSYS)
        return Move::Failed;
    // A file system without that rename: a second link is just as exclusive.
    if (::link(source.constData(), target.constData()) != 0)
        return errno == EEXIST ? Move::Taken : Move::Failed;
    ::unlink(source.constData());
    return Move::Done;
}

} // namespace

QString DownloadNaming::safeName(const QString &serverName)
{
    QString name = serverName;
    const qsizetype separator = std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    name = name.mid(separator + 1);
    name.removeIf([](QChar c) {
        return c.category() == QChar::Other_Control;
    });
    name = name.trimmed();
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    name = name.trimmed();
    return name.isEmpty() ? fallbackName : name;
}

QString DownloadNaming::numberedName(const QString &name, int number)
{
    if (number == 0)
        return name;
    const qsizetype at = extensionStart(name);
    return name.left(at) + QStringLiteral(" (%1)").arg(number) + name.mid(at);
}

QString DownloadNaming::reservePartFile(const QString &folder, const QString &name)
{
    const QDir dir(folder);
    for (int number = 0; number <= maximumNumber; ++number) {
        const QString partName = numberedName(name, number) + QStringLiteral(".part");
        QFile file(dir.filePath(partName));
        // NewOnly creates the file or fails, in one step: two downloads never share it.
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return partName;
        if (!file.exists())
            return QString();
    }
    return QString();
}

QString DownloadNaming::moveToFreeName(const QString &folder, const QString &partName, const QString &name)
{
    const QDir dir(folder);
    for (int number = 0; number <= maximumNumber; ++number) {
        const QString finalName = numberedName(name, number);
        switch (moveWithoutReplacing(dir.filePath(partName), dir.filePath(finalName))) {
        case Move::Done:
            return finalName;
        case Move::Taken:
            break;
        case Move::Failed:
            return QString();
        }
    }
    return QString();
}
