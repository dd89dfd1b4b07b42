#include "ui/skin/kivframe.h"

KivFrame::KivFrame(QWidget *parent)
    : KivFrame(QString(), parent)
{
}

KivFrame::KivFrame(const QString &caption, QWidget *parent)
    : QGroupBox(caption, parent)
{
}
