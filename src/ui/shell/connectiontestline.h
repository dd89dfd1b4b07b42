#pragma once

#include "core/browser/connectiontest.h"

#include <QObject>

class BrowserControl;
class QHBoxLayout;
class QLabel;
class QToolButton;
class QWidget;

// The options window's line `Connected`: the connection test's result in
// words and colour, the button that runs the test again, and the small
// browser box that loads the test page (`testInternet`). Built into the
// window's "Connexions" frame; the window places layout().
class ConnectionTestLine : public QObject
{
    Q_OBJECT

public:
    ConnectionTestLine(BrowserControl &testInternet, const QString &testAddress, QWidget *frame);

    QHBoxLayout *layout() const { return m_layout; }
    // The widget that shows `testInternet`, at the end of the line. After the
    // frame's other controls: it comes last when Tab goes round.
    void addTestView(QWidget *view);
    // Start-up, then `RefreshBtn`: the box loads the test page again.
    void start() { m_test.start(); }

Q_SIGNALS:
    // The pointer is over a failed result: the window says what to check.
    void failureHovered();

private:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showResult();

    ConnectionTest m_test;
    QLabel *m_connected;
    QToolButton *m_refreshBtn;
    QHBoxLayout *m_layout;
};
