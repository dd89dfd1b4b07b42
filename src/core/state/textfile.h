#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QIODevice;

// The program's text files (catalogues, preferences, favourites, playlist) are
// Windows-1252 with CR LF line ends, so that files written on Windows work
// unchanged.
namespace TextFile
{

// The lines of a file, without their line breaks, in file order. A line ends at
// CR LF, CR or LF; a last line without a break still counts; an empty file has
// no lines. Nothing when the file cannot be opened or read.
std::optional<QStringList> readLines(const QString &path);

struct Lines {
    QStringList lines;
    // Read to the end; false when the device failed (or could not be opened).
    bool complete = false;
};

// The lines of `device`, open for reading, split as readLines does, up to its
// end or its first failure: after a failure, the lines whose break was read
// before it, without the piece of a line the failure cut short.
Lines readLinesUntilFailure(QIODevice &device);

// Splits decoded text the same way readLines splits a file.
QStringList splitLines(const QString &text);

// Replaces the file with `text` in one step: either the whole new content is
// there afterwards, or the previous file is untouched. Creates the folder.
bool write(const QString &path, const QString &text);
// The same for bytes already encoded (the program's own UTF-8 files).
bool writeBytes(const QString &path, const QByteArray &bytes);

QString decode(const QByteArray &bytes);
// A character that the files' code page has no byte for becomes "?".
QByteArray encode(const QString &text);

// The first character of `text` that a field of the records ("value*value*")
// cannot carry back unchanged, or nothing: "*" ends a field, a line break is
// lost when the lines are joined again, the code page is Windows-1252, and
// half a character (a surrogate without its other half) is no character at
// all, given back as U+FFFD so that it can be shown.
QString refusedInRecord(QStringView text);

}
