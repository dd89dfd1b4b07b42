#include "ui/programmessage.h"

#include <QMessageBox>

void programMessage(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Ondavox"), text, QMessageBox::Ok, parent);
    box.exec();
}
