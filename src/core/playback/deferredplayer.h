#pragma once

#include "core/playback/playbackstatus.h"
#include "core/playback/playercontrol.h"

#include <memory>
#include <optional>

// The main window's player from the first moment on. The media player is
// loaded only once the window shows, and until then this one keeps what it
// was asked (the address, the picture and name, volume, fit, visibility) and
// answers as the player would; attach() hands all of it over, and from then
// on every call goes to the player and its signals come out of this one.
class DeferredPlayer : public PlayerControl
{
    Q_OBJECT

public:
    using PlayerControl::PlayerControl;
    ~DeferredPlayer() override;

    // Takes the player that does the work; once only.
    void attach(std::unique_ptr<PlayerControl> player);
    PlayerControl *attached() const { return m_player.get(); }

    void setUrl(const QString &url) override;
    QString url() const override { return m_url; }
    QString status() const override;
    void setPicture(const QString &path) override;
    void setDisplayName(const QString &name) override;
    void setStretchToFit(bool stretch) override;
    bool stretchToFit() const override { return m_stretchToFit; }
    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return m_enabled; }
    void setVisible(bool visible) override;
    bool isVisible() const override { return m_visible; }
    PlaybackState playbackState() const override;
    void play() override;
    void pause() override;
    void stop() override;
    int volume() const override;
    void setVolume(int volume) override;

private:
    // Tells the listeners what changed, once.
    void publish(const QString &status, PlaybackState state);

    std::unique_ptr<PlayerControl> m_player;
    QString m_url;
    // Before the player is there: the address waits to be played, and how
    // the player would describe that.
    bool m_urlPending = false;
    bool m_pausePending = false;
    PlaybackStatus m_status;
    // The picture given for the waiting address, and one given since for the next.
    std::optional<QString> m_urlPicture;
    std::optional<QString> m_nextPicture;
    std::optional<QString> m_displayName;
    bool m_stretchToFit = true;
    bool m_enabled = true;
    bool m_visible = true;
    int m_volume = 50;
    QString m_publishedStatus;
    PlaybackState m_publishedState = PlaybackState::Stopped;
};
