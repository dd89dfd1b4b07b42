#include "core/playback/playbacksession.h"

#include "core/playback/asxparser.h"
#include "core/playback/playlistresolver.h"
#include "core/playback/streamtitle.h"

namespace
{

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

QString unavailableText(const QString &reason)
{
    return QStringLiteral("Erreur : le lecteur multimédia ne peut pas démarrer (%1)").arg(reason);
}

} // namespace

// mpv's news, handed to the session.
class PlaybackSession::EngineEvents : public MpvEngine::Events
{
public:
    explicit EngineEvents(PlaybackSession &session)
        : m_session(session)
    {
    }

    void fileStarted() override { m_session.onFileStarted(); }
    void fileLoaded() override
    {
        m_session.m_status.opened();
        m_session.publishStatus();
    }
    void playbackRestarted() override { m_session.onPlaybackRestarted(); }
    void fileEnded(PlaybackStatus::EndReason reason) override { m_session.onFileEnded(reason); }
    void liveStreamKnown(bool live) override { m_session.m_liveStream = live; }
    void pausedChanged(bool paused) override
    {
        m_session.m_paused = paused;
        m_session.m_status.setPaused(paused);
        m_session.publishStatus();
    }
    void bufferingChanged(bool buffering) override
    {
        m_session.m_status.setBuffering(buffering);
        m_session.publishStatus();
    }
    void durationChanged(double seconds) override
    {
        m_session.m_duration = seconds;
        Q_EMIT m_session.seekRangeChanged(m_session.m_seekable, seconds);
    }
    void positionChanged(double seconds) override { Q_EMIT m_session.positionChanged(seconds); }
    void seekableChanged(bool seekable) override
    {
        m_session.m_seekable = seekable;
        Q_EMIT m_session.seekRangeChanged(seekable, m_session.m_duration);
    }
    void volumeChanged(int volume) override { m_session.onVolumeReported(volume); }
    void mutedChanged(bool muted) override
    {
        if (muted == m_session.m_muted)
            return;
        m_session.m_muted = muted;
        Q_EMIT m_session.mutedChanged(muted);
    }
    void streamTitleChanged(const QByteArray &raw) override { m_session.setStreamTitle(StreamTitle::decode(raw)); }
    void videoShownChanged(bool shown) override
    {
        m_session.m_status.setVideoShown(shown);
        Q_EMIT m_session.videoShownChanged(shown);
    }
    void logMessage(const QString &line) override { m_session.onLogMessage(line); }
    void preloaded(quint64 hook) override
    {
        // Nobody draws video: mpv need not wait.
        if (m_session.isSignalConnected(QMetaMethod::fromSignal(&PlaybackSession::preloaded)))
            Q_EMIT m_session.preloaded(hook);
        else
            m_session.m_engine->continueHook(hook);
    }

private:
    PlaybackSession &m_session;
};

PlaybackSession::PlaybackSession(QObject *parent)
    : QObject(parent)
    , m_events(std::make_unique<EngineEvents>(*this))
    , m_resolver(new PlaylistResolver(this))
{
    connect(m_resolver, &PlaylistResolver::resolved, this, &PlaybackSession::onPlaylistResolved);
    connect(m_resolver, &PlaylistResolver::failed, this, &PlaybackSession::onPlaylistFailed);
    connect(m_resolver, &PlaylistResolver::notPlaylist, this, &PlaybackSession::onNotPlaylist);
}

PlaybackSession::~PlaybackSession() = default;

void PlaybackSession::attachEngine(std::unique_ptr<MpvEngine> engine)
{
    Q_ASSERT(!m_engine && engine);
    m_engine = std::move(engine);
    m_engine->start(*m_events);
    // It was made with the defaults.
    if (m_volume != MpvEngine::Options().volume)
        m_engine->setVolume(m_volume);
    if (m_muted)
        m_engine->setMuted(true);
    if (!m_fitToFrame)
        m_engine->setFitToFrame(false);
    if (m_forEngine) {
        if (m_forEngine->isEmpty())
            m_engine->stop();
        else
            m_engine->loadFiles(*m_forEngine);
        m_forEngine.reset();
    }
    if (m_paused)
        m_engine->setPaused(true);
    Q_EMIT engineArrived();
}

void PlaybackSession::engineUnavailable(const QString &reason)
{
    m_unavailable = unavailableText(reason);
    const bool wanted = m_forEngine ? !m_forEngine->isEmpty() : m_awaitingStart;
    m_forEngine.reset();
    m_awaitingStart = false;
    m_status = PlaybackStatus();
    if (wanted)
        m_status.failed(m_unavailable);
    publishStatus();
}

void PlaybackSession::engineOpens(const QString &address)
{
    Q_ASSERT(!m_engine);
    m_url = address;
    m_forEngine.reset();
    m_awaitingStart = true;
    m_status.loadRequested();
    publishStatus();
}

QString PlaybackSession::status() const
{
    return m_status.text();
}

PlaybackSession::PlaybackState PlaybackSession::playbackState() const
{
    return m_status.state();
}

void PlaybackSession::setUrl(const QString &url)
{
    const QString given = url.trimmed();
    m_url = url;
    m_resolved = false;
    m_failure.reset();
    m_resolver->cancel();
    setStreamTitle(QString());
    if (!m_unavailable.isEmpty()) {
        m_status = PlaybackStatus();
        if (!given.isEmpty())
            m_status.failed(m_unavailable);
        publishStatus();
        return;
    }
    if (given.isEmpty()) {
        m_awaitingStart = false;
        stopEngine();
        m_status.stopped();
        publishStatus();
        return;
    }
    if (!m_engine) {
        m_paused = false;
        m_status.setPaused(false);
    }
    m_status.loadRequested();
    publishStatus();
    const QUrl address = addressUrl(given);
    if (AsxParser::isPlaylistAddress(address) && isFetchable(address)) {
        // mpv cannot read these: what plays meanwhile stops, as it would for
        // any new address.
        m_resolved = true;
        m_awaitingStart = true;
        stopEngine();
        m_resolver->resolve(address);
        return;
    }
    load({ given });
}

void PlaybackSession::load(const QStringList &addresses)
{
    m_awaitingStart = true;
    if (m_engine)
        m_engine->loadFiles(addresses);
    else
        m_forEngine = addresses;
}

void PlaybackSession::stopEngine()
{
    if (m_engine)
        m_engine->stop();
    else
        m_forEngine = QStringList();
}

void PlaybackSession::play()
{
    if (m_status.state() == PlaybackState::Paused) {
        if (m_engine) {
            m_engine->setPaused(false);
            return;
        }
        m_paused = false;
        m_status.setPaused(false);
        publishStatus();
    } else if (m_status.state() == PlaybackState::Stopped && !m_url.trimmed().isEmpty() && m_unavailable.isEmpty()) {
        setUrl(m_url);
    }
}

void PlaybackSession::pause()
{
    if (m_status.state() != PlaybackState::Playing)
        return;
    if (m_engine) {
        m_engine->setPaused(true);
        return;
    }
    m_paused = true;
    m_status.setPaused(true);
    publishStatus();
}

void PlaybackSession::togglePause()
{
    if (m_status.state() == PlaybackState::Playing)
        pause();
    else
        play();
}

void PlaybackSession::stop()
{
    if (!m_unavailable.isEmpty())
        return;
    m_failure.reset();
    m_resolver->cancel();
    m_awaitingStart = false;
    stopEngine();
    m_status.stopped();
    publishStatus();
}

void PlaybackSession::seekTo(double seconds)
{
    if (m_engine)
        m_engine->seekTo(seconds);
}

void PlaybackSession::setVolume(int volume)
{
    volume = qBound(0, volume, 100);
    if (m_engine)
        m_engine->setVolume(volume);
    onVolumeReported(volume);
}

void PlaybackSession::setMuted(bool muted)
{
    if (m_engine)
        m_engine->setMuted(muted);
    if (muted == m_muted)
        return;
    m_muted = muted;
    Q_EMIT mutedChanged(muted);
}

void PlaybackSession::setFitToFrame(bool fit)
{
    if (fit == m_fitToFrame)
        return;
    m_fitToFrame = fit;
    if (m_engine)
        m_engine->setFitToFrame(fit);
}

void PlaybackSession::onFileStarted()
{
    m_awaitingStart = false;
    m_failure.reset();
    m_liveStream = false;
    m_engine->clearMessages();
    m_status.loadRequested();
    publishStatus();
}

void PlaybackSession::onPlaybackRestarted()
{
    m_engine->requestLiveStream();
    m_status.playbackRestarted();
    publishStatus();
    Q_EMIT playbackStarted();
}

void PlaybackSession::onVolumeReported(int volume)
{
    if (volume == m_volume)
        return;
    m_volume = volume;
    Q_EMIT volumeChanged(volume);
}

void PlaybackSession::onLogMessage(const QString &line)
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

void PlaybackSession::onFileEnded(PlaybackStatus::EndReason why)
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

bool PlaybackSession::isCurrent(const QUrl &address) const
{
    return address == addressUrl(m_url.trimmed());
}

void PlaybackSession::onPlaylistResolved(const QUrl &playlist, const QStringList &entries)
{
    if (isCurrent(playlist))
        load(entries);
}

void PlaybackSession::onPlaylistFailed(const QUrl &playlist, const QString &reason)
{
    if (!isCurrent(playlist))
        return;
    m_awaitingStart = false;
    m_status.failed(reason);
    publishStatus();
}

void PlaybackSession::onNotPlaylist(const QUrl &url)
{
    if (!isCurrent(url))
        return;
    m_status.ended(PlaybackStatus::EndReason::UnknownFormat, false, m_failureMessages);
    publishStatus();
}

void PlaybackSession::setStreamTitle(const QString &title)
{
    if (title == m_title)
        return;
    m_title = title;
    Q_EMIT streamTitleChanged(title);
}

void PlaybackSession::publishStatus()
{
    const QString text = m_status.text();
    const PlaybackState state = m_status.state();
    if (text != m_publishedStatus) {
        m_publishedStatus = text;
        Q_EMIT statusChanged(text);
    }
    if (state != m_publishedState) {
        m_publishedState = state;
        Q_EMIT playbackStateChanged(state);
    }
}
