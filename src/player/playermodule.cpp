#include "player/playermodule.h"

#include "player/earlystream.h"
#include "player/playercontrol.h"
#include "player/playerfactory.h"

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
    return QFileInfo::exists(path(programFolder));
}

std::unique_ptr<PlayerControl> createPlayer(PlayerView &view, std::unique_ptr<EarlyStream> early, QString *error)
{
    return createPlayer(path(QCoreApplication::applicationDirPath()), view, std::move(early), error);
}

std::unique_ptr<PlayerControl> createPlayer(
    const QString &file, PlayerView &view, std::unique_ptr<EarlyStream> early, QString *error)
{
    if (!QFileInfo::exists(file)) {
        *error = QStringLiteral("module absent : %1").arg(file);
        return {};
    }
    // The loader is dropped, the module stays: nothing unloads it.
    QPluginLoader loader(file);
    auto *factory = qobject_cast<PlayerFactory *>(loader.instance());
    if (!factory) {
        *error = loader.errorString();
        return {};
    }
    return factory->createPlayer(view, std::move(early), error);
}

} // namespace PlayerModule
