#include "core/state/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextCodec>
#include <unistd.h>

namespace
{

QTextCodec *windows1252()
{
    static QTextCodec *codec = QTextCodec::codecForName("Windows-1252");
    return codec;
}

} // namespace

namespace TextFile
{

QString decode(const QByteArray &bytes)
{
    return windows1252()->toUnicode(bytes);
}

QByteArray encode(const QString &text)
{
    return windows1252()->fromUnicode(text);
}

QString refusedInRecord(QStringView text)
{
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            // Outside the basic plane: Windows-1252 holds none of these.
            return text.sliced(i, 2).toString();
        }
        // The codec takes a lone high surrogate for the first half of a pair
        // still to come, and says it can encode it.
        if (c.isSurrogate())
            return QString(QChar::ReplacementCharacter);
        if (c == QLatin1Char('*') || c == QLatin1Char('\r') || c == QLatin1Char('\n')
            || !windows1252()->canEncode(QStringView(text).sliced(i, 1)))
            return QString(c);
        ++i;
    }
    return QString();
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.sliced(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.sliced(start));
    return lines;
}

std::optional<QStringList> readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    Lines read = readLinesUntilFailure(file);
    if (!read.complete)
        return std::nullopt;
    return std::move(read.lines);
}

Lines readLinesUntilFailure(QIODevice &device)
{
    QByteArray bytes;
    char chunk[64 * 1024];
    while (true) {
        const qint64 count = device.read(chunk, sizeof chunk);
        if (count < 0) {
            // One byte is one character in this encoding: cutting the bytes
            // after the last line break read keeps whole lines only.
            const qsizetype lastBreak = qMax(bytes.lastIndexOf('\r'), bytes.lastIndexOf('\n'));
            return { splitLines(decode(bytes.left(lastBreak + 1))), false };
        }
        if (count == 0)
            break;
        bytes.append(chunk, count);
    }
    return { splitLines(decode(bytes)), true };
}

bool write(const QString &path, const QString &text)
{
    return writeBytes(path, encode(text));
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // The data reaches the disk before the new file takes the old one's
    // name: a power cut then leaves one of the two whole, never an empty file.
    if (file.write(bytes) != bytes.size() || !file.flush() || ::fsync(file.handle()) != 0) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}
