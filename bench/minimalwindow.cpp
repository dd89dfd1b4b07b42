#include <QApplication>
#include <QLabel>

// The baseline of the first-window figure: the least a Qt Widgets program does
// to show a window.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Ondavox"));
    window.resize(640, 480);
    window.show();
    return app.exec();
}
