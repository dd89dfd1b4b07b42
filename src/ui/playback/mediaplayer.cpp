#include "ui/playback/mediaplayer.h"

#include "core/playback/asxparser.h"
#include "core/playback/playlistresolver.h"
#include "core/playback/streamrequest.h"
#include "core/playback/streamtitle.h"
#include "platform/modules/playermodule.h"
#include "ui/playback/playerbar.h"

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

QUrl addressUrl(const QString &address)
{
    const QUrl url(address);
    return url.scheme().isEmpty() ? QUrl::fromLocalFile(address) : url;
}

bool isFetchable(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("file");
}

// How long mpv may wait for the video surface's render context.
constexpr int surfaceWaitMs = 3000;

} // namespace

// mpv's news, handed to the player.
class MediaPlayer::EngineEvents : public MpvEngine::Events
{
public:
    explicit EngineEvents(MediaPlayer &player)
        : m_player(player)
    {
    }

    void fileStarted() override { m_player.onFileStarted(); }
    void fileLoaded() override
    {
        m_player.m_status.opened();
        m_player.publishStatus();
    }
    void playbackRestarted() override { m_player.onPlaybackRestarted(); }
    void fileEnded(PlaybackStatus::EndReason reason) override { m_player.onFileEnded(reason); }
    void liveStreamKnown(bool live) override
    {
        // mpv does not see a network behind a connection of ours, but it
        // was found to be a live stream before it was handed over.
        m_player.m_liveStream = live || m_player.m_reading;
    }
    void pausedChanged(bool paused) override
    {
        m_player.m_status.setPaused(paused);
        m_player.publishStatus();
    }
    void bufferingChanged(bool buffering) override
    {
        m_player.m_status.setBuffering(buffering);
        m_player.publishStatus();
    }
    void durationChanged(double seconds) override
    {
        if (m_player.m_bar)
            m_player.m_bar->setSeekRange(m_player.m_seekable, seconds);
    }
    void positionChanged(double seconds) override
    {
        if (m_player.m_bar)
            m_player.m_bar->setPosition(seconds);
    }
    void seekableChanged(bool seekable) override
    {
        m_player.m_seekable = seekable;
        if (m_player.m_bar)
            m_player.m_bar->setSeekRange(seekable, m_player.m_engine->duration());
    }
    void volumeChanged(int volume) override { m_player.onVolumeReported(volume); }
    void mutedChanged(bool muted) override
    {
        m_player.m_muted = muted;
        if (m_player.m_bar)
            m_player.m_bar->setMuted(muted);
    }
    void streamTitleChanged(const QByteArray &raw) override
    {
        // Through a connection of ours the titles come from it, not from mpv.
        if (!m_player.m_reading)
            m_player.setStreamTitle(StreamTitle::decode(raw));
    }
    void videoShownChanged(bool shown) override
    {
        m_player.m_videoShown = shown;
        m_player.m_status.setVideoShown(shown);
        m_player.updateFace();
    }
    void logMessage(const QString &line) override { m_player.onLogMessage(line); }
    void preloaded(quint64 hook) override { m_player.onPreloaded(hook); }

private:
    MediaPlayer &m_player;
};

std::unique_ptr<MediaPlayer> MediaPlayer::create(const Options &options, QString *error, QObject *parent)
{
    QString reason;
    MpvEngineFactory *engine = PlayerModule::load(&reason);
    if (!engine) {
        if (error)
            *error = reason;
        return {};
    }
    return create(*engine, options, error, parent);
}

std::unique_ptr<MediaPlayer> MediaPlayer::create(
    MpvEngineFactory &engine, const Options &options, QString *error, QObject *parent)
{
    std::unique_ptr<MediaPlayer> player(new MediaPlayer(parent));
    QString reason;
    player->m_engine = engine.create(options, *player->m_events, &reason);
    if (!player->m_engine) {
        if (error)
            *error = reason;
        return {};
    }
    return player;
}

std::unique_ptr<MediaPlayer> MediaPlayer::createForWindow(
    PlayerView &view, std::unique_ptr<EarlyStream> early, QString *error)
{
    std::unique_ptr<MediaPlayer> player = create({}, error);
    if (!player)
        return {};
    player->useView(view);
    if (early)
        player->offerEarlyStream(std::move(early));
    return player;
}

MediaPlayer::MediaPlayer(QObject *parent)
    : PlayerControl(parent)
    , m_events(std::make_unique<EngineEvents>(*this))
    , m_resolver(new PlaylistResolver(this))
{
    connect(m_resolver, &PlaylistResolver::resolved, this, &MediaPlayer::onPlaylistResolved);
    connect(m_resolver, &PlaylistResolver::failed, this, &MediaPlayer::onPlaylistFailed);
    connect(m_resolver, &PlaylistResolver::notPlaylist, this, &MediaPlayer::onNotPlaylist);
}

MediaPlayer::~MediaPlayer()
{
    // The picture's render context must go before the mpv core it draws from.
    delete m_surfaceWidget;
    if (m_ownsView)
        delete m_widget;
    delete m_menu;
}

void MediaPlayer::onFileStarted()
{
    m_awaitingStart = false;
    m_failure.reset();
    m_liveStream = false;
    m_engine->clearMessages();
    m_status.loadRequested();
    publishStatus();
}

void MediaPlayer::onPlaybackRestarted()
{
    m_engine->requestLiveStream();
    m_status.playbackRestarted();
    publishStatus();
    Q_EMIT playbackStarted();
}

void MediaPlayer::onVolumeReported(int volume)
{
    if (volume == m_volume)
        return;
    m_volume = volume;
    if (m_bar)
        m_bar->setVolume(volume);
    Q_EMIT volumeChanged(volume);
}

void MediaPlayer::onLogMessage(const QString &line)
{
    if (PlaybackStatus::isAudioOutputFailure(line)) {
        m_status.setAudioMissing();
        publishStatus();
    }
    if (!m_failure)
        return;
    m_status.ended(*m_failure, m_liveStream, m_engine->messages());
    publishStatus();
}

void MediaPlayer::setUrl(const QString &url)
{
    const QString given = url.trimmed();
    if (m_nextPicture) {
        m_picturePath = *m_nextPicture;
        m_pictureAddress = given;
        m_nextPicture.reset();
    } else if (!given.isEmpty() && given != m_pictureAddress) {
        // Whoever gave this address knew no picture for it.
        m_picturePath.clear();
        m_pictureAddress = given;
    }
    if (m_face)
        m_face->setPicture(m_picturePath);
    m_url = url;
    m_resolved = false;
    m_failure.reset();
    m_resolver->cancel();
    m_reading.reset();
    // The offer holds for the first address only.
    std::unique_ptr<EarlyStream> offered = std::move(m_offered);
    setStreamTitle(QString());
    if (given.isEmpty()) {
        m_awaitingStart = false;
        m_engine->stop();
        m_status.stopped();
        publishStatus();
        return;
    }
    m_status.loadRequested();
    publishStatus();
    if (offered && offered->address() == given)
        return readEarly(std::move(offered));
    const QUrl address = addressUrl(given);
    if (AsxParser::isPlaylistAddress(address) && isFetchable(address)) {
        // mpv cannot read these: what plays meanwhile stops, as it would for
        // any new address.
        m_resolved = true;
        m_awaitingStart = true;
        m_engine->stop();
        m_resolver->resolve(address);
        return;
    }
    load({ given });
}

void MediaPlayer::load(const QStringList &addresses)
{
    m_awaitingStart = true;
    m_engine->loadFiles(addresses);
}

void MediaPlayer::onFileEnded(PlaybackStatus::EndReason why)
{
    if (m_awaitingStart)
        return;
    const QUrl address = addressUrl(m_url.trimmed());
    if (why == PlaybackStatus::EndReason::UnknownFormat && !m_resolved && isFetchable(address)) {
        // A playlist whose name does not say so: look at what the server sent.
        m_resolved = true;
        m_failureMessages = m_engine->messages();
        m_resolver->resolve(address, true);
        return;
    }
    if (why == PlaybackStatus::EndReason::Failed || why == PlaybackStatus::EndReason::UnknownFormat)
        m_failure = why;
    m_status.ended(why, m_liveStream, m_engine->messages());
    publishStatus();
}

void MediaPlayer::offerEarlyStream(std::unique_ptr<EarlyStream> stream)
{
    m_offered = std::move(stream);
}

void MediaPlayer::readEarly(std::unique_ptr<EarlyStream> stream)
{
    m_reading = std::move(stream);
    m_earlyLoaded = false;
    m_awaitingStart = true;
    // Its news is queued on the stream itself: none arrives once it is dropped.
    EarlyStream *reading = m_reading.get();
    connect(reading, &EarlyStream::stateChanged, reading, [this] {
        onEarlyState();
    });
    connect(reading, &EarlyStream::titleChanged, reading, [this](const QByteArray &raw) {
        setStreamTitle(StreamTitle::decode(raw));
    });
    if (const std::optional<QByteArray> title = reading->title())
        setStreamTitle(StreamTitle::decode(*title));
    onEarlyState();
}

void MediaPlayer::onEarlyState()
{
    if (!m_reading)
        return;
    switch (m_reading->state()) {
    case EarlyStream::State::Connecting:
        return;
    case EarlyStream::State::Live:
        if (!m_earlyLoaded) {
            m_earlyLoaded = true;
            m_engine->loadStream(m_reading->body(), StreamRequest::demuxerFor(m_reading->contentType()));
            m_engine->setPaused(false);
        }
        return;
    case EarlyStream::State::HandedBack: {
        // Not a live stream: mpv opens it itself, where the redirects led.
        const QString address = m_reading->finalUrl().toString();
        m_reading.reset();
        load({ address });
        return;
    }
    case EarlyStream::State::Failed:
        m_awaitingStart = false;
        m_status.failed(m_reading->failure());
        m_reading.reset();
        publishStatus();
        return;
    }
}

void MediaPlayer::onPlaylistResolved(const QUrl &playlist, const QStringList &entries)
{
    if (playlist != addressUrl(m_url.trimmed()))
        return;
    load(entries);
}

void MediaPlayer::onPlaylistFailed(const QUrl &playlist, const QString &reason)
{
    if (playlist != addressUrl(m_url.trimmed()))
        return;
    m_awaitingStart = false;
    m_status.failed(reason);
    publishStatus();
}

void MediaPlayer::onNotPlaylist(const QUrl &url)
{
    if (url != addressUrl(m_url.trimmed()))
        return;
    m_status.ended(PlaybackStatus::EndReason::UnknownFormat, false, m_failureMessages);
    publishStatus();
}

void MediaPlayer::setStreamTitle(const QString &title)
{
    if (title == m_title)
        return;
    m_title = title;
    if (m_bar)
        m_bar->setStatus(m_status.text(), m_title);
    updateFace();
    Q_EMIT streamTitleChanged(title);
}

void MediaPlayer::setPicture(const QString &path)
{
    m_nextPicture = path;
}

void MediaPlayer::setDisplayName(const QString &name)
{
    m_displayName = name;
    if (m_face)
        m_face->setName(name);
}

void MediaPlayer::updateFace()
{
    if (!m_face)
        return;
    m_face->setWelcome(!m_status.hasStarted());
    m_face->setTitle(m_title);
    m_face->setVisible(!m_videoShown);
}

void MediaPlayer::publishStatus()
{
    const QString text = m_status.text();
    const PlaybackState state = m_status.state();
    if (m_bar) {
        m_bar->setStatus(text, m_title);
        m_bar->setPlaying(state == PlaybackState::Playing);
    }
    updateFace();
    if (text != m_publishedStatus) {
        m_publishedStatus = text;
        Q_EMIT statusChanged(text);
    }
    if (state != m_publishedState) {
        m_publishedState = state;
        Q_EMIT playbackStateChanged(state);
    }
}

void MediaPlayer::setStretchToFit(bool stretch)
{
    if (stretch == m_stretchToFit)
        return;
    m_stretchToFit = stretch;
    m_engine->setFitToFrame(stretch);
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
    if (m_widget && !m_fullScreen)
        m_widget->setVisible(visible);
}

bool MediaPlayer::isVisible() const
{
    return m_visible;
}

void MediaPlayer::play()
{
    if (m_status.state() == PlaybackState::Paused)
        m_engine->setPaused(false);
    else if (m_status.state() == PlaybackState::Stopped && !m_url.trimmed().isEmpty())
        setUrl(m_url);
}

void MediaPlayer::pause()
{
    if (m_status.state() == PlaybackState::Playing)
        m_engine->setPaused(true);
}

void MediaPlayer::togglePause()
{
    if (m_status.state() == PlaybackState::Playing)
        pause();
    else
        play();
}

void MediaPlayer::stop()
{
    m_failure.reset();
    m_resolver->cancel();
    // A replay opens the address anew.
    m_reading.reset();
    m_offered.reset();
    m_awaitingStart = false;
    m_engine->stop();
    m_status.stopped();
    publishStatus();
}

void MediaPlayer::setVolume(int volume)
{
    volume = qBound(0, volume, 100);
    m_engine->setVolume(volume);
    onVolumeReported(volume);
}

void MediaPlayer::setMuted(bool muted)
{
    m_muted = muted;
    m_engine->setMuted(muted);
    if (m_bar)
        m_bar->setMuted(muted);
}

QWidget *MediaPlayer::widget()
{
    if (!m_widget) {
        useView(*new PlayerView);
        m_ownsView = true;
    }
    return m_widget;
}

void MediaPlayer::useView(PlayerView &view)
{
    Q_ASSERT(!m_widget);
    m_widget = &view;
    m_face = view.face();
    m_face->setPicture(m_picturePath);
    m_face->setName(m_displayName);
    takeEvents(view.picture());
    updateFace();

    m_bar = view.bar();
    m_bar->setVolume(m_volume);
    m_bar->setMuted(m_muted);
    m_bar->setSeekRange(m_seekable, m_engine->duration());
    m_bar->setStatus(m_status.text(), m_title);
    m_bar->setPlaying(m_status.state() == PlaybackState::Playing);
    connect(m_bar, &PlayerBar::playPauseClicked, this, &MediaPlayer::togglePause);
    connect(m_bar, &PlayerBar::stopClicked, this, &MediaPlayer::stop);
    connect(m_bar, &PlayerBar::volumeMoved, this, &MediaPlayer::setVolume);
    connect(m_bar, &PlayerBar::muteClicked, this, [this] {
        setMuted(!m_muted);
    });
    connect(m_bar, &PlayerBar::seekRequested, this, [this](double seconds) {
        m_engine->seekTo(seconds);
    });
    connect(m_bar, &PlayerBar::fullScreenClicked, this, [this] {
        setFullScreen(!m_fullScreen);
    });

    // Escape, wherever the focus is inside, reaches the view as it goes up.
    view.installEventFilter(this);
    view.setVisible(m_visible);
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
    return m_engine->videoOutput() == QLatin1String("libmpv")
        && QGuiApplication::platformName() != QLatin1String("offscreen");
}

void MediaPlayer::onPreloaded(quint64 hook)
{
    if (!m_surfaceWidget && m_widget && drawsVideo() && m_engine->hasVideoTrack()) {
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
    m_engine->continueHook(hook);
}

void MediaPlayer::createSurface()
{
    // The surface tells of its context from inside its painting: the hook is
    // let go from the event loop.
    m_surface = m_engine->createSurface([self = QPointer<MediaPlayer>(this)] {
        if (self)
            QMetaObject::invokeMethod(self, &MediaPlayer::releaseHook, Qt::QueuedConnection);
    });
    m_surfaceWidget = m_surface->widget();
    m_widget->setPicture(m_surfaceWidget);
    takeEvents(m_surfaceWidget);
}

void MediaPlayer::releaseHook()
{
    if (!m_pendingHook)
        return;
    m_engine->continueHook(*m_pendingHook);
    m_pendingHook.reset();
}

void MediaPlayer::setFullScreen(bool fullScreen)
{
    if (!m_widget || fullScreen == m_fullScreen)
        return;
    m_fullScreen = fullScreen;
    // The widget becomes a window of its own and goes back to its place in
    // the parent's layout afterwards.
    m_widget->setWindowFlag(Qt::Window, fullScreen);
    if (fullScreen) {
        m_widget->showFullScreen();
        m_widget->activateWindow();
    } else {
        m_widget->showNormal();
        m_widget->setVisible(m_visible);
    }
    m_bar->setFullScreen(fullScreen);
}

bool MediaPlayer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_widget && event->type() == QEvent::KeyPress && m_fullScreen
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
    const bool playing = m_status.state() == PlaybackState::Playing;
    m_menu->addAction(playing ? QStringLiteral("Pause") : QStringLiteral("Lecture"), this, &MediaPlayer::togglePause);
    m_menu->addAction(QStringLiteral("Arrêt"), this, &MediaPlayer::stop);
    QAction *mute = m_menu->addAction(QStringLiteral("Muet"), this, [this] {
        setMuted(!m_muted);
    });
    mute->setCheckable(true);
    mute->setChecked(m_muted);
    QAction *fullScreen = m_menu->addAction(QStringLiteral("Plein écran"), this, [this] {
        setFullScreen(!m_fullScreen);
    });
    fullScreen->setCheckable(true);
    fullScreen->setChecked(m_fullScreen);
    m_menu->popup(globalPosition);
}
