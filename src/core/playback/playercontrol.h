#pragma once

#include <QObject>
#include <QString>

// The main window's media player as the rest of the program sees it. The real
// one plays through libmpv; tests use a fake that records what it was asked.
class PlayerControl : public QObject
{
    Q_OBJECT

public:
    enum class PlaybackState { Stopped, Playing, Paused };
    Q_ENUM(PlaybackState)

    using QObject::QObject;

    // Writing an address opens and plays it; the empty text stops and unloads.
    virtual void setUrl(const QString &url) = 0;
    virtual QString url() const = 0;

    // French description of the player's state: empty before anything was ever
    // loaded, beginning with "Lecture" while playing, "Prêt" after a stop or when
    // a stream ended, other texts while connecting or buffering, and an error
    // text (never beginning with "Lec") when a stream failed.
    virtual QString status() const = 0;

    // Shown with the display name while a stream has no video: the full path
    // of the picture of the address given next; empty when it is not known.
    // Another address given without one shows the program's own picture;
    // a stop, or the same address again, keeps it.
    virtual void setPicture(const QString &path) = 0;
    virtual void setDisplayName(const QString &name) = 0;

    // True: the picture is scaled to fill the frame; false: it keeps its own
    // size and is only shrunk to fit. Either way it keeps its proportions.
    virtual void setStretchToFit(bool stretch) = 0;
    virtual bool stretchToFit() const = 0;

    // Disabled, the player ignores the mouse and shows no context menu.
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;

    virtual void setVisible(bool visible) = 0;
    virtual bool isVisible() const = 0;

    virtual PlaybackState playbackState() const = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;
    virtual int volume() const = 0; // 0 to 100
    virtual void setVolume(int volume) = 0;

Q_SIGNALS:
    void statusChanged(const QString &status);
    void playbackStateChanged(PlayerControl::PlaybackState state);
    void volumeChanged(int volume);
    // Song title of a live stream (ICY), already decoded; empty when none.
    void streamTitleChanged(const QString &title);
    // Mouse events on the picture: button 1 left, 2 right.
    void mouseDown(int button);
    void mouseMove();
};
