#include "ui/skin/kivoptionbutton.h"

#include "ui/skin/kivkeys.h"

#include <QKeyEvent>

KivOptionButton::KivOptionButton(QWidget *parent)
    : KivOptionButton(QString(), parent)
{
}

KivOptionButton::KivOptionButton(const QString &caption, QWidget *parent)
    : QRadioButton(parent)
{
    setCaption(caption);
    setFocusPolicy(Qt::StrongFocus);
    setAutoExclusive(true);
    connect(this, &QAbstractButton::clicked, this, &KivOptionButton::Click);
}

QList<KivOptionButton *> KivOptionButton::group() const
{
    if (!parentWidget())
        return { const_cast<KivOptionButton *>(this) };
    return parentWidget()->findChildren<KivOptionButton *>(QString(), Qt::FindDirectChildrenOnly);
}

void KivOptionButton::setValue(int value)
{
    // Qt refuses to clear the checked button of an auto-exclusive group, which
    // keeps exactly one selected.
    setChecked(value != 0);
}

void KivOptionButton::keyPressEvent(QKeyEvent *event)
{
    if (KivKeys::isActivationKey(event)) {
        click();
        return;
    }
    QRadioButton::keyPressEvent(event);
}

void KivOptionButton::showEvent(QShowEvent *event)
{
    QRadioButton::showEvent(event);
    const auto buttons = group();
    for (const KivOptionButton *button : buttons) {
        if (button->isChecked())
            return;
    }
    if (!buttons.isEmpty())
        buttons.first()->setChecked(true);
}
