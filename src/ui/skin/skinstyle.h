#pragma once

#include <QProxyStyle>

// Fusion with the skin's own message-box icons and without icons on dialog
// buttons, which Fusion draws in a desktop look foreign to the skin.
class SkinStyle : public QProxyStyle
{
    Q_OBJECT

public:
    SkinStyle();

    QIcon standardIcon(StandardPixmap standardIcon,
        const QStyleOption *option = nullptr,
        const QWidget *widget = nullptr) const override;
    int styleHint(StyleHint hint,
        const QStyleOption *option = nullptr,
        const QWidget *widget = nullptr,
        QStyleHintReturn *returnData = nullptr) const override;
};
