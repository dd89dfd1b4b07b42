#include "platform/desktop/mprisservice.h"

#include "platform/desktop/mprisplayeradaptor.h"
#include "platform/desktop/mprisrootadaptor.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace
{

const QString playerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

QString statusName(PlayerControl::PlaybackState state)
{
    switch (state) {
    case PlayerControl::PlaybackState::Playing:
        return QStringLiteral("Playing");
    case PlayerControl::PlaybackState::Paused:
        return QStringLiteral("Paused");
    case PlayerControl::PlaybackState::Stopped:
        break;
    }
    return QStringLiteral("Stopped");
}

} // namespace

MprisService::MprisService(PlayerControl &player, QObject *parent)
    : QObject(parent)
    , m_player(player)
    , m_connection(QStringLiteral("ondavox-mpris-unconnected"))
    , m_lastPlaybackStatus(playbackStatus())
    , m_lastVolume(volume())
{
    new MprisRootAdaptor(*this);
    new MprisPlayerAdaptor(*this);

    connect(&m_player, &PlayerControl::playbackStateChanged, this, [this] {
        const QString status = playbackStatus();
        if (status == m_lastPlaybackStatus)
            return;
        m_lastPlaybackStatus = status;
        notifyPlayerProperty(QStringLiteral("PlaybackStatus"), status);
    });
    connect(&m_player, &PlayerControl::volumeChanged, this, [this] {
        const double level = volume();
        if (level == m_lastVolume)
            return;
        m_lastVolume = level;
        notifyPlayerProperty(QStringLiteral("Volume"), level);
    });
}

MprisService::~MprisService()
{
    if (m_registeredName.isEmpty())
        return;
    m_connection.unregisterService(m_registeredName);
    m_connection.unregisterObject(objectPath);
}

bool MprisService::start(QDBusConnection connection)
{
    if (!connection.isConnected()) {
        m_errorString = QStringLiteral("Aucun bus de session D-Bus : la lecture en cours ne sera pas publiée (%1).")
                            .arg(connection.lastError().message());
        return false;
    }
    if (!connection.registerObject(objectPath, this, QDBusConnection::ExportAdaptors)) {
        m_errorString = QStringLiteral("L'objet %1 n'a pas pu être publié sur le bus de session (%2).")
                            .arg(objectPath, connection.lastError().message());
        return false;
    }
    // A second running instance keeps the first one's name free, as MPRIS asks.
    const QStringList names { serviceName,
        serviceName + QStringLiteral(".instance") + QString::number(QCoreApplication::applicationPid()) };
    for (const QString &name : names) {
        if (connection.registerService(name)) {
            m_connection = connection;
            m_registeredName = name;
            m_errorString.clear();
            return true;
        }
    }
    m_errorString = QStringLiteral("Le nom %1 n'a pas pu être pris sur le bus de session (%2).")
                        .arg(serviceName, connection.lastError().message());
    connection.unregisterObject(objectPath);
    return false;
}

void MprisService::PublishNowPlaying(const QString &t1, const QString &, const QString &t3)
{
    // The client shows t1 then t3; the publishing loop sends every 500 ms, so
    // only a different title is news for the desktop.
    const QString title = t1 + t3;
    if (title == m_title)
        return;
    m_title = title;
    m_metadata.clear();
    if (!title.isEmpty()) {
        ++m_trackNumber;
        m_metadata.insert(QStringLiteral("mpris:trackid"),
            QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/ondavox/Track/%1").arg(m_trackNumber))));
        m_metadata.insert(QStringLiteral("xesam:title"), title);
    }
    notifyPlayerProperty(QStringLiteral("Metadata"), m_metadata);
}

QString MprisService::playbackStatus() const
{
    return statusName(m_player.playbackState());
}

double MprisService::volume() const
{
    return m_player.volume() / 100.0;
}

void MprisService::setVolume(double volume)
{
    if (!std::isfinite(volume))
        return;
    m_player.setVolume(static_cast<int>(std::lround(std::clamp(volume, 0.0, 1.0) * 100.0)));
}

void MprisService::raise()
{
    Q_EMIT raiseRequested();
}

void MprisService::quit()
{
    // Queued, so that the caller gets its answer before the program ends.
    QTimer::singleShot(0, this, &MprisService::quitRequested);
}

void MprisService::openUri(const QString &uri)
{
    Q_EMIT openUriRequested(uri);
}

void MprisService::notifyPlayerProperty(const QString &name, const QVariant &value)
{
    if (m_registeredName.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(
        objectPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
    signal << playerInterface << QVariantMap { { name, value } } << QStringList();
    m_connection.send(signal);
}
