#pragma once

#include "platform/browser/webview.h"

#include <QString>
#include <QTest>

// The text of the page a browser's engine shows now, as its reader would see
// it; empty without an engine or when the engine does not answer. For tests
// that link the browser component (the servers' library does not).
inline QString webPageText(const WebView &browser)
{
    QString text;
    bool done = false;
    browser.pageText([&](const QString &result) {
        text = result;
        done = true;
    });
    return QTest::qWaitFor(
               [&] {
                   return done;
               },
               5000)
        ? text.trimmed()
        : QString();
}
