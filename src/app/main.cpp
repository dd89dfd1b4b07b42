#include "app/application.h"
#include "core/playback/earlystream.h"
#include "core/state/startup.h"
#include "platform/modules/playermodule.h"
#include "ui/skin/skin.h"

#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <clocale>
#include <unistd.h>

int main(int argc, char *argv[])
{
    // Before the application exists: the start-up stream's server is slow
    // to send its first sound, and its request leaves now, while Qt's GUI,
    // the windows and the player load. Reading the files needs only the
    // application's name (for the user's folder) and the program's folder.
    QCoreApplication::setApplicationName(QStringLiteral("ondavox"));
    const QString programFolder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    const Startup::Files files = Startup::readFiles(Startup::installFolderCandidates(programFolder),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    std::unique_ptr<EarlyStream> early;
    // With no player to read it, the server would only see a listener come and go.
    if (PlayerModule::isInstalled(programFolder))
        early = EarlyStream::open(Startup::startupStream(files.preferences));

    // The browser engine refuses to start as root with its sandbox on. It
    // starts long after this, from its module, but reads this when it does.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ondavox"));
    QApplication::setApplicationDisplayName(QStringLiteral("Ondavox"));
    QApplication::setApplicationVersion(QStringLiteral(ONDAVOX_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("ondavox"));
    // libmpv refuses to start under a locale whose decimal separator is not ".".
    std::setlocale(LC_NUMERIC, "C");
    Skin::apply(app);

    Application ondavox;
    ondavox.start(files, std::move(early));
    return app.exec();
}
