#pragma once

#include "core/state/preferences.h"

#include <QIODevice>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class StateStore;

namespace Startup
{

// Where the program looks for its read-only data, first match wins: next to
// the executable in the build or install tree, then the system prefixes.
QStringList installFolderCandidates(const QString &executableFolder);

// Fills `Chemin` with the first candidate that is an existing folder (no
// trailing separator) and `Disque` with the root of the file system holding
// it. Both stay empty when none exists.
void FindInstallFolder(const QStringList &candidates, StateStore &store);

// Opens a file for reading; nothing when it cannot be opened.
using FileOpener = std::function<std::unique_ptr<QIODevice>(const QString &path)>;
std::unique_ptr<QIODevice> openFile(const QString &path);

// Loading steps of the start-up: the radio catalogue into `Data`, the TV
// catalogue into `DataTV`, the preferences record into the option values,
// then `Curl` emptied. The first file that cannot be read ends the loading,
// silently: with no radio catalogue neither the TV catalogue nor the
// preferences are read. A file that fails part-way keeps the lines read
// before the failure.
void loadFiles(StateStore &store, const FileOpener &open = openFile);

// What the loading steps read: the installation folder and its drive, the
// two catalogues, and the preferences.
struct Files {
    QString chemin;
    QString disque;
    QString data;
    QString dataTV;
    Preferences preferences;
};

// FindInstallFolder and loadFiles, into a store of their own, for `userFolder`.
// main() reads the files before the application exists, to know at once
// whether a stream is to be played at start.
Files readFiles(const QStringList &candidates, const QString &userFolder, const FileOpener &open = openFile);
// Puts what was read into `store`, as the loading steps would have.
void apply(const Files &files, StateStore &store);

// The address the start-up sequence plays; empty when it plays none.
QString startupStream(const Preferences &preferences);

// Exit step: composes the preferences record and writes it, with its CR LF,
// in place of "ovxpref.log". False when the file could not be written.
bool writePreferences(const StateStore &store);

inline const QString radioCatalogueName = QStringLiteral("ovxdatabase.ondb");
inline const QString tvCatalogueName = QStringLiteral("ovxdatabase2.ondb");
inline const QString preferencesName = QStringLiteral("ovxpref.log");

}
