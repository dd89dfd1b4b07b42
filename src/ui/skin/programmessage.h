#pragma once

class QString;
class QWidget;

// The program's message box: the text, shown as it is and never read as
// markup, one OK button, the title "Ondavox".
// Returns when the user has answered it.
void programMessage(QWidget *parent, const QString &text);
// The same box, left open while the program goes on; it goes when answered.
void programNotice(QWidget *parent, const QString &text);
