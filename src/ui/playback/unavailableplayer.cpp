#include "ui/playback/unavailableplayer.h"

#include "ui/playback/playerview.h"

UnavailablePlayer::UnavailablePlayer(const QString &reason, PlayerView &view, QObject *parent)
    : PlayerControl(parent)
    , m_reason(statusFor(reason))
    , m_view(&view)
{
    view.showUnavailable(m_reason);
}

QString UnavailablePlayer::statusFor(const QString &reason)
{
    return QStringLiteral("Erreur : le lecteur multimédia ne peut pas démarrer (%1)").arg(reason);
}

void UnavailablePlayer::setUrl(const QString &url)
{
    m_url = url;
    m_status = url.isEmpty() ? QString() : m_reason;
    Q_EMIT statusChanged(m_status);
}

void UnavailablePlayer::setVisible(bool visible)
{
    m_visible = visible;
    if (m_view)
        m_view->setVisible(visible);
}
