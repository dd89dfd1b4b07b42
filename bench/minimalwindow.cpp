#include "player/exitonshow.h"

#include <QApplication>
#include <QLabel>

// The baseline of the start-up benchmark: the least a Qt Widgets program does
// to show a window.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ExitOnShow::installIfRequested(app);
    QLabel window(QStringLiteral("Ondavox"));
    window.resize(640, 480);
    window.show();
    return app.exec();
}
