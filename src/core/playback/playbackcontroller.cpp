#include "core/playback/playbackcontroller.h"

#include "core/browser/browsercontrol.h"
#include "core/playback/playbackstatus.h"
#include "core/playback/playercontrol.h"
#include "core/state/statestore.h"

const QString PlaybackController::loadingMessage
    = QStringLiteral("Chargement de la page en cours. Veuillez patienter...");
const QString PlaybackController::browserMessage = QStringLiteral("Visualisation avec Internet Explorer");
const QString PlaybackController::stoppedMessage = QStringLiteral("Arrêté");
const QStringList PlaybackController::stoppedStatuses {
    QStringLiteral("Prêt"), QStringLiteral("Ready"), QStringLiteral("Arrété"), QStringLiteral("Stopped")
};

namespace
{

const QString startupTag = QStringLiteral("Debut");

bool isHoverHint(const QString &text)
{
    return text.startsWith(QLatin1Char('-'));
}

} // namespace

PlaybackController::PlaybackController(
    StateStore &store, PlayerControl &player, BrowserControl &browser, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_player(player)
    , m_browser(browser)
{
    m_timerInfos.setInterval(200);
    connect(&m_timerInfos, &QTimer::timeout, this, &PlaybackController::TimerInfos_Timer);
    connect(&m_store, &StateStore::radioTvChanged, this, &PlaybackController::RadioTv_Change);
    connect(&m_browser, &BrowserControl::progressChange, this, &PlaybackController::WB_ProgressChange);
    connect(&m_player, &PlayerControl::mouseDown, this, &PlaybackController::WMP_MouseDown);
    connect(&m_player, &PlayerControl::mouseMove, this, &PlaybackController::WMP_MouseMove);
}

void PlaybackController::start()
{
    m_timerInfos.start();
}

void PlaybackController::Arret_Click()
{
    m_player.setUrl(QString());
    m_browser.stop();
}

void PlaybackController::RefreshBtn_Click()
{
    if (m_player.isVisible())
        m_player.setUrl(m_store.curl());
    else
        m_browser.refresh();
}

void PlaybackController::TimerInfos_Timer()
{
    m_player.setStretchToFit(m_store.preferences().checkCadre == 1);
    if (m_store.lecture().isEmpty())
        m_store.setLecture(QStringLiteral("Ondavox"));
    if (isHoverHint(m_store.divers()))
        return;

    const QString status = m_player.status();
    const QString prefix = status.startsWith(QStringLiteral("Lec")) ? QStringLiteral("Lecture") : QString();
    QString line = prefix + QStringLiteral(" de ") + m_store.lecture();
    if (status.isEmpty())
        line.clear();
    if (stoppedStatuses.contains(status))
        line = stoppedMessage;
    // Neither playing nor stopped: connecting, buffering or failed.
    if (line.startsWith(QStringLiteral(" de")))
        line.clear();
    // A stream that dropped is being opened again: the line says so rather
    // than nothing, as it says "Arrêté" when it stopped.
    if (PlaybackStatus::isReconnecting(status))
        line = status;
    if (m_browser.isVisible())
        line = browserMessage;
    m_store.setDivers(line);
}

void PlaybackController::WB_ProgressChange(int progress, int progressMax)
{
    const bool startupPage = m_browser.tag() == startupTag;
    Q_EMIT progressChanged(progress, progressMax, !startupPage && progress > 0 && progress < progressMax);
    if (!startupPage)
        m_store.setDivers(loadingMessage);
}

void PlaybackController::RadioTv_Change(const QString &mode)
{
    if (mode == QStringLiteral("TV")) {
        Q_EMIT sizingFrameRequested();
    } else if (mode == QStringLiteral("WEB")) {
        Q_EMIT sizingFrameRequested();
        m_browser.setTag(QString());
    }
}

void PlaybackController::WMP_MouseDown(int button)
{
    if (button == 2)
        m_player.setEnabled(false);
}

void PlaybackController::WMP_MouseMove()
{
    if (isHoverHint(m_store.divers()))
        m_store.setDivers(QString());
}

void PlaybackController::Form_MouseDown(int button)
{
    if (button == 2 && m_player.isEnabled())
        m_player.setEnabled(false);
}

void PlaybackController::Form_MouseUp()
{
    m_player.setEnabled(true);
}

void PlaybackController::Form_MouseMove()
{
    m_player.setEnabled(true);
}
