#include "player/playermodule.h"

#include "player/mpvengine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

namespace PlayerModule
{

QString path(const QString &programFolder)
{
    return QDir::cleanPath(programFolder + QLatin1Char('/') + QStringLiteral(ONDAVOX_MODULE_FOLDER)
        + QStringLiteral("/ondavox-player.so"));
}

bool isInstalled(const QString &programFolder)
{
    return QFileInfo(path(programFolder)).isFile();
}

MpvEngineFactory *load(const QString &file, QString *error)
{
    if (!QFileInfo(file).isFile()) {
        *error = QStringLiteral("module absent : %1").arg(QDir::toNativeSeparators(file));
        return nullptr;
    }
    // Never unloaded: the engines it made live until the end.
    QPluginLoader loader(file);
    QObject *root = loader.instance();
    if (!root) {
        *error = QStringLiteral("module illisible : %1 (%2)").arg(QDir::toNativeSeparators(file), loader.errorString());
        return nullptr;
    }
    auto *factory = qobject_cast<MpvEngineFactory *>(root);
    if (!factory)
        *error = QStringLiteral("module d'une autre sorte : %1").arg(QDir::toNativeSeparators(file));
    return factory;
}

MpvEngineFactory *load(QString *error)
{
    return load(path(QCoreApplication::applicationDirPath()), error);
}

} // namespace PlayerModule
