#pragma once

#include <QNetworkReply>
#include <QPointer>

// Drops a request in flight: `receiver` hears nothing more from it, and the
// reply goes once the event loop is back (it may be in one of its own signals).
inline void abandonReply(QPointer<QNetworkReply> &reply, QObject *receiver)
{
    if (!reply)
        return;
    QNetworkReply *dropped = reply;
    reply = nullptr;
    dropped->disconnect(receiver);
    dropped->abort();
    dropped->deleteLater();
}
