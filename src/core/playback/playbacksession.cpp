#include "core/playback/playbacksession.h"

#include "core/playback/asxparser.h"
#include "core/playback/playlistresolver.h"
#include "core/playback/sessionevents.h"

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

} // namespace

PlaybackSession::PlaybackSession(QObject *parent)
    : QObject(parent)
    , m_events(std::make_unique<SessionEvents>(*this))
    , m_resolver(new PlaylistResolver(this))
{
    connect(m_resolver, &PlaylistResolver::resolved, this, [this](const QUrl &, const QStringList &entries) {
        onPlaylistResolved(entries);
    });
    connect(m_resolver, &PlaylistResolver::failed, this, [this](const QUrl &, const QString &reason) {
        onPlaylistFailed(reason);
    });
    connect(m_resolver, &PlaylistResolver::notPlaylist, this, &PlaybackSession::onNotPlaylist);
    connect(&m_reconnection, &Reconnection::tryDue, this, &PlaybackSession::onTryDue);
    connect(&m_reconnection, &Reconnection::stalled, this, &PlaybackSession::onStalled);
}

PlaybackSession::~PlaybackSession() = default;

void PlaybackSession::attachEngine(std::unique_ptr<MpvEngine> engine)
{
    m_engine.attach(std::move(engine), *m_events);
    if (m_awaitingStart)
        m_reconnection.opened();
    Q_EMIT engineArrived();
}

void PlaybackSession::engineUnavailable(const QString &reason)
{
    m_unavailable = QStringLiteral("Erreur : le lecteur multimédia ne peut pas démarrer (%1)").arg(reason);
    const bool wanted = m_awaitingStart;
    m_engine.forget();
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
    m_entries = { address };
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
    Q_EMIT urlChanged(url);
    m_resolved = false;
    m_failure.reset();
    m_resolver->cancel();
    m_reconnection.forget();
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
        m_engine.stop();
        m_status.stopped();
        publishStatus();
        return;
    }
    // A new address plays, paused or not before.
    if (!m_engine)
        setPausedHere(false);
    m_status.loadRequested();
    publishStatus();
    const QUrl address = addressUrl(given);
    if (AsxParser::isPlaylistAddress(address) && isFetchable(address)) {
        // mpv cannot read these: what plays meanwhile stops, as it would for
        // any new address.
        m_resolved = true;
        m_awaitingStart = true;
        m_engine.stop();
        m_resolver->resolve(address);
        return;
    }
    load({ given });
}

void PlaybackSession::load(const QStringList &addresses)
{
    m_entries = addresses;
    m_awaitingStart = true;
    m_engine.loadFiles(addresses);
    if (m_engine)
        m_reconnection.opened();
}

void PlaybackSession::stopForNow()
{
    m_awaitingStart = true;
    m_engine.stop();
}

void PlaybackSession::setPausedHere(bool paused)
{
    m_engine.setPaused(paused);
    m_paused = paused;
    m_status.setPaused(paused);
    publishStatus();
}

void PlaybackSession::play()
{
    if (m_reconnection.isActive()) {
        m_reconnection.tryNow();
        return;
    }
    if (m_status.state() == PlaybackState::Paused) {
        // The engine tells when it has done it.
        if (m_engine)
            m_engine->setPaused(false);
        else
            setPausedHere(false);
    } else if (m_status.state() == PlaybackState::Stopped && !m_url.trimmed().isEmpty() && m_unavailable.isEmpty()) {
        setUrl(m_url);
    }
}

void PlaybackSession::pause()
{
    if (m_status.state() != PlaybackState::Playing)
        return;
    if (m_engine)
        m_engine->setPaused(true);
    else
        setPausedHere(true);
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
    m_reconnection.forget();
    m_awaitingStart = false;
    m_engine.stop();
    m_status.stopped();
    publishStatus();
}

void PlaybackSession::seekTo(double seconds)
{
    m_engine.seekTo(seconds);
}

void PlaybackSession::setVolume(int volume)
{
    volume = qBound(0, volume, 100);
    m_engine.setVolume(volume);
    onVolumeReported(volume);
}

void PlaybackSession::setMuted(bool muted)
{
    m_engine.setMuted(muted);
    onMutedReported(muted);
}

void PlaybackSession::setFitToFrame(bool fit)
{
    if (fit == m_fitToFrame)
        return;
    m_fitToFrame = fit;
    m_engine.setFitToFrame(fit);
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
    // Back: everything reads as on a fresh start.
    if (m_reconnection.isActive())
        m_status.loadRequested();
    m_reconnection.soundStarted();
    m_status.playbackRestarted();
    publishStatus();
    Q_EMIT playbackStarted();
}

void PlaybackSession::onLiveStreamKnown(bool live)
{
    m_liveStream = live;
    m_reconnection.liveStreamKnown(live);
}

void PlaybackSession::onPaused(bool paused)
{
    m_paused = paused;
    m_status.setPaused(paused);
    publishStatus();
    m_reconnection.pausedChanged(paused);
}

void PlaybackSession::onBuffering(bool buffering)
{
    m_status.setBuffering(buffering);
    publishStatus();
    m_reconnection.bufferingChanged(buffering);
}

void PlaybackSession::onVolumeReported(int volume)
{
    if (volume == m_volume)
        return;
    m_volume = volume;
    Q_EMIT volumeChanged(volume);
}

void PlaybackSession::onMutedReported(bool muted)
{
    if (muted == m_muted)
        return;
    m_muted = muted;
    Q_EMIT mutedChanged(muted);
}

void PlaybackSession::onLogMessage(const QString &line)
{
    Q_EMIT engineMessage(line);
    if (PlaybackStatus::isAudioOutputFailure(line)) {
        m_status.setAudioMissing();
        publishStatus();
    }
    if (m_reconnection.refusedLastingly(m_engine->messages())) {
        m_status.failed(PlaybackStatus::failureText(m_engine->messages()));
        publishStatus();
        return;
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
    if (m_reconnection.ended(why, m_engine->messages())) {
        m_status.reconnecting(m_reconnection.attempt());
        return publishStatus();
    }
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

void PlaybackSession::onTryDue(int attempt)
{
    m_status.reconnecting(attempt);
    publishStatus();
    load(m_entries);
}

void PlaybackSession::onStalled(bool triedAgain)
{
    stopForNow();
    if (triedAgain) {
        m_status.reconnecting(m_reconnection.attempt());
    } else {
        // Nothing to hear since it was asked for: a server that accepts and
        // then sends nothing, or too little to play.
        m_resolver->cancel();
        m_status.failed(PlaybackStatus::failureText({ QStringLiteral("timed out") }));
    }
    publishStatus();
}

// The resolver fetches one playlist at a time, and a new address cancels its
// fetch: what it tells is about the current one.
void PlaybackSession::onPlaylistResolved(const QStringList &entries)
{
    load(entries);
}

void PlaybackSession::onPlaylistFailed(const QString &reason)
{
    m_awaitingStart = false;
    m_status.failed(reason);
    publishStatus();
}

void PlaybackSession::onNotPlaylist()
{
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
