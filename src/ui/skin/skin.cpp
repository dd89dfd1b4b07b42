#include "ui/skin/skin.h"

#include "ui/skin/skinstyle.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QPalette>

// Resources of a static library are not registered by themselves: the
// registration has to be referenced from code that is linked in.
static void initSkinResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(skin);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace
{
const QColor Window(0x12, 0x15, 0x1b);
const QColor Base(0x0c, 0x0e, 0x12);
const QColor Raised(0x22, 0x27, 0x31);
const QColor Text(0xdc, 0xe3, 0xee);
const QColor Muted(0x7c, 0x86, 0x99);
const QColor Accent(0x3d, 0xa9, 0xfc);
}

QString Skin::imagePath(const QString &name)
{
    initSkinResources();
    return QStringLiteral(":/skin/%1.png").arg(name);
}

QIcon Skin::applicationIcon()
{
    initSkinResources();
    QIcon icon;
    for (int size : { 16, 24, 32, 48, 64, 128, 256 })
        icon.addFile(QStringLiteral(":/skin/ondavox-%1.png").arg(size), QSize(size, size));
    return icon;
}

QString Skin::styleSheet()
{
    initSkinResources();
    QFile file(QStringLiteral(":/skin/ondavox.qss"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QColor Skin::accentColor()
{
    return Accent;
}

void Skin::apply(QApplication &app)
{
    initSkinResources();
    // Fusion draws every control from the palette and honours the style
    // sheet fully, unlike the desktop's native style.
    app.setStyle(new SkinStyle);

    QPalette palette;
    palette.setColor(QPalette::Window, Window);
    palette.setColor(QPalette::WindowText, Text);
    palette.setColor(QPalette::Base, Base);
    palette.setColor(QPalette::AlternateBase, Raised);
    palette.setColor(QPalette::Text, Text);
    palette.setColor(QPalette::Button, Raised);
    palette.setColor(QPalette::ButtonText, Text);
    palette.setColor(QPalette::BrightText, Qt::white);
    palette.setColor(QPalette::Highlight, Accent);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, Raised);
    palette.setColor(QPalette::ToolTipText, Text);
    palette.setColor(QPalette::PlaceholderText, Muted);
    palette.setColor(QPalette::Link, Accent);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, Muted);
    palette.setColor(QPalette::Disabled, QPalette::Text, Muted);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, Muted);
    app.setPalette(palette);

    QFont font = QApplication::font();
    font.setPointSizeF(9);
    app.setFont(font);

    app.setStyleSheet(styleSheet());
    app.setWindowIcon(applicationIcon());
}
