#include "core/recording/recordingname.h"

#include <QFileInfo>

namespace
{

// Room for the time, the extension and a " (n)" suffix within NAME_MAX.
constexpr qsizetype stationBytes = 200;

bool refusedInName(QChar character)
{
    // What Linux refuses, what FAT and Windows refuse (a recording is often
    // copied to a phone or a USB key), and what a shell or a list makes
    // awkward.
    static const QString refused = QStringLiteral("/\\:*?\"<>|");
    return character.category() == QChar::Other_Control || character.category() == QChar::Other_Format
        || refused.contains(character);
}

QString cleanStation(const QString &station)
{
    QString clean;
    clean.reserve(station.size());
    for (const QChar character : station)
        clean.append(refusedInName(character) ? QLatin1Char('-') : character);
    clean = clean.simplified();
    // A leading dot would hide the file.
    while (clean.startsWith(QLatin1Char('.')) || clean.startsWith(QLatin1Char('-')))
        clean.remove(0, 1);
    clean = clean.trimmed();
    // Cut between whole characters (a surrogate pair stays together).
    while (clean.toUtf8().size() > stationBytes) {
        clean.chop(clean.size() >= 2 && clean.at(clean.size() - 1).isLowSurrogate() ? 2 : 1);
    }
    clean = clean.trimmed();
    return clean.isEmpty() ? QStringLiteral("Ondavox") : clean;
}

} // namespace

namespace RecordingName
{

QString fileName(const QString &station, const QDateTime &start, const QString &extension)
{
    return cleanStation(station) + QLatin1Char(' ') + start.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"))
        + QLatin1Char('.') + extension;
}

QString extensionFor(const QString &codec)
{
    const QString name = codec.toLower();
    if (name == QLatin1String("mp3") || name == QLatin1String("aac") || name == QLatin1String("flac")
        || name == QLatin1String("opus") || name == QLatin1String("mp2"))
        return name;
    if (name == QLatin1String("vorbis"))
        return QStringLiteral("ogg");
    return QStringLiteral("mka");
}

QString titlesFileName(const QString &recordingPath)
{
    const QFileInfo info(recordingPath);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".txt");
}

QString unusedPath(const QString &path)
{
    const QFileInfo info(path);
    QString candidate = path;
    for (int number = 2; QFileInfo::exists(candidate) || QFileInfo::exists(titlesFileName(candidate)); ++number)
        candidate = info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(" (%1).").arg(number)
            + info.suffix();
    return candidate;
}

}
