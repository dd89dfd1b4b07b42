#include "ui/playback/playerkeys.h"

#include "ui/playback/mediaplayer.h"

#include <QShortcut>
#include <QWidget>

PlayerKeys::PlayerKeys(MediaPlayer &player, QWidget *window)
    : QObject(window)
    , m_player(player)
    , m_windowKeys(addKeys(window))
    , m_fullScreenKeys(addKeys(player.widget()))
{
    followFullScreen(player.isFullScreen());
    connect(&player, &MediaPlayer::fullScreenChanged, this, &PlayerKeys::followFullScreen);
}

QList<QShortcut *> PlayerKeys::addKeys(QWidget *window)
{
    const QList<std::pair<QKeySequence, std::function<void()>>> keys {
        { QKeySequence(Qt::Key_Space),
            [this] {
                m_player.session().togglePause();
            } },
        { QKeySequence(Qt::Key_M),
            [this] {
                m_player.setMuted(!m_player.isMuted());
            } },
        { QKeySequence(Qt::Key_F),
            [this] {
                m_player.setFullScreen(!m_player.isFullScreen());
            } },
        { QKeySequence(Qt::Key_Up),
            [this] {
                m_player.setVolume(m_player.volume() + volumeStep);
            } },
        { QKeySequence(Qt::Key_Down),
            [this] {
                m_player.setVolume(m_player.volume() - volumeStep);
            } },
        { QKeySequence(Qt::CTRL | Qt::Key_Left),
            [this] {
                Q_EMIT favouriteStepRequested(-1);
            } },
        { QKeySequence(Qt::CTRL | Qt::Key_Right),
            [this] {
                Q_EMIT favouriteStepRequested(1);
            } },
    };
    QList<QShortcut *> shortcuts;
    for (const auto &[sequence, action] : keys) {
        auto *shortcut = new QShortcut(sequence, window);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, action);
        shortcuts.append(shortcut);
    }
    return shortcuts;
}

void PlayerKeys::followFullScreen(bool fullScreen)
{
    for (QShortcut *shortcut : std::as_const(m_windowKeys))
        shortcut->setEnabled(!fullScreen);
    for (QShortcut *shortcut : std::as_const(m_fullScreenKeys))
        shortcut->setEnabled(fullScreen);
}
