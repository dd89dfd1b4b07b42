#include "core/playback/playbackstatus.h"

#include <QRegularExpression>
#include <cerrno>
#include <cstring>

const QString PlaybackStatus::connecting = QStringLiteral("Connexion...");
const QString PlaybackStatus::buffering = QStringLiteral("Mise en mémoire tampon...");
const QString PlaybackStatus::playing = QStringLiteral("Lecture en cours");
const QString PlaybackStatus::paused = QStringLiteral("En pause");
const QString PlaybackStatus::ready = QStringLiteral("Prêt");
const QString PlaybackStatus::interrupted = QStringLiteral("Erreur : le flux s'est interrompu");
const QString PlaybackStatus::playingWithoutSound = QStringLiteral("Lecture sans son (aucune sortie audio)");
const QString PlaybackStatus::noAudioOutput = QStringLiteral("Erreur : aucune sortie audio n'est disponible");

namespace
{

const QString reconnectingPrefix = QStringLiteral("Reconnexion au flux…");
const QRegularExpression httpStatus(QStringLiteral("(?:http error|server returned) (\\d{3})"));

} // namespace

void PlaybackStatus::loadRequested()
{
    m_phase = Phase::Connecting;
    m_buffering = false;
    m_audioMissing = false;
    m_videoShown = false;
    m_error.clear();
}

void PlaybackStatus::opened()
{
    if (m_phase == Phase::Connecting)
        m_phase = Phase::Opened;
}

void PlaybackStatus::playbackRestarted()
{
    if (m_phase == Phase::Connecting || m_phase == Phase::Opened)
        m_phase = Phase::Running;
}

void PlaybackStatus::setPaused(bool paused)
{
    m_paused = paused;
}

void PlaybackStatus::setBuffering(bool buffering)
{
    m_buffering = buffering;
}

void PlaybackStatus::setAudioMissing()
{
    m_audioMissing = true;
}

void PlaybackStatus::setVideoShown(bool shown)
{
    if (shown)
        m_videoShown = true;
}

void PlaybackStatus::stopped()
{
    // A stop before anything was ever opened leaves the player as it was.
    if (m_phase != Phase::NeverLoaded)
        m_phase = Phase::Ready;
    m_buffering = false;
}

void PlaybackStatus::reconnecting(int attempt)
{
    m_phase = Phase::Reconnecting;
    m_attempt = attempt;
    m_buffering = false;
}

void PlaybackStatus::ended(EndReason reason, bool liveStream, const QStringList &messages)
{
    switch (reason) {
    case EndReason::Redirected:
        // The entries of the playlist are opened next.
        m_phase = Phase::Connecting;
        return;
    case EndReason::Stopped:
        stopped();
        return;
    case EndReason::EndOfStream:
        if (liveStream && (m_phase == Phase::Running || m_phase == Phase::Opened)) {
            // A live stream has no end: running out of data means the server
            // or the network let it down.
            failed(interrupted);
        } else if (m_phase == Phase::Connecting) {
            failed(failureText(messages));
        } else {
            stopped();
        }
        return;
    case EndReason::Failed:
        failed(failureText(messages));
        return;
    case EndReason::UnknownFormat:
        failed(failureText(messages, true));
        return;
    case EndReason::NoAudioOutput:
        // The engine says so at the end of a video that played without sound too.
        if (m_videoShown)
            ended(EndReason::EndOfStream, liveStream, messages);
        else
            failed(noAudioOutput);
        return;
    }
}

void PlaybackStatus::failed(const QString &text)
{
    m_phase = Phase::Failed;
    m_buffering = false;
    m_error = text;
}

QString PlaybackStatus::text() const
{
    switch (m_phase) {
    case Phase::NeverLoaded:
        return {};
    case Phase::Connecting:
        return connecting;
    case Phase::Opened:
        return m_paused ? paused : buffering;
    case Phase::Running:
        if (m_paused)
            return paused;
        if (m_buffering)
            return buffering;
        return m_audioMissing ? playingWithoutSound : playing;
    case Phase::Ready:
        return ready;
    case Phase::Failed:
        return m_error;
    case Phase::Reconnecting:
        return reconnectingPrefix + QStringLiteral(" (essai %1)").arg(m_attempt);
    }
    return {};
}

PlayerControl::PlaybackState PlaybackStatus::state() const
{
    switch (m_phase) {
    case Phase::Connecting:
    case Phase::Opened:
    case Phase::Running:
        return m_paused ? PlayerControl::PlaybackState::Paused : PlayerControl::PlaybackState::Playing;
    case Phase::NeverLoaded:
    case Phase::Ready:
    case Phase::Failed:
    // Nothing to hear: the desktop is not told that it plays.
    case Phase::Reconnecting:
        break;
    }
    return PlayerControl::PlaybackState::Stopped;
}

bool PlaybackStatus::isLasting(const QStringList &messages, bool reconnecting)
{
    const QString log = messages.join(QLatin1Char('\n')).toLower();
    const QRegularExpressionMatch status = httpStatus.match(log);
    if (status.hasMatch() && status.captured(1).startsWith(QLatin1Char('4')))
        return !reconnecting
            || (status.captured(1) != QLatin1String("404") && status.captured(1) != QLatin1String("410"));
    return log.contains(QLatin1String("certificate"));
}

bool PlaybackStatus::isReconnecting(const QString &text)
{
    return text.startsWith(reconnectingPrefix);
}

bool PlaybackStatus::isAudioOutputFailure(const QString &message)
{
    return message.contains(QLatin1String("could not open/initialize audio device"), Qt::CaseInsensitive);
}

QString PlaybackStatus::failureText(const QStringList &messages, bool unknownFormat)
{
    const QString log = messages.join(QLatin1Char('\n')).toLower();
    const auto mentions = [&log](const char *text) {
        return log.contains(QLatin1String(text));
    };
    // FFmpeg and mpv word system errors through strerror, which speaks the
    // user's language once the application has set its locale.
    const auto mentionsError = [&log](int code, const char *english) {
        return log.contains(QLatin1String(english))
            || log.contains(QString::fromLocal8Bit(std::strerror(code)).toLower());
    };

    // ALSA and PulseAudio word their own failures as missing files and refused
    // connections: the engine's summary comes first.
    for (const QString &message : messages) {
        if (isAudioOutputFailure(message))
            return noAudioOutput;
    }
    const QRegularExpressionMatch status = httpStatus.match(log);
    if (status.hasMatch()) {
        const QString code = status.captured(1);
        if (code == QLatin1String("404") || code == QLatin1String("410"))
            return QStringLiteral("Erreur : flux introuvable (%1)").arg(code);
        if (code == QLatin1String("401") || code == QLatin1String("403"))
            return QStringLiteral("Erreur : accès refusé (%1)").arg(code);
        return QStringLiteral("Erreur : le serveur a répondu %1").arg(code);
    }
    if (mentionsError(ECONNREFUSED, "connection refused"))
        return QStringLiteral("Erreur : connexion refusée");
    if (mentions("failed to resolve") || mentions("name or service not known")
        || mentions("temporary failure in name resolution"))
        return QStringLiteral("Erreur : serveur introuvable");
    if (mentionsError(ETIMEDOUT, "timed out") || mentions("timeout"))
        return QStringLiteral("Erreur : le serveur ne répond pas");
    if (mentionsError(ENETUNREACH, "network is unreachable") || mentionsError(EHOSTUNREACH, "no route to host"))
        return QStringLiteral("Erreur : réseau inaccessible");
    if (mentionsError(ECONNRESET, "connection reset") || mentionsError(EPIPE, "broken pipe") || mentions("end of file"))
        return interrupted;
    if (mentionsError(ENOENT, "no such file or directory"))
        return QStringLiteral("Erreur : fichier introuvable");
    if (mentions("protocol not found") || mentions("no protocol handler"))
        return QStringLiteral("Erreur : type d'adresse non pris en charge");
    if (unknownFormat || mentions("unrecognized file format") || mentions("failed to recognize file format"))
        return QStringLiteral("Erreur : format non reconnu");
    return QStringLiteral("Erreur : lecture impossible");
}
