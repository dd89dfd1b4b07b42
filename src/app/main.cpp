#include "app/application.h"
#include "core/state/startup.h"
#include "platform/desktop/instancechannel.h"
#include "platform/modules/engineloader.h"
#include "ui/skin/skin.h"

#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <clocale>
#include <cstdio>
#include <unistd.h>

namespace
{

// Words of the command line that are not options: station lists to open.
// Before Qt has taken its own options out, "-platform offscreen" counts
// "offscreen" too; that only delays the player's early start.
QStringList stationLists(const QStringList &arguments)
{
    QStringList lists;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (!arguments.at(i).startsWith(QLatin1Char('-')))
            lists.append(arguments.at(i));
    }
    return lists;
}

QStringList rawArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

} // namespace

int main(int argc, char *argv[])
{
    // The browser engine refuses to start as root with its sandbox on. It
    // starts long after this, from its module, but reads this when it does.
    // Whoever runs the program so is told, once.
    if (geteuid() == 0) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        std::fputs("Ondavox : lancé par root, le moteur du navigateur fonctionne sans son bac à sable "
                   "(QTWEBENGINE_DISABLE_SANDBOX=1).\n",
            stderr);
    }

    // Before the application exists: libmpv's libraries load beside Qt's
    // own, and the start-up stream is asked for as soon as libmpv runs.
    // Reading the files needs only the application's name (for the user's
    // folder) and the program's folder. A program started to open a list
    // may hand it to the one already running and end: it waits.
    QCoreApplication::setApplicationName(QStringLiteral("ondavox"));
    const QString programFolder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    const Startup::Files files = Startup::readFiles(Startup::installFolderCandidates(programFolder),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    std::unique_ptr<EngineLoader> engine;
    if (stationLists(rawArguments(argc, argv)).isEmpty())
        engine = Application::startEngine(files, programFolder);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ondavox"));
    QApplication::setApplicationDisplayName(QStringLiteral("Ondavox"));
    QApplication::setApplicationVersion(QStringLiteral(ONDAVOX_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("ondavox"));
    const QStringList lists = stationLists(QApplication::arguments());
    if (!lists.isEmpty() && InstanceChannel::forward(lists))
        return 0;
    // libmpv refuses to start under a locale whose decimal separator is not
    // ".", and the application has just set the user's.
    std::setlocale(LC_NUMERIC, "C");
    if (engine)
        engine->localeSettled();
    Skin::apply(app);

    Application ondavox;
    ondavox.start(files, std::move(engine));
    ondavox.openStationLists(lists);
    return app.exec();
}
