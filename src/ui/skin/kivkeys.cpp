#include "ui/skin/kivkeys.h"

#include <QKeyEvent>

bool KivKeys::isActivationKey(const QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    return enter && modifiers == Qt::NoModifier && !event->isAutoRepeat();
}
