#pragma once

#include "core/playback/enginehandle.h"
#include "core/playback/playbackstatus.h"
#include "core/playback/playercontrol.h"
#include "core/playback/reconnection.h"

#include <QObject>
#include <QStringList>
#include <QUrl>
#include <memory>
#include <optional>

class PlaylistResolver;
class SessionEvents;

// What plays, apart from how it is shown: the engine's news turned into the
// French status and the playback state, the stream's title, playlists that
// the engine cannot read fetched and handed over as their entries, volume
// and pause, and a live stream opened again when it drops or stalls, for as
// long as the user wants it. It exists from the start; the engine arrives
// later (it loads beside the windows), and until then the session keeps what
// it is asked and answers as it will once the engine plays it.
class PlaybackSession : public QObject
{
    Q_OBJECT

public:
    using PlaybackState = PlayerControl::PlaybackState;

    explicit PlaybackSession(QObject *parent = nullptr);
    ~PlaybackSession() override;

    // The engine, which gets what was asked meanwhile. Once.
    void attachEngine(std::unique_ptr<MpvEngine> engine);
    // No engine will come: every address asked for fails with `reason`.
    void engineUnavailable(const QString &reason);
    // The engine on its way was already given `address`, which is then the
    // address asked for, unless another request comes before the engine.
    void engineOpens(const QString &address);
    // Null until attachEngine().
    MpvEngine *engine() const { return m_engine.get(); }
    // Why there is no engine, once it is known that none will come.
    QString unavailableReason() const { return m_unavailable; }

    // An address plays it (a Windows Media playlist is fetched for its
    // entries first); the empty text stops and unloads.
    void setUrl(const QString &url);
    QString url() const { return m_url; }
    QString status() const;
    PlaybackState playbackState() const;
    // Something was ever asked to play.
    bool hasStarted() const { return m_status.hasStarted(); }
    QString streamTitle() const { return m_title; }

    void play();
    void pause();
    void togglePause();
    void stop();
    void seekTo(double seconds);
    int volume() const { return m_volume; }
    void setVolume(int volume);
    bool isMuted() const { return m_muted; }
    void setMuted(bool muted);
    void setFitToFrame(bool fit);
    bool isSeekable() const { return m_seekable; }
    double duration() const { return m_duration; }

Q_SIGNALS:
    void statusChanged(const QString &status);
    void playbackStateChanged(PlayerControl::PlaybackState state);
    // Song title of a live stream (ICY), decoded; empty when none.
    void streamTitleChanged(const QString &title);
    void volumeChanged(int volume);
    void mutedChanged(bool muted);
    void seekRangeChanged(bool seekable, double duration);
    void positionChanged(double seconds);
    // A picture is drawn, or no more.
    void videoShownChanged(bool shown);
    // MPV_EVENT_PLAYBACK_RESTART: audio (or picture) starts coming out.
    void playbackStarted();
    // The engine opened a file and waits, before starting its decoders,
    // until engine()->continueHook(hook): a video needs its surface first.
    void preloaded(quint64 hook);
    void engineArrived();
    // Another address was asked for (or none): what played is left, before
    // the engine is given the new one.
    void urlChanged(const QString &url);
    // One of the engine's messages, as MpvEngine::messages() keeps it.
    void engineMessage(const QString &line);

private:
    friend class SessionEvents;

    void onFileStarted();
    void onPlaybackRestarted();
    void onFileEnded(PlaybackStatus::EndReason why);
    void onLogMessage(const QString &line);
    void onVolumeReported(int volume);
    void onMutedReported(bool muted);
    void onBuffering(bool buffering);
    void onPaused(bool paused);
    void onLiveStreamKnown(bool live);
    void onPlaylistResolved(const QStringList &entries);
    void onPlaylistFailed(const QString &reason);
    void onNotPlaylist();
    // Hands the addresses to the engine, or keeps them for it.
    void load(const QStringList &addresses);
    // The user's pause before the engine could tell it.
    void setPausedHere(bool paused);
    void onTryDue(int attempt);
    void onStalled(bool triedAgain);
    // What the engine is given is what it is to play: an end it reports
    // meanwhile is no news.
    void stopForNow();
    void setStreamTitle(const QString &title);
    // Tells whoever listens what changed since the last time.
    void publishStatus();

    std::unique_ptr<SessionEvents> m_events;
    // After the events it tells, which must outlive it.
    EngineHandle m_engine;
    QString m_unavailable;
    PlaylistResolver *m_resolver;
    PlaybackStatus m_status;
    QString m_publishedStatus;
    PlaybackState m_publishedState = PlaybackState::Stopped;
    QString m_url;
    QString m_title;
    // What the address asked for plays: itself, or a playlist's entries.
    QStringList m_entries;
    Reconnection m_reconnection;
    // The address already went through the playlist resolver.
    bool m_resolved = false;
    // The address was just handed to mpv: the end of the one it replaces is no news.
    bool m_awaitingStart = false;
    bool m_liveStream = false;
    bool m_paused = false;
    int m_volume = MpvEngine::Options().volume;
    bool m_muted = false;
    bool m_fitToFrame = true;
    bool m_seekable = false;
    double m_duration = 0;
    // The last address failed: mpv hands out its log messages after its other
    // events, so the reason may still be on its way and the text is redone.
    std::optional<PlaybackStatus::EndReason> m_failure;
    QStringList m_failureMessages;
};
