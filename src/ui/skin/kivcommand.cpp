#include "ui/skin/kivcommand.h"

#include "ui/skin/kivkeys.h"

#include <QKeyEvent>

KivCommand::KivCommand(QWidget *parent)
    : KivCommand(QString(), parent)
{
}

KivCommand::KivCommand(const QString &caption, QWidget *parent)
    : QPushButton(parent)
{
    setCaption(caption);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    connect(this, &QAbstractButton::clicked, this, &KivCommand::Click);
}

void KivCommand::keyPressEvent(QKeyEvent *event)
{
    // A plain QPushButton answers Enter only when it is a dialog's default
    // button; ours are not in dialogs, yet Enter must press them.
    if (KivKeys::isActivationKey(event)) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}
