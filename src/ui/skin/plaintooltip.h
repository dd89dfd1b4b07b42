#pragma once

#include <QString>

// A tooltip that shows `text` as it is written. Qt renders a tooltip that
// looks like markup as rich text ("<b>Rock</b>" in bold), so such a text is
// handed over escaped.
QString plainToolTip(const QString &text);
