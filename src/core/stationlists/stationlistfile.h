#pragma once

#include "core/stationlists/stationlistentry.h"
#include "core/stationlists/stationlistread.h"

#include <QList>
#include <QString>

// Station list files on disk: an M3U, M3U8 or PLS file read whole, and an
// M3U written in one step. Reading takes time on a large file: run it off the
// GUI thread.
namespace StationListFile
{

inline constexpr qint64 maximumSize = 8 * 1024 * 1024;
inline constexpr int maximumEntries = 10000;

struct Opened {
    enum class Problem { None, Unreadable, TooLarge, NotText, NoStation };

    QString path;
    Problem problem = Problem::None;
    QString reason; // the system's, for an unreadable file
    StationListRead read;

    // What the user is told about the file: the problem, or what was left
    // out of the list; empty when every line gave its station.
    QString message() const;
};

// The format is told by the text, not by the name: a list that begins with
// "[playlist]" is a PLS, anything else is read as M3U. UTF-8, or Windows-1252
// when the bytes are not UTF-8.
Opened read(const QString &path);

struct Saved {
    bool ok = false;
    int leftOut = 0;
    QString error;
};

// The whole file or, when writing fails, the previous one untouched.
Saved writeM3u(const QString &path, const QList<StationListEntry> &entries);

}
