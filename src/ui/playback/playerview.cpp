#include "ui/playback/playerview.h"

#include "ui/playback/playerbar.h"
#include "ui/playback/playerface.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

PlayerView::PlayerView(QWidget *parent)
    : QWidget(parent)
    , m_screen(new QGridLayout)
    , m_face(new PlayerFace(this))
    , m_bar(new PlayerBar(this))
{
    setObjectName(QStringLiteral("WMP"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The face lies over the picture rather than in its place: a video
    // surface stays shown under it, its render context ready for the next video.
    layout->addLayout(m_screen, 1);
    layout->addWidget(m_bar);
    auto *black = new QWidget(this);
    black->setAttribute(Qt::WA_StyledBackground);
    black->setStyleSheet(QStringLiteral("background: black"));
    setPicture(black);
    m_screen->addWidget(m_face, 0, 0);
}

void PlayerView::setPicture(QWidget *picture)
{
    if (m_picture) {
        m_screen->removeWidget(m_picture);
        m_picture->deleteLater();
    }
    m_picture = picture;
    picture->setParent(this);
    picture->setObjectName(QStringLiteral("picture"));
    picture->setMouseTracking(true);
    m_screen->addWidget(picture, 0, 0);
    m_face->raise();
    picture->show();
}

void PlayerView::showUnavailable(const QString &reason)
{
    if (!m_unavailable) {
        m_unavailable = new QLabel(this);
        m_unavailable->setObjectName(QStringLiteral("unavailable"));
        m_unavailable->setTextFormat(Qt::PlainText);
        m_unavailable->setAlignment(Qt::AlignCenter);
        m_unavailable->setWordWrap(true);
        m_screen->addWidget(m_unavailable, 0, 0);
    }
    m_unavailable->setText(reason);
    m_unavailable->raise();
    m_unavailable->show();
    m_face->hide();
    m_picture->hide();
    m_bar->hide();
}

QString PlayerView::unavailableReason() const
{
    return m_unavailable ? m_unavailable->text() : QString();
}
