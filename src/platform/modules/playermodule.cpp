#include "platform/modules/playermodule.h"

#include "core/playback/mpvengine.h"
#include "platform/modules/modules.h"

#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <dlfcn.h>
#include <thread>

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

void preloadLibraries(const QString &file)
{
    QFile list(file + QStringLiteral(".libraries"));
    if (!list.open(QIODevice::ReadOnly))
        return;
    // The lock is not handed to a thread waiting for it unless this one
    // steps aside before taking it again: every few milliseconds of loading.
    constexpr auto turn = std::chrono::milliseconds(4);
    auto lastStep = std::chrono::steady_clock::now();
    while (!list.atEnd()) {
        const QByteArray name = list.readLine().trimmed();
        if (name.isEmpty())
            continue;
        // Never closed: the module holds them until the program ends.
        dlopen(name.constData(), RTLD_LAZY | RTLD_LOCAL);
        if (std::chrono::steady_clock::now() - lastStep >= turn) {
            std::this_thread::sleep_for(std::chrono::microseconds(1));
            lastStep = std::chrono::steady_clock::now();
        }
    }
}

MpvEngineFactory *load(const QString &file, QString *error)
{
    const QFileInfo module(file);
    return Modules::load<MpvEngineFactory>(module.absolutePath(), module.completeBaseName(), error);
}

} // namespace PlayerModule
