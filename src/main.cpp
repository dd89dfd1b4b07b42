#include "app/application.h"
#include "ui/skin.h"

#include <QApplication>
#include <QSurfaceFormat>
#include <clocale>
#include <unistd.h>

int main(int argc, char *argv[])
{
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
    ondavox.start();
    return app.exec();
}
