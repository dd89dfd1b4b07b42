#pragma once

#include "core/playback/playbacksession.h"
#include "core/playback/playercontrol.h"

#include <QPointer>
#include <memory>
#include <optional>

class EngineLoader;
class MpvSurface;
class PlayerBar;
class PlayerFace;
class PlayerView;
class QMenu;
class QPoint;

// The main window's media player: the playback session shown as one widget,
// the picture with its face and the control bar under it. It exists from the
// start; its engine, libmpv in the player module, comes from a loader that
// began before the windows, and the session keeps what it is asked until then.
class MediaPlayer : public PlayerControl
{
    Q_OBJECT

public:
    explicit MediaPlayer(QObject *parent = nullptr);
    ~MediaPlayer() override;

    // The engine the loader makes, once it is there; the address the loader
    // was given is the one asked for. When no engine can be made, the picture
    // area says why.
    void loadEngine(std::unique_ptr<EngineLoader> loader);
    PlaybackSession &session() { return m_session; }

    // The picture with the control bar under it. The player deletes it,
    // unless a window it was placed in went first.
    QWidget *widget() const;
    // The surface that draws the video exists only once a video was opened:
    // sound alone needs no OpenGL.
    MpvSurface *videoSurface() const;
    PlayerBar *controlBar() const;
    PlayerFace *face() const;

    void setUrl(const QString &url) override;
    QString url() const override { return m_session.url(); }
    QString status() const override { return m_session.status(); }

    void setPicture(const QString &path) override;
    void setDisplayName(const QString &name) override;

    void setStretchToFit(bool stretch) override;
    bool stretchToFit() const override { return m_stretchToFit; }
    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return m_enabled; }
    void setVisible(bool visible) override;
    bool isVisible() const override { return m_visible; }

    PlaybackState playbackState() const override { return m_session.playbackState(); }
    void play() override { m_session.play(); }
    void pause() override { m_session.pause(); }
    void stop() override { m_session.stop(); }
    int volume() const override { return m_session.volume(); }
    void setVolume(int volume) override { m_session.setVolume(volume); }
    bool isMuted() const { return m_session.isMuted(); }
    void setMuted(bool muted) { m_session.setMuted(muted); }

    bool isFullScreen() const { return m_fullScreen; }
    void setFullScreen(bool fullScreen);
    // The picture of what plays; empty when none is known.
    QString picturePath() const { return m_picturePath; }

Q_SIGNALS:
    void pictureChanged(const QString &path);
    void fullScreenChanged(bool fullScreen);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onEngineLoaded();
    // mpv has opened a file and waits before starting its decoders: a video
    // needs its surface first.
    void onPreloaded(quint64 hook);
    void createSurface();
    void releaseHook();
    void takeEvents(QWidget *picture);
    bool drawsVideo() const;
    // The bar and the face as the session stands.
    void refresh();
    void showContextMenu(const QPoint &globalPosition);

    PlaybackSession m_session;
    std::unique_ptr<EngineLoader> m_loader;
    QPointer<PlayerView> m_view;
    bool m_stretchToFit = true;
    bool m_enabled = true;
    bool m_visible = true;
    bool m_fullScreen = false;
    bool m_videoShown = false;
    // The picture handed over for the next address, and the one shown for
    // the current address.
    std::optional<QString> m_nextPicture;
    QString m_picturePath;
    QString m_pictureAddress;
    // The mpv hook that waits for the video surface's render context.
    std::optional<quint64> m_pendingHook;
    // The surface, valid while its widget lives.
    MpvSurface *m_surface = nullptr;
    QPointer<QWidget> m_surfaceWidget;
    // The surface, or a plain black area where mpv does not draw through us.
    QPointer<QWidget> m_picture;
    QPointer<QMenu> m_menu;
};
