#pragma once

#include "platform/browser/webview.h"

#include <QWidget>

// The browser engine's own view in a browser's area: none until the engine
// has started. Found by its class name, so that the suite need not link the
// engine, whose libraries must stay unmapped until a view is shown.
inline QWidget *engineView(WebView &browser)
{
    for (QWidget *child : browser.widget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child->inherits("QWebEngineView"))
            return child;
    }
    return nullptr;
}
