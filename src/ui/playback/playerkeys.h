#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <functional>

class MediaPlayer;
class QShortcut;
class QWidget;

// The player's keys in its window: Space plays or pauses, M mutes, F switches
// full screen, Up and Down move the volume, Ctrl+Left and Ctrl+Right ask for
// the previous or next favourite. They also work in the picture while it
// fills the screen as a window of its own. A text field with the focus keeps
// the keys it types.
class PlayerKeys : public QObject
{
    Q_OBJECT

public:
    static constexpr int volumeStep = 5;

    PlayerKeys(MediaPlayer &player, QWidget *window);

Q_SIGNALS:
    // -1 for the previous favourite in use, +1 for the next.
    void favouriteStepRequested(int step);

private:
    // One set of keys for `window`.
    QList<QShortcut *> addKeys(QWidget *window);
    // Only one set may be on: Qt ignores a key that two active shortcuts claim,
    // and the picture belongs to the main window until it fills the screen.
    void followFullScreen(bool fullScreen);

    MediaPlayer &m_player;
    QList<QShortcut *> m_windowKeys;
    QList<QShortcut *> m_fullScreenKeys;
};
