#include "core/playback/deferredplayer.h"

DeferredPlayer::~DeferredPlayer() = default;

void DeferredPlayer::attach(std::unique_ptr<PlayerControl> player)
{
    Q_ASSERT(!m_player && player);
    m_player = std::move(player);
    PlayerControl &target = *m_player;
    target.setStretchToFit(m_stretchToFit);
    target.setEnabled(m_enabled);
    target.setVisible(m_visible);
    target.setVolume(m_volume);
    if (m_displayName)
        target.setDisplayName(*m_displayName);
    if (m_urlPending) {
        if (m_urlPicture)
            target.setPicture(*m_urlPicture);
        target.setUrl(m_url);
        if (m_pausePending)
            target.pause();
    }
    if (m_nextPicture)
        target.setPicture(*m_nextPicture);

    connect(&target, &PlayerControl::statusChanged, this, [this] {
        publish(m_player->status(), m_player->playbackState());
    });
    connect(&target, &PlayerControl::playbackStateChanged, this, [this] {
        publish(m_player->status(), m_player->playbackState());
    });
    connect(&target, &PlayerControl::volumeChanged, this, [this](int volume) {
        m_volume = volume;
        Q_EMIT volumeChanged(volume);
    });
    connect(&target, &PlayerControl::streamTitleChanged, this, &PlayerControl::streamTitleChanged);
    connect(&target, &PlayerControl::mouseDown, this, &PlayerControl::mouseDown);
    connect(&target, &PlayerControl::mouseMove, this, &PlayerControl::mouseMove);
    publish(target.status(), target.playbackState());
}

void DeferredPlayer::publish(const QString &status, PlaybackState state)
{
    if (status != m_publishedStatus) {
        m_publishedStatus = status;
        Q_EMIT statusChanged(status);
    }
    if (state != m_publishedState) {
        m_publishedState = state;
        Q_EMIT playbackStateChanged(state);
    }
}

void DeferredPlayer::setUrl(const QString &url)
{
    m_url = url;
    if (m_player)
        return m_player->setUrl(url);
    m_urlPicture = m_nextPicture;
    m_nextPicture.reset();
    m_pausePending = false;
    m_status.setPaused(false);
    m_urlPending = !url.trimmed().isEmpty();
    if (m_urlPending)
        m_status.loadRequested();
    else
        m_status.stopped();
    publish(m_status.text(), m_status.state());
}

QString DeferredPlayer::status() const
{
    return m_player ? m_player->status() : m_status.text();
}

void DeferredPlayer::setPicture(const QString &path)
{
    if (m_player)
        return m_player->setPicture(path);
    m_nextPicture = path;
}

void DeferredPlayer::setDisplayName(const QString &name)
{
    if (m_player)
        return m_player->setDisplayName(name);
    m_displayName = name;
}

void DeferredPlayer::setStretchToFit(bool stretch)
{
    m_stretchToFit = stretch;
    if (m_player)
        m_player->setStretchToFit(stretch);
}

void DeferredPlayer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    if (m_player)
        m_player->setEnabled(enabled);
}

void DeferredPlayer::setVisible(bool visible)
{
    m_visible = visible;
    if (m_player)
        m_player->setVisible(visible);
}

PlayerControl::PlaybackState DeferredPlayer::playbackState() const
{
    if (m_player)
        return m_player->playbackState();
    return m_status.state();
}

void DeferredPlayer::play()
{
    if (m_player)
        return m_player->play();
    if (m_pausePending) {
        m_pausePending = false;
        m_status.setPaused(false);
    } else if (!m_urlPending && !m_url.trimmed().isEmpty()) {
        m_urlPending = true;
        m_status.loadRequested();
    }
    publish(m_status.text(), playbackState());
}

void DeferredPlayer::pause()
{
    if (m_player)
        return m_player->pause();
    if (m_urlPending) {
        m_pausePending = true;
        m_status.setPaused(true);
    }
    publish(m_status.text(), playbackState());
}

void DeferredPlayer::stop()
{
    if (m_player)
        return m_player->stop();
    m_urlPending = false;
    m_pausePending = false;
    m_status.setPaused(false);
    m_status.stopped();
    publish(m_status.text(), m_status.state());
}

int DeferredPlayer::volume() const
{
    return m_player ? m_player->volume() : m_volume;
}

void DeferredPlayer::setVolume(int volume)
{
    volume = qBound(0, volume, 100);
    if (m_player)
        return m_player->setVolume(volume);
    if (volume == m_volume)
        return;
    m_volume = volume;
    Q_EMIT volumeChanged(volume);
}
