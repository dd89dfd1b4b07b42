#pragma once

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QString>

// The name the program `pid` holds on the session bus as a media player;
// empty while it holds none. Another instance started by a test running
// beside this one may hold the plain name; this one then takes its
// instance name.
inline QString mprisNameOf(qint64 pid)
{
    QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
    const QString plainName = QStringLiteral("org.mpris.MediaPlayer2.ondavox");
    const QString instanceName = plainName + QStringLiteral(".instance") + QString::number(pid);
    if (bus->isServiceRegistered(instanceName))
        return instanceName;
    if (bus->isServiceRegistered(plainName) && bus->servicePid(plainName).value() == uint(pid))
        return plainName;
    return QString();
}
