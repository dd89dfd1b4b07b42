#include "core/state/startup.h"

#include "core/state/statestore.h"
#include "core/state/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

namespace
{

const QString crLf = QStringLiteral("\r\n");

TextFile::Lines readFile(const QString &path, const Startup::FileOpener &open)
{
    const std::unique_ptr<QIODevice> file = open(path);
    return file ? TextFile::readLinesUntilFailure(*file) : TextFile::Lines {};
}

// Every line followed by CR LF, in file order: the text the browsers scan.
QString catalogueText(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + crLf;
    return text;
}

// Each line read is appended as it comes, so what a failure interrupts keeps
// what came before it.
bool loadTrappedSteps(StateStore &store, const Startup::FileOpener &open)
{
    const TextFile::Lines radio = readFile(store.installPath(Startup::radioCatalogueName), open);
    store.setData(store.data() + catalogueText(radio.lines));
    if (!radio.complete)
        return false;

    const TextFile::Lines tv = readFile(store.installPath(Startup::tvCatalogueName), open);
    store.setDataTV(store.dataTV() + catalogueText(tv.lines));
    if (!tv.complete)
        return false;

    const TextFile::Lines preferenceLines = readFile(store.userPath(Startup::preferencesName), open);
    store.setCurl(store.curl() + preferenceLines.lines.join(QString()));
    if (!preferenceLines.complete)
        return false;

    if (!store.curl().isEmpty()) {
        Preferences preferences = store.preferences();
        readPreferencesRecord(store.curl(), preferences);
        store.setPreferences(preferences);
    }
    return true;
}

} // namespace

namespace Startup
{

QStringList installFolderCandidates(const QString &executableFolder)
{
    return { QDir::cleanPath(executableFolder + QStringLiteral("/../share/ondavox")),
        QStringLiteral("/usr/local/share/ondavox"),
        QStringLiteral("/usr/share/ondavox") };
}

void FindInstallFolder(const QStringList &candidates, StateStore &store)
{
    for (const QString &candidate : candidates) {
        const QFileInfo info(candidate);
        if (!info.isDir())
            continue;
        const QString folder = QDir::cleanPath(info.absoluteFilePath());
        store.setDisque(QStorageInfo(folder).rootPath());
        store.setChemin(folder);
        return;
    }
}

std::unique_ptr<QIODevice> openFile(const QString &path)
{
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        return {};
    return file;
}

void loadFiles(StateStore &store, const FileOpener &open)
{
    loadTrappedSteps(store, open);
    store.setCurl(QString());
}

Files readFiles(const QStringList &candidates, const QString &userFolder, const FileOpener &open)
{
    StateStore store;
    store.setUserFolder(userFolder);
    FindInstallFolder(candidates, store);
    loadFiles(store, open);
    return { store.chemin(), store.disque(), store.data(), store.dataTV(), store.preferences() };
}

void apply(const Files &files, StateStore &store)
{
    store.setDisque(files.disque);
    store.setChemin(files.chemin);
    store.setData(files.data);
    store.setDataTV(files.dataTV);
    store.setPreferences(files.preferences);
}

QString startupStream(const Preferences &preferences)
{
    return preferences.check2 == 1 ? preferences.urlDem : QString();
}

bool writePreferences(const StateStore &store)
{
    return TextFile::write(store.userPath(preferencesName), EcritFichier(store.preferences()) + crLf);
}

}
