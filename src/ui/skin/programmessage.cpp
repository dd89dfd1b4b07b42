#include "ui/skin/programmessage.h"

#include <QMessageBox>

namespace
{

QMessageBox *createBox(QWidget *parent, const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::Information, QStringLiteral("Ondavox"), text, QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    return box;
}

} // namespace

void programMessage(QWidget *parent, const QString &text)
{
    QMessageBox *box = createBox(parent, text);
    box->exec();
    delete box;
}

void programNotice(QWidget *parent, const QString &text)
{
    QMessageBox *box = createBox(parent, text);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
