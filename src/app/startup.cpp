#include "app/startup.h"

#include "app/statestore.h"
#include "app/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace
{

const QString crLf = QStringLiteral("\r\n");

// Every line followed by CR LF, in file order: the text the browsers scan.
std::optional<QString> readCatalogue(const QString &path)
{
    const std::optional<QStringList> lines = TextFile::readLines(path);
    if (!lines)
        return std::nullopt;
    QString text;
    for (const QString &line : *lines)
        text += line + crLf;
    return text;
}

bool loadTrappedSteps(StateStore &store)
{
    const std::optional<QString> radio = readCatalogue(store.installPath(Startup::radioCatalogueName));
    if (!radio)
        return false;
    store.setData(store.data() + *radio);

    const std::optional<QString> tv = readCatalogue(store.installPath(Startup::tvCatalogueName));
    if (!tv)
        return false;
    store.setDataTV(store.dataTV() + *tv);

    const std::optional<QStringList> preferenceLines = TextFile::readLines(store.userPath(Startup::preferencesName));
    if (!preferenceLines)
        return false;
    store.setCurl(store.curl() + preferenceLines->join(QString()));

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

void loadFiles(StateStore &store)
{
    loadTrappedSteps(store);
    store.setCurl(QString());
}

bool writePreferences(const StateStore &store)
{
    return TextFile::write(store.userPath(preferencesName), EcritFichier(store.preferences()) + crLf);
}

}
