#include "core/stationlists/stationlistfile.h"

#include "core/state/textfile.h"
#include "core/stationlists/m3ureader.h"
#include "core/stationlists/m3uwriter.h"
#include "core/stationlists/plsreader.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QStringDecoder>

namespace
{

QString decoded(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return TextFile::decode(bytes);
}

bool isPls(QStringView text)
{
    for (QStringView line : text.tokenize(u'\n')) {
        line = line.trimmed();
        if (line.startsWith(QChar(0xFEFF)))
            line = line.mid(1);
        if (!line.isEmpty())
            return line.compare(u"[playlist]", Qt::CaseInsensitive) == 0;
    }
    return false;
}

// Why a file could not be read or written, in French: the system's own text
// is in English.
QString reason(const QString &path, const QFileDevice &file, bool writing)
{
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (info.isDir())
        return QStringLiteral("c'est un dossier");
    if (!writing && !info.exists())
        return QStringLiteral("il n'existe pas");
    if (writing && folder.exists() && !folder.isDir())
        return QStringLiteral("« %1 » n'est pas un dossier").arg(folder.fileName());
    if (writing && !folder.exists())
        return QStringLiteral("le dossier « %1 » n'existe pas").arg(folder.fileName());
    if (!writing && !info.isReadable())
        return QStringLiteral("sa lecture n'est pas permise");
    if (writing && (!folder.isWritable() || (info.exists() && !info.isWritable())))
        return QStringLiteral("l'écriture n'y est pas permise");
    if (file.error() == QFileDevice::ResourceError)
        return QStringLiteral("le disque est plein");
    return file.errorString();
}

QString number(qint64 value)
{
    return QLocale(QLocale::French).toString(value);
}

} // namespace

namespace StationListFile
{

QString Opened::message() const
{
    const QString name = QFileInfo(path).fileName();
    switch (problem) {
    case Problem::Unreadable:
        return QStringLiteral("Le fichier « %1 » n'a pas pu être lu : %2.").arg(name, reason);
    case Problem::TooLarge:
        return QStringLiteral("Le fichier « %1 » est trop grand pour une liste de stations (plus de %2 Mio).")
            .arg(name, number(maximumSize / (1024 * 1024)));
    case Problem::NotText:
        return QStringLiteral("Le fichier « %1 » n'est pas une liste de stations : il ne contient pas de texte.")
            .arg(name);
    case Problem::NoStation:
        return QStringLiteral("Le fichier « %1 » ne contient aucune adresse de station.").arg(name);
    case Problem::None:
        break;
    }
    QStringList notes;
    if (read.stop == StationListRead::Stop::TooManyEntries)
        notes.append(QStringLiteral("seules les %1 premières stations sont montrées, la lecture s'est arrêtée à la "
                                    "ligne %2")
                         .arg(number(read.entries.size()), number(read.line)));
    if (read.ignored == 1)
        notes.append(QStringLiteral("une adresse qui n'est pas celle d'un flux a été écartée"));
    else if (read.ignored > 1)
        notes.append(
            QStringLiteral("%1 adresses qui ne sont pas celles d'un flux ont été écartées").arg(number(read.ignored)));
    if (notes.isEmpty())
        return {};
    QString text = notes.join(QStringLiteral(" ; ")) + QLatin1Char('.');
    text[0] = text.at(0).toUpper();
    return text;
}

Opened read(const QString &path)
{
    Opened opened;
    opened.path = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        opened.problem = Opened::Problem::Unreadable;
        opened.reason = reason(path, file, false);
        return opened;
    }
    if (!file.isSequential() && file.size() > maximumSize) {
        opened.problem = Opened::Problem::TooLarge;
        return opened;
    }
    // A pipe has no size: one byte past the limit tells.
    const QByteArray bytes = file.isSequential() ? file.read(maximumSize + 1) : file.readAll();
    if (file.error() != QFileDevice::NoError) {
        opened.problem = Opened::Problem::Unreadable;
        opened.reason = reason(path, file, false);
        return opened;
    }
    if (bytes.size() > maximumSize) {
        opened.problem = Opened::Problem::TooLarge;
        return opened;
    }
    // No text file holds a NUL byte; a picture, a sound or an archive does.
    if (bytes.contains('\0')) {
        opened.problem = Opened::Problem::NotText;
        return opened;
    }
    const QString text = decoded(bytes);
    opened.read = isPls(text) ? PlsReader::read(text, maximumEntries) : M3uReader::read(text, maximumEntries);
    if (opened.read.entries.isEmpty())
        opened.problem = Opened::Problem::NoStation;
    return opened;
}

Saved writeM3u(const QString &path, const QList<StationListEntry> &entries)
{
    Saved saved;
    const M3uWriter::Written written = M3uWriter::write(entries);
    saved.leftOut = written.leftOut;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(written.bytes) != written.bytes.size() || !file.commit()) {
        saved.error = reason(path, file, true);
        return saved;
    }
    saved.ok = true;
    return saved;
}

}
