#include "ui/skin/kivcheckbox.h"

#include "ui/skin/kivkeys.h"

#include <QKeyEvent>
#include <QMouseEvent>

KivCheckBox::KivCheckBox(QWidget *parent)
    : KivCheckBox(QString(), parent)
{
}

KivCheckBox::KivCheckBox(const QString &caption, QWidget *parent)
    : QCheckBox(parent)
{
    setCaption(caption);
    setFocusPolicy(Qt::StrongFocus);
    // Hover help needs moves without a pressed button.
    setMouseTracking(true);
    // QAbstractButton::clicked is emitted only for the user's own actions,
    // never by setChecked, which is exactly the contract of Click.
    connect(this, &QAbstractButton::clicked, this, [this](bool checked) {
        Q_EMIT Click(checked ? 1 : 0);
    });
}

void KivCheckBox::setValue(int value)
{
    setChecked(value != 0);
}

void KivCheckBox::keyPressEvent(QKeyEvent *event)
{
    if (KivKeys::isActivationKey(event)) {
        click();
        return;
    }
    QCheckBox::keyPressEvent(event);
}

void KivCheckBox::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT MouseMove(event->buttons(), event->modifiers(), event->position().toPoint());
    QCheckBox::mouseMoveEvent(event);
    // A move over the box is the box's own: passed on, it would reach the
    // window as a move over its bare surface, whose handler clears the very
    // hover help this move has just shown.
    if (event->buttons() == Qt::NoButton)
        event->accept();
}

void KivCheckBox::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT MouseDown(event->button(), event->modifiers(), event->position().toPoint());
    QCheckBox::mousePressEvent(event);
}
