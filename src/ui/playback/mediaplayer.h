#pragma once

#include "core/playback/earlystream.h"
#include "core/playback/mpvengine.h"
#include "core/playback/playbackstatus.h"
#include "core/playback/playercontrol.h"
#include "ui/playback/playerbar.h"
#include "ui/playback/playerface.h"
#include "ui/playback/playerview.h"

#include <QMenu>
#include <QPointer>
#include <QUrl>
#include <memory>
#include <optional>

class PlaylistResolver;

// The main window's media player: libmpv behind the PlayerControl interface,
// with its picture and control bar as one widget. libmpv and the OpenGL it
// draws with are in the player module (MpvEngine); the player loads it when it
// is made, once the main window shows.
class MediaPlayer : public PlayerControl
{
    Q_OBJECT

public:
    using Options = MpvEngine::Options;

    // Nothing, with the reason in `error`, when the module cannot be loaded
    // or libmpv cannot start.
    static std::unique_ptr<MediaPlayer> create(
        const Options &options = {}, QString *error = nullptr, QObject *parent = nullptr);
    static std::unique_ptr<MediaPlayer> create(
        MpvEngineFactory &engine, const Options &options, QString *error, QObject *parent = nullptr);
    // The main window's player: its outputs chosen by the environment,
    // `view` taken over, and `early` offered (offerEarlyStream()).
    static std::unique_ptr<MediaPlayer> createForWindow(
        PlayerView &view, std::unique_ptr<EarlyStream> early, QString *error);
    ~MediaPlayer() override;

    // The picture with the control bar under it. Made on first use and then
    // owned by the player (placing it in a layout is fine; the player deletes
    // it), unless the player was given one to drive (useView()).
    QWidget *widget();
    void useView(PlayerView &view);
    // The surface that draws the video exists only once a video was opened:
    // sound alone needs no OpenGL.
    MpvSurface *videoSurface() const { return m_surfaceWidget ? m_surface : nullptr; }
    PlayerBar *controlBar() const { return m_bar; }
    PlayerFace *face() const { return m_face; }
    MpvEngine &controller() { return *m_engine; }

    void setUrl(const QString &url) override;
    QString url() const override { return m_url; }
    QString status() const override { return m_status.text(); }
    QString streamTitle() const { return m_title; }

    void setPicture(const QString &path) override;
    void setDisplayName(const QString &name) override;

    void setStretchToFit(bool stretch) override;
    bool stretchToFit() const override { return m_stretchToFit; }
    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return m_enabled; }
    void setVisible(bool visible) override;
    bool isVisible() const override;

    PlaybackState playbackState() const override { return m_status.state(); }
    void play() override;
    void pause() override;
    void stop() override;
    int volume() const override { return m_volume; }
    void setVolume(int volume) override;
    bool isMuted() const { return m_muted; }
    void setMuted(bool muted);

    bool isFullScreen() const { return m_fullScreen; }
    void setFullScreen(bool fullScreen);

    // A connection to `stream->address()` opened before the player: if the
    // next address given is that one, the player reads the stream from it
    // instead of connecting again. Any other address closes it.
    void offerEarlyStream(std::unique_ptr<EarlyStream> stream);
    // The address now playing comes through such a connection.
    bool readsEarlyStream() const { return m_reading != nullptr; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

Q_SIGNALS:
    // MPV_EVENT_PLAYBACK_RESTART: audio (or picture) starts coming out.
    void playbackStarted();

private:
    class EngineEvents;

    explicit MediaPlayer(QObject *parent);
    void onFileStarted();
    void onPlaybackRestarted();
    void onVolumeReported(int volume);
    void onLogMessage(const QString &line);
    void load(const QStringList &addresses);
    void onFileEnded(PlaybackStatus::EndReason why);
    void onPlaylistResolved(const QUrl &playlist, const QStringList &entries);
    void onPlaylistFailed(const QUrl &playlist, const QString &reason);
    void onNotPlaylist(const QUrl &url);
    void readEarly(std::unique_ptr<EarlyStream> stream);
    void onEarlyState();
    // mpv has opened a file and waits before starting its decoders: a video
    // needs its surface first.
    void onPreloaded(quint64 hook);
    void createSurface();
    void releaseHook();
    void takeEvents(QWidget *picture);
    bool drawsVideo() const;
    void setStreamTitle(const QString &title);
    // The face covers the picture area while no video is drawn.
    void updateFace();
    // Re-reads the status model after a change and tells whoever listens.
    void publishStatus();
    void showContextMenu(const QPoint &globalPosition);
    void togglePause();

    std::unique_ptr<EngineEvents> m_events;
    // After the events it tells, which must outlive it.
    std::unique_ptr<MpvEngine> m_engine;
    PlaylistResolver *m_resolver;
    PlaybackStatus m_status;
    QString m_publishedStatus;
    PlaybackState m_publishedState = PlaybackState::Stopped;
    QString m_url;
    QString m_title;
    // The address already went through the playlist resolver.
    bool m_resolved = false;
    bool m_stretchToFit = true;
    bool m_enabled = true;
    bool m_visible = true;
    int m_volume = 50;
    bool m_muted = false;
    bool m_seekable = false;
    bool m_fullScreen = false;
    // The address was just handed to mpv: the end of the one it replaces is no news.
    bool m_awaitingStart = false;
    bool m_liveStream = false;
    bool m_videoShown = false;
    // The picture handed over for the next address, and the one shown for
    // the current address.
    std::optional<QString> m_nextPicture;
    QString m_picturePath;
    QString m_pictureAddress;
    QString m_displayName;
    // The last address failed: mpv hands out its log messages after its other
    // events, so the reason may still be on its way and the text is redone.
    std::optional<PlaybackStatus::EndReason> m_failure;
    QStringList m_failureMessages;

    // Offered for the next address, and being read.
    std::unique_ptr<EarlyStream> m_offered;
    std::unique_ptr<EarlyStream> m_reading;
    bool m_earlyLoaded = false;
    // The mpv hook that waits for the video surface's render context.
    std::optional<quint64> m_pendingHook;

    QPointer<PlayerView> m_widget;
    bool m_ownsView = false;
    // The surface, valid while its widget lives.
    MpvSurface *m_surface = nullptr;
    QPointer<QWidget> m_surfaceWidget;
    // The surface, or a plain black area where mpv does not draw through us.
    QPointer<QWidget> m_picture;
    QPointer<PlayerFace> m_face;
    QPointer<PlayerBar> m_bar;
    QPointer<QMenu> m_menu;
};
