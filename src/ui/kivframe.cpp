#include "ui/kivframe.h"

KivFrame::KivFrame(QWidget *parent)
    : KivFrame(QString(), parent)
{
}

KivFrame::KivFrame(const QString &caption, QWidget *parent)
    : QGroupBox(parent)
{
    setCaption(caption);
}

void KivFrame::setCaption(const QString &caption)
{
    setTitle(caption);
    setAccessibleName(caption);
}
