#include "player/unavailableplayer.h"

#include <QLabel>

UnavailablePlayer::UnavailablePlayer(const QString &reason, QObject *parent)
    : PlayerControl(parent)
    , m_reason(QStringLiteral("Erreur : le lecteur multimédia ne peut pas démarrer (%1)").arg(reason))
{
}

UnavailablePlayer::~UnavailablePlayer()
{
    delete m_label;
}

QWidget *UnavailablePlayer::widget()
{
    if (!m_label) {
        m_label = new QLabel(m_reason);
        m_label->setObjectName(QStringLiteral("WMP"));
        m_label->setTextFormat(Qt::PlainText);
        m_label->setAlignment(Qt::AlignCenter);
        m_label->setWordWrap(true);
        m_label->setVisible(m_visible);
    }
    return m_label;
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
    if (m_label)
        m_label->setVisible(visible);
}
