#include "ui/playback/mediaplayer.h"

#include "platform/modules/engineloader.h"
#include "ui/playback/playerbar.h"
#include "ui/playback/playerface.h"
#include "ui/playback/playerview.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

namespace
{

int buttonNumber(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

// How long mpv may wait for the video surface's render context.
constexpr int surfaceWaitMs = 3000;

} // namespace

MediaPlayer::MediaPlayer(QObject *parent)
    : PlayerControl(parent)
    , m_view(new PlayerView)
{
    connect(&m_session, &PlaybackSession::statusChanged, this, &PlayerControl::statusChanged);
    connect(&m_session, &PlaybackSession::playbackStateChanged, this, &PlayerControl::playbackStateChanged);
    connect(&m_session, &PlaybackSession::streamTitleChanged, this, &PlayerControl::streamTitleChanged);
    connect(&m_session, &PlaybackSession::volumeChanged, this, &PlayerControl::volumeChanged);
    connect(&m_session, &PlaybackSession::statusChanged, this, &MediaPlayer::refresh);
    connect(&m_session, &PlaybackSession::playbackStateChanged, this, &MediaPlayer::refresh);
    connect(&m_session, &PlaybackSession::streamTitleChanged, this, &MediaPlayer::refresh);
    connect(&m_session, &PlaybackSession::videoShownChanged, this, [this](bool shown) {
        m_videoShown = shown;
        refresh();
    });
    connect(&m_session, &PlaybackSession::preloaded, this, &MediaPlayer::onPreloaded);

    PlayerBar *bar = m_view->bar();
    bar->setVolume(m_session.volume());
    connect(&m_session, &PlaybackSession::volumeChanged, bar, &PlayerBar::setVolume);
    connect(&m_session, &PlaybackSession::mutedChanged, bar, &PlayerBar::setMuted);
    connect(&m_session, &PlaybackSession::seekRangeChanged, bar, &PlayerBar::setSeekRange);
    connect(&m_session, &PlaybackSession::positionChanged, bar, &PlayerBar::setPosition);
    connect(bar, &PlayerBar::playPauseClicked, &m_session, &PlaybackSession::togglePause);
    connect(bar, &PlayerBar::stopClicked, this, &MediaPlayer::stop);
    connect(bar, &PlayerBar::volumeMoved, this, &MediaPlayer::setVolume);
    connect(bar, &PlayerBar::muteClicked, this, [this] {
        setMuted(!isMuted());
    });
    connect(bar, &PlayerBar::seekRequested, &m_session, &PlaybackSession::seekTo);
    connect(bar, &PlayerBar::fullScreenClicked, this, [this] {
        setFullScreen(!m_fullScreen);
    });
    takeEvents(m_view->picture());
    // Escape, wherever the focus is inside, reaches the view as it goes up.
    m_view->installEventFilter(this);
    refresh();
}

MediaPlayer::~MediaPlayer()
{
    // The picture's render context must go before the mpv core it draws from.
    delete m_surfaceWidget;
    if (m_view && !m_view->parent())
        delete m_view;
    delete m_menu;
}

void MediaPlayer::loadEngine(std::unique_ptr<EngineLoader> loader)
{
    Q_ASSERT(!m_loader && !m_session.engine());
    m_loader = std::move(loader);
    if (!m_loader->address().isEmpty())
        m_session.engineOpens(m_loader->address());
    connect(m_loader.get(), &EngineLoader::finished, this, &MediaPlayer::onEngineLoaded);
}

void MediaPlayer::onEngineLoaded()
{
    QString error;
    std::unique_ptr<MpvEngine> engine = m_loader->takeEngine(&error);
    m_loader.reset();
    if (engine) {
        m_session.attachEngine(std::move(engine));
        return;
    }
    // The program stays usable for pages and says, where the picture would
    // be, why nothing can be played.
    m_session.engineUnavailable(error);
    m_view->showUnavailable(m_session.unavailableReason());
}

QWidget *MediaPlayer::widget() const
{
    return m_view;
}

MpvSurface *MediaPlayer::videoSurface() const
{
    return m_surfaceWidget ? m_surface : nullptr;
}

PlayerBar *MediaPlayer::controlBar() const
{
    return m_view->bar();
}

PlayerFace *MediaPlayer::face() const
{
    return m_view->face();
}

void MediaPlayer::setUrl(const QString &url)
{
    const QString given = url.trimmed();
    const QString picture = m_picturePath;
    if (m_nextPicture) {
        m_picturePath = *m_nextPicture;
        m_pictureAddress = given;
        m_nextPicture.reset();
    } else if (!given.isEmpty() && given != m_pictureAddress) {
        // Whoever gave this address knew no picture for it.
        m_picturePath.clear();
        m_pictureAddress = given;
    }
    face()->setPicture(m_picturePath);
    m_session.setUrl(url);
    if (m_picturePath != picture)
        Q_EMIT pictureChanged(m_picturePath);
}

void MediaPlayer::setPicture(const QString &path)
{
    m_nextPicture = path;
}

void MediaPlayer::setDisplayName(const QString &name)
{
    face()->setName(name);
}

void MediaPlayer::refresh()
{
    const QString title = m_session.streamTitle();
    PlayerBar *bar = controlBar();
    bar->setStatus(m_session.status(), title);
    bar->setPlaying(m_session.playbackState() == PlaybackState::Playing);
    PlayerFace *playerFace = face();
    playerFace->setWelcome(!m_session.hasStarted());
    playerFace->setTitle(title);
    playerFace->setVisible(!m_videoShown);
}

void MediaPlayer::setStretchToFit(bool stretch)
{
    m_stretchToFit = stretch;
    m_session.setFitToFrame(stretch);
}

void MediaPlayer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    // A disabled picture gets no mouse events: they go to the window under it.
    if (m_picture)
        m_picture->setEnabled(enabled);
}

void MediaPlayer::setVisible(bool visible)
{
    m_visible = visible;
    // Shown only in its window: on its own it would open as a window of its own.
    if (m_view && !m_fullScreen && (!visible || m_view->parentWidget()))
        m_view->setVisible(visible);
}

void MediaPlayer::takeEvents(QWidget *picture)
{
    m_picture = picture;
    picture->setEnabled(m_enabled);
    picture->installEventFilter(this);
}

bool MediaPlayer::drawsVideo() const
{
    // The offscreen platform cannot show OpenGL widgets, and other video
    // outputs draw nothing through us.
    return m_session.engine()->videoOutput() == QLatin1String("libmpv")
        && QGuiApplication::platformName() != QLatin1String("offscreen");
}

void MediaPlayer::onPreloaded(quint64 hook)
{
    if (!m_surfaceWidget && m_view && drawsVideo() && m_session.engine()->hasVideoTrack()) {
        createSurface();
        // mpv cannot draw before the surface has made its render context,
        // which takes the surface being shown; a hidden one makes it when it
        // shows, and has the video brought back then.
        if (m_surfaceWidget->isVisible()) {
            m_pendingHook = hook;
            QTimer::singleShot(surfaceWaitMs, this, &MediaPlayer::releaseHook);
            return;
        }
    }
    m_session.engine()->continueHook(hook);
}

void MediaPlayer::createSurface()
{
    // The surface tells of its context from inside its painting: the hook is
    // let go from the event loop.
    m_surface = m_session.engine()->createSurface([self = QPointer<MediaPlayer>(this)] {
        if (self)
            QMetaObject::invokeMethod(self, &MediaPlayer::releaseHook, Qt::QueuedConnection);
    });
    m_surfaceWidget = m_surface->widget();
    m_view->setPicture(m_surfaceWidget);
    takeEvents(m_surfaceWidget);
}

void MediaPlayer::releaseHook()
{
    if (!m_pendingHook)
        return;
    m_session.engine()->continueHook(*m_pendingHook);
    m_pendingHook.reset();
}

void MediaPlayer::setFullScreen(bool fullScreen)
{
    if (!m_view || fullScreen == m_fullScreen)
        return;
    m_fullScreen = fullScreen;
    // The widget becomes a window of its own and goes back to its place in
    // the parent's layout afterwards.
    m_view->setWindowFlag(Qt::Window, fullScreen);
    if (fullScreen) {
        m_view->showFullScreen();
        m_view->activateWindow();
    } else {
        m_view->showNormal();
        m_view->setVisible(m_visible);
    }
    controlBar()->setFullScreen(fullScreen);
    Q_EMIT fullScreenChanged(fullScreen);
}

bool MediaPlayer::eventFilter(QObject *watched, QEvent *event)
{
    // The event's type first: a view being destroyed still sends its parent
    // events, and reading the guarded pointer then would cast what is no
    // longer a view.
    if (event->type() == QEvent::KeyPress && m_fullScreen && watched == m_view
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        setFullScreen(false);
        return true;
    }
    // Disabled, the picture leaves the mouse to the window under it.
    if (watched != m_picture || !m_enabled)
        return PlayerControl::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // Taken here, so that the window under the picture does not see it too.
        Q_EMIT mouseDown(buttonNumber(static_cast<QMouseEvent *>(event)->button()));
        return true;
    case QEvent::MouseMove:
        Q_EMIT mouseMove();
        return true;
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            setFullScreen(!m_fullScreen);
        return true;
    case QEvent::ContextMenu:
        showContextMenu(static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    default:
        return false;
    }
}

void MediaPlayer::showContextMenu(const QPoint &globalPosition)
{
    if (!m_menu) {
        m_menu = new QMenu;
        m_menu->setObjectName(QStringLiteral("playerMenu"));
    }
    m_menu->clear();
    const bool playing = m_session.playbackState() == PlaybackState::Playing;
    m_menu->addAction(
        playing ? QStringLiteral("Pause") : QStringLiteral("Lecture"), &m_session, &PlaybackSession::togglePause);
    m_menu->addAction(QStringLiteral("Arrêt"), this, &MediaPlayer::stop);
    QAction *mute = m_menu->addAction(QStringLiteral("Muet"), this, [this] {
        setMuted(!isMuted());
    });
    mute->setCheckable(true);
    mute->setChecked(isMuted());
    QAction *fullScreen = m_menu->addAction(QStringLiteral("Plein écran"), this, [this] {
        setFullScreen(!m_fullScreen);
    });
    fullScreen->setCheckable(true);
    fullScreen->setChecked(m_fullScreen);
    m_menu->popup(globalPosition);
}
