#pragma once

#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QTimer>

struct ShownMessage {
    QString title;
    QString text;
    int buttons = 0;
};

// Answers every message box a window opens with its OK button, and keeps
// what each one said.
class MessageBoxAnswerer : public QObject
{
public:
    MessageBoxAnswerer()
    {
        connect(&m_poll, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            messages.append({ box->windowTitle(), box->text(), int(box->buttons().size()) });
            box->button(QMessageBox::Ok)->click();
        });
        m_poll.start(10);
    }
    QList<ShownMessage> messages;

private:
    QTimer m_poll;
};
