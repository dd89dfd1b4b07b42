#pragma once

#include "core/playback/playercontrol.h"

#include <QPointer>

class PlayerView;

// Stands where the media player would be when it cannot start (its module
// or libmpv missing, libmpv refusing to start): the program still shows
// pages, and the picture area and the status say why nothing plays.
class UnavailablePlayer : public PlayerControl
{
    Q_OBJECT

public:
    UnavailablePlayer(const QString &reason, PlayerView &view, QObject *parent = nullptr);

    void setUrl(const QString &url) override;
    QString url() const override { return m_url; }
    QString status() const override { return m_status; }
    // Its picture area shows why nothing can play, whatever was chosen.
    void setPicture(const QString &) override { }
    void setDisplayName(const QString &) override { }
    void setStretchToFit(bool stretch) override { m_stretch = stretch; }
    bool stretchToFit() const override { return m_stretch; }
    void setEnabled(bool enabled) override { m_enabled = enabled; }
    bool isEnabled() const override { return m_enabled; }
    void setVisible(bool visible) override;
    bool isVisible() const override { return m_visible; }
    PlaybackState playbackState() const override { return PlaybackState::Stopped; }
    void play() override { }
    void pause() override { }
    void stop() override { }
    int volume() const override { return 50; }
    void setVolume(int) override { }

    static QString statusFor(const QString &reason);

private:
    QString m_reason;
    QString m_url;
    QString m_status;
    bool m_stretch = true;
    bool m_enabled = true;
    bool m_visible = true;
    QPointer<PlayerView> m_view;
};
