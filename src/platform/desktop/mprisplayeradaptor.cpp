#include "platform/desktop/mprisplayeradaptor.h"

#include "platform/desktop/mprisservice.h"

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService &service)
    : QDBusAbstractAdaptor(&service)
    , m_service(service)
{
    connect(&service, &MprisService::seeked, this, &MprisPlayerAdaptor::Seeked);
}

QString MprisPlayerAdaptor::playbackStatus() const
{
    return m_service.playbackStatus();
}

QVariantMap MprisPlayerAdaptor::metadata() const
{
    return m_service.metadata();
}

double MprisPlayerAdaptor::volume() const
{
    return m_service.volume();
}

void MprisPlayerAdaptor::setVolume(double volume)
{
    m_service.setVolume(volume);
}

void MprisPlayerAdaptor::Pause()
{
    m_service.player().pause();
}

void MprisPlayerAdaptor::PlayPause()
{
    PlayerControl &player = m_service.player();
    if (player.playbackState() == PlayerControl::PlaybackState::Playing)
        player.pause();
    else
        player.play();
}

void MprisPlayerAdaptor::Stop()
{
    m_service.player().stop();
}

void MprisPlayerAdaptor::Play()
{
    m_service.player().play();
}

void MprisPlayerAdaptor::OpenUri(const QString &uri)
{
    m_service.openUri(uri);
}

qlonglong MprisPlayerAdaptor::position() const
{
    return m_service.position();
}

bool MprisPlayerAdaptor::canSeek() const
{
    return m_service.canSeek();
}

void MprisPlayerAdaptor::Seek(qlonglong offset)
{
    m_service.seek(offset);
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath &trackId, qlonglong position)
{
    m_service.setPositionFromDesktop(trackId, position);
}
