#include "platform/desktop/instancechannel.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFileInfo>

const QString InstanceChannel::serviceName = QStringLiteral("fr.ondavox.Ondavox");
const QString InstanceChannel::objectPath = QStringLiteral("/fr/ondavox/Ondavox");

InstanceChannel::InstanceChannel(QObject *parent)
    : QObject(parent)
{
}

InstanceChannel::~InstanceChannel()
{
    if (!m_open)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterObject(objectPath);
    bus.unregisterService(serviceName);
}

bool InstanceChannel::open()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    if (!bus.registerObject(objectPath, this, QDBusConnection::ExportScriptableSlots))
        return false;
    if (!bus.registerService(serviceName)) {
        bus.unregisterObject(objectPath);
        return false;
    }
    m_open = true;
    return true;
}

bool InstanceChannel::forward(const QStringList &paths)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(serviceName))
        return false;
    QStringList absolute;
    for (const QString &path : paths)
        absolute.append(QFileInfo(path).absoluteFilePath());
    QDBusMessage call
        = QDBusMessage::createMethodCall(serviceName, objectPath, serviceName, QStringLiteral("OpenStationLists"));
    call << absolute;
    const QDBusMessage answer = bus.call(call, QDBus::Block, 5000);
    return answer.type() == QDBusMessage::ReplyMessage;
}

void InstanceChannel::OpenStationLists(const QStringList &paths)
{
    Q_EMIT stationListsReceived(paths);
}
