#pragma once

#include "ui/shell/radio.h"
#include "ui/skin/imagebuttonpair.h"

#include <QString>

// One of the main window's own image buttons, its toolbar's or its window
// buttons, by name: "Arret", "BoutonOptions", "Agrandir", "Quitter"...
inline ImageButtonPair *toolbarButton(const Radio &window, const QString &name)
{
    return window.findChild<ImageButtonPair *>(name, Qt::FindDirectChildrenOnly);
}
