#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

class QApplication;

// The program's one skin: a dark style sheet and the images in the Qt
// resources (src/ui/skin.qrc, drawn by src/ui/skin/render-skin.sh).
//
// Images, each ":/skin/<name>.png" (with an "@2x" variant):
//   window buttons, normal and "-hover": close, enlarge, minimise, tray, ontop
//   toolbar buttons, normal and "-hover": radio, tv, favourites, stop, refresh, options
//   browsers, normal and "-hover": arrow-up, arrow-down; and scroll-ball
//   favourites list: favourite-radio, favourite-tv; delete, normal and "-hover"
//   resize-grip, refresh-icon, ondavox (application and tray icon)
//   message-information, message-question, message-warning, message-critical
class Skin
{
public:
    // Style, palette, style sheet and window icon for the whole application.
    static void apply(QApplication &app);

    static QString imagePath(const QString &name);
    static QIcon applicationIcon();
    static QString styleSheet();
    static QColor accentColor();
};
