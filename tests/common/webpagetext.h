#pragma once

#include <QString>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

// The text of the page a browser engine view shows now, as its reader would
// see it; empty when the engine does not answer. For tests that link the
// engine (the servers' library does not).
inline QString webPageText(QWebEngineView *view)
{
    QString text;
    bool done = false;
    view->page()->toPlainText([&](const QString &result) {
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
