#pragma once

#include <QString>

// Where a downloaded file goes: under the name the server gives it, numbered
// ("setup (1).exe") rather than overwriting a file already there, and written
// under a temporary name of its own until it is whole.
namespace DownloadNaming
{

// The server's name reduced to a plain file name of the folder: no path, no
// control or invisible characters, nothing that hides it (no leading dot or
// space), short enough for its numbered ".part" form to fit in 255 bytes
// (its extension kept); a fallback name when nothing is left.
QString safeName(const QString &serverName);

// `name` itself for 0, else the number in brackets before the extension.
QString numberedName(const QString &name, int number);

// Creates an empty file "<name>.part" (numbered if taken) in `folder`, so that
// no other download can take the name; returns its name, or an empty text
// when the folder takes no new file.
QString reservePartFile(const QString &folder, const QString &name);

// Renames `partName` to the first free numbered form of `name`, never
// replacing a file; returns the name it got, or an empty text when the
// rename fails for another reason than a taken name.
QString moveToFreeName(const QString &folder, const QString &partName, const QString &name);

}
