#pragma once

class QString;
class QWidget;

// The program's message box: the text, one OK button, the title "Ondavox".
// Returns when the user has answered it.
void programMessage(QWidget *parent, const QString &text);
