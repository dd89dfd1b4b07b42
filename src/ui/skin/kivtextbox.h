#pragma once

#include <QLineEdit>

// Skinned single-line text field. "Usable" is the one boolean state the
// program switches (an unusable field shows its text greyed and takes no
// input). Give it an accessible name through a QLabel buddy or
// setAccessibleName, as it has no caption of its own.
class KivTextBox : public QLineEdit
{
    Q_OBJECT

public:
    explicit KivTextBox(QWidget *parent = nullptr);

    void setUsable(bool usable) { setEnabled(usable); }

Q_SIGNALS:
    // Raised for every key pressed in the field, before the field handles it.
    // A handler that calls event->ignore() discards the key: it is neither
    // typed nor passed on to the parent window.
    void KeyPress(QKeyEvent *event);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
