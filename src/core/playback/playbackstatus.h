#pragma once

#include "core/playback/playercontrol.h"

#include <QString>
#include <QStringList>

// The player's own French status text, built from what the playback engine
// reports. The status line compares its first letters ("Lec") and a few whole
// texts ("Prêt"), so these texts are part of the program's behaviour.
class PlaybackStatus
{
public:
    // How an opened address came to an end.
    enum class EndReason {
        EndOfStream, // the data ran out
        Stopped, // stopped or replaced on request
        Failed, // could not be opened or read
        UnknownFormat, // opened, but the data is nothing the engine can play
        Redirected, // a playlist that was replaced by its entries
        NoAudioOutput, // the sound device could not be opened
    };

    static const QString connecting;
    static const QString buffering;
    static const QString playing;
    static const QString paused;
    static const QString ready;
    static const QString interrupted;
    static const QString playingWithoutSound;
    static const QString noAudioOutput;

    void loadRequested();
    void opened();
    void playbackRestarted();
    void setPaused(bool paused);
    void setBuffering(bool buffering);
    // The sound device could not be opened: what has pictures plays on
    // without sound, what has none cannot play.
    void setAudioMissing();
    // A picture is being drawn, or no more.
    void setVideoShown(bool shown);
    void stopped();
    // A live stream that dropped is being opened again: try `attempt`, from 1.
    void reconnecting(int attempt);
    // `liveStream`: a network stream of no known length, which never ends on
    // its own; `messages`: the engine's warnings and errors since the load.
    void ended(EndReason reason, bool liveStream, const QStringList &messages);
    void failed(const QString &text);

    QString text() const;
    PlayerControl::PlaybackState state() const;
    // Something was ever asked to play.
    bool hasStarted() const { return m_phase != Phase::NeverLoaded; }

    // Why an address could not be played, from the engine's messages.
    static QString failureText(const QStringList &messages, bool unknownFormat = false);
    // The engine's word that no sound device could be opened.
    static bool isAudioOutputFailure(const QString &message);
    // Failures that waiting will not mend: the server refused the address
    // (an HTTP status of 4xx, but for "not found" and "gone" while
    // `reconnecting`: a live mount is missing until its source is back) or
    // its certificate was refused.
    static bool isLasting(const QStringList &messages, bool reconnecting);
    static bool isReconnecting(const QString &text);

private:
    enum class Phase { NeverLoaded, Connecting, Opened, Running, Ready, Failed, Reconnecting };

    Phase m_phase = Phase::NeverLoaded;
    bool m_paused = false;
    bool m_buffering = false;
    bool m_audioMissing = false;
    // Since the load: the engine's news of the picture may come after the
    // end of the file.
    bool m_videoShown = false;
    QString m_error;
    int m_attempt = 0;
};
