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

// What a name may take at most in bytes, so that its longest numbered,
// temporary form " (999).part" still fits in a file name of 255 bytes.
constexpr qsizetype maximumNameBytes = 255 - 11;
// An "extension" longer than this is part of the name, and may be cut.
constexpr qsizetype maximumExtensionBytes = 32;

qsizetype byteLength(QStringView text)
{
    return QFile::encodeName(text.toString()).size();
}

// Control characters; invisible format characters, among them the
// bidirectional controls that let "setup\u202Eexe.txt" show as
// "setuptxt.exe"; and halves of characters without their other half, which
// no file name can hold.
QString withoutHiddenCharacters(QStringView name)
{
    QString kept;
    kept.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c.isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate()) {
            kept += c;
            kept += name.at(++i);
            continue;
        }
        if (c.isSurrogate() || c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            continue;
        kept += c;
    }
    return kept;
}

// The first characters of `text` that fit in `bytes`, never half a character.
QString cutToBytes(QStringView text, qsizetype bytes)
{
    qsizetype end = 0;
    qsizetype used = 0;
    while (end < text.size()) {
        const qsizetype length = text.at(end).isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
        const qsizetype size = byteLength(text.sliced(end, length));
        if (used + size > bytes)
            break;
        used += size;
        end += length;
    }
    return text.first(end).toString();
}

// A name too long for the folder loses the end of its stem and keeps its
// extension: "a very long name.exe" stays an ".exe".
QString withinLength(const QString &name)
{
    if (byteLength(name) <= maximumNameBytes)
        return name;
    qsizetype at = extensionStart(name);
    if (byteLength(QStringView(name).sliced(at)) > maximumExtensionBytes)
        at = name.size();
    const QStringView extension = QStringView(name).sliced(at);
    const QString stem = cutToBytes(QStringView(name).first(at), maximumNameBytes - byteLength(extension));
    return stem.trimmed() + extension.toString();
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
    name = withoutHiddenCharacters(name);
    // Until nothing changes: ". .bashrc" loses its dot, then its space, then
    // the dot that was behind them.
    for (qsizetype before = -1; before != name.size();) {
        before = name.size();
        name = name.trimmed();
        while (name.startsWith(QLatin1Char('.')))
            name.remove(0, 1);
    }
    name = withinLength(name);
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
