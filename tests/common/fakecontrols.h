#pragma once

#include "core/browser/browsercontrol.h"
#include "core/playback/playercontrol.h"

#include <QStringList>

// Stand-ins for the main window's player and browser that record what they
// were asked, for tests of the logic around them.
class FakePlayer : public PlayerControl
{
public:
    using PlayerControl::PlayerControl;

    void setUrl(const QString &url) override
    {
        m_url = url;
        urls.append(url);
        urlPictures.append(m_picture);
        m_state = url.isEmpty() ? PlaybackState::Stopped : PlaybackState::Playing;
        if (url.isEmpty() && !m_status.isEmpty())
            setStatus(QStringLiteral("Prêt"));
        Q_EMIT playbackStateChanged(m_state);
    }
    QString url() const override { return m_url; }
    QString status() const override { return m_status; }
    void setPicture(const QString &path) override { m_picture = path; }
    void setDisplayName(const QString &name) override { displayName = name; }
    void setStatus(const QString &status)
    {
        m_status = status;
        Q_EMIT statusChanged(status);
    }
    void setStretchToFit(bool stretch) override { m_stretch = stretch; }
    bool stretchToFit() const override { return m_stretch; }
    void setEnabled(bool enabled) override { m_enabled = enabled; }
    bool isEnabled() const override { return m_enabled; }
    void setVisible(bool visible) override { m_visible = visible; }
    bool isVisible() const override { return m_visible; }
    PlaybackState playbackState() const override { return m_state; }
    void play() override { setState(PlaybackState::Playing); }
    void pause() override { setState(PlaybackState::Paused); }
    void stop() override { setState(PlaybackState::Stopped); }
    int volume() const override { return m_volume; }
    void setVolume(int volume) override
    {
        m_volume = volume;
        Q_EMIT volumeChanged(volume);
    }

    QStringList urls;
    // The picture in place when each address was given, in order.
    QStringList urlPictures;
    QString displayName;

private:
    void setState(PlaybackState state)
    {
        m_state = state;
        Q_EMIT playbackStateChanged(state);
    }

    QString m_url;
    QString m_picture;
    QString m_status;
    bool m_stretch = true;
    bool m_enabled = true;
    bool m_visible = true;
    PlaybackState m_state = PlaybackState::Stopped;
    int m_volume = 50;
};

class FakeBrowser : public BrowserControl
{
public:
    using BrowserControl::BrowserControl;

    void navigate(const QString &address) override { addresses.append(address); }
    void stop() override { ++stops; }
    void refresh() override { ++refreshes; }
    void setVisible(bool visible) override { m_visible = visible; }
    bool isVisible() const override { return m_visible; }

    QStringList addresses;
    int stops = 0;
    int refreshes = 0;

private:
    bool m_visible = false;
};
