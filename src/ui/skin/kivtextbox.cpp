#include "ui/skin/kivtextbox.h"

#include <QKeyEvent>

KivTextBox::KivTextBox(QWidget *parent)
    : QLineEdit(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void KivTextBox::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    Q_EMIT KeyPress(event);
    if (!event->isAccepted()) {
        // Accepted again so that the discarded key does not travel up to the
        // window (where Enter could press some other button).
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
