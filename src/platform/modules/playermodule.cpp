#include "platform/modules/playermodule.h"

#include "core/playback/mpvengine.h"
#include "platform/modules/modules.h"

#include <QFileInfo>

namespace PlayerModule
{

namespace
{

    const QString moduleName = QStringLiteral("ondavox-player");

} // namespace

QString path(const QString &programFolder)
{
    return Modules::path(Modules::folderBeside(programFolder), moduleName);
}

bool isInstalled(const QString &programFolder)
{
    return QFileInfo(path(programFolder)).isFile();
}

MpvEngineFactory *load(const QString &file, QString *error)
{
    const QFileInfo module(file);
    return Modules::load<MpvEngineFactory>(module.absolutePath(), module.completeBaseName(), error);
}

} // namespace PlayerModule
