#pragma once

#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

struct ShownMessage {
    QString title;
    QString text;
    int buttons = 0;
    Qt::TextFormat format = Qt::AutoText;
};

// Answers every modal message box a window opens with its OK button, and
// keeps what each one said.
class MessageBoxAnswerer : public QObject
{
public:
    MessageBoxAnswerer()
    {
        connect(&m_poll, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            messages.append({ box->windowTitle(), box->text(), int(box->buttons().size()), box->textFormat() });
            box->button(QMessageBox::Ok)->click();
        });
        m_poll.start(10);
    }
    QList<ShownMessage> messages;

private:
    QTimer m_poll;
};
