#include "platform/desktop/mprisservice.h"

#include "platform/desktop/mprisplayeradaptor.h"
#include "platform/desktop/mprisrootadaptor.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QFileInfo>
#include <QStringList>
#include <QTimer>
#include <QUrl>
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
        refreshMetadata();
    });
    connect(&m_player, &PlayerControl::volumeChanged, this, [this] {
        const double level = volume();
        if (level == m_lastVolume)
            return;
        m_lastVolume = level;
        notifyPlayerProperty(QStringLiteral("Volume"), level);
    });
    connect(&m_player, &PlayerControl::streamTitleChanged, this, [this](const QString &title) {
        m_streamTitle = title;
        refreshMetadata();
    });
    // A new address is news for the metadata, and its position starts afresh.
    connect(&m_player, &PlayerControl::statusChanged, this, [this] {
        if (m_player.url() != m_url) {
            m_url = m_player.url();
            m_position = -1;
        }
        refreshMetadata();
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
    refreshMetadata();
}

void MprisService::setStation(const QString &name)
{
    m_station = name;
    refreshMetadata();
}

void MprisService::setPicture(const QString &path)
{
    // A picture that is not there would show as a broken image.
    m_picture = !path.isEmpty() && QFileInfo(path).isFile() ? QFileInfo(path).absoluteFilePath() : QString();
    refreshMetadata();
}

void MprisService::setSeekRange(bool seekable, double duration)
{
    const bool could = canSeek();
    m_seekable = seekable;
    m_duration = duration;
    if (canSeek() != could)
        notifyPlayerProperty(QStringLiteral("CanSeek"), canSeek());
    refreshMetadata();
}

void MprisService::setPosition(double seconds)
{
    const double previous = m_position;
    m_position = seconds;
    // The engine reports its position many times a second while it plays and
    // not at all while it is paused: a jump is a seek, whoever asked for it.
    if (canSeek() && previous >= 0 && std::abs(seconds - previous) > 1.0)
        Q_EMIT seeked(position());
}

void MprisService::clear()
{
    m_cleared = true;
    refreshMetadata();
}

qlonglong MprisService::position() const
{
    return m_position < 0 ? 0 : std::llround(m_position * 1e6);
}

void MprisService::seek(qlonglong offset)
{
    if (!canSeek())
        return;
    const double target = std::max(0.0, (position() + offset) / 1e6);
    // Past the end would mean the next entry, and there is none.
    if (target > m_duration)
        return;
    Q_EMIT seekRequested(target);
}

void MprisService::setPositionFromDesktop(const QDBusObjectPath &trackId, qlonglong position)
{
    // A request meant for a track that has gone since is stale.
    if (!canSeek() || position < 0 || position > std::llround(m_duration * 1e6)
        || trackId != m_metadata.value(QStringLiteral("mpris:trackid")).value<QDBusObjectPath>())
        return;
    Q_EMIT seekRequested(position / 1e6);
}

void MprisService::refreshMetadata()
{
    // Something plays, or is paused, until a stop or a failure; while the
    // publisher's option sends a text, that text is the title whatever plays.
    const bool loaded
        = !m_cleared && !m_player.url().isEmpty() && m_player.playbackState() != PlayerControl::PlaybackState::Stopped;
    QString title = m_cleared ? QString() : m_title;
    if (title.isEmpty() && loaded)
        title = m_streamTitle.isEmpty() ? m_station : m_streamTitle;
    QVariantMap composed;
    if (!title.isEmpty()) {
        composed.insert(QStringLiteral("xesam:title"), title);
        if (loaded && !m_station.isEmpty()) {
            // GNOME shows the artist under the title; KDE the album too.
            composed.insert(QStringLiteral("xesam:artist"), QStringList { m_station });
            composed.insert(QStringLiteral("xesam:album"), m_station);
        }
        if (loaded && !m_picture.isEmpty())
            composed.insert(QStringLiteral("mpris:artUrl"), QUrl::fromLocalFile(m_picture).toString());
        if (loaded && canSeek())
            composed.insert(QStringLiteral("mpris:length"), qlonglong(std::llround(m_duration * 1e6)));
    }
    const QString trackKey = QStringLiteral("mpris:trackid");
    QVariantMap previous = m_metadata;
    const QVariant previousTrack = previous.take(trackKey);
    if (composed == previous)
        return;
    if (!composed.isEmpty()) {
        // Another title or station is another track for the desktop; a
        // picture or a length found later is not.
        const bool sameTrack = previousTrack.isValid()
            && previous.value(QStringLiteral("xesam:title")) == composed.value(QStringLiteral("xesam:title"))
            && previous.value(QStringLiteral("xesam:album")) == composed.value(QStringLiteral("xesam:album"));
        if (!sameTrack)
            ++m_trackNumber;
        composed.insert(
            trackKey, QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/ondavox/Track/%1").arg(m_trackNumber))));
    }
    m_metadata = composed;
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
