#include "ui/skin/skinstyle.h"

#include "ui/skin/skin.h"

#include <QStyleFactory>

SkinStyle::SkinStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

QIcon SkinStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option, const QWidget *widget) const
{
    switch (standardIcon) {
    case SP_MessageBoxInformation:
        return QIcon(Skin::imagePath(QStringLiteral("message-information")));
    case SP_MessageBoxQuestion:
        return QIcon(Skin::imagePath(QStringLiteral("message-question")));
    case SP_MessageBoxWarning:
        return QIcon(Skin::imagePath(QStringLiteral("message-warning")));
    case SP_MessageBoxCritical:
        return QIcon(Skin::imagePath(QStringLiteral("message-critical")));
    default:
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    }
}

int SkinStyle::styleHint(
    StyleHint hint, const QStyleOption *option, const QWidget *widget, QStyleHintReturn *returnData) const
{
    if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
