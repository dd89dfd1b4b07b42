#include "player/playerbar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QToolButton>

namespace
{

QToolButton *makeButton(QWidget *parent, QStyle::StandardPixmap icon, const QString &name)
{
    auto *button = new QToolButton(parent);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolTip(name);
    button->setAccessibleName(name);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

PlayerBar::PlayerBar(QWidget *parent)
    : QWidget(parent)
    , m_playPause(makeButton(this, QStyle::SP_MediaPlay, QStringLiteral("Lecture")))
    , m_stop(makeButton(this, QStyle::SP_MediaStop, QStringLiteral("Arrêt")))
    , m_position(new QSlider(Qt::Horizontal, this))
    , m_mute(makeButton(this, QStyle::SP_MediaVolume, QStringLiteral("Muet")))
    , m_volume(new QSlider(Qt::Horizontal, this))
    , m_fullScreen(makeButton(this, QStyle::SP_TitleBarMaxButton, QStringLiteral("Plein écran")))
    , m_status(new QLabel(this))
{
    m_position->setAccessibleName(QStringLiteral("Position"));
    m_position->setRange(0, 0);
    m_position->setVisible(false);
    m_volume->setAccessibleName(QStringLiteral("Volume"));
    m_volume->setToolTip(QStringLiteral("Volume"));
    m_volume->setRange(0, 100);
    m_volume->setFixedWidth(80);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setMinimumWidth(40);
    m_status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(2);
    layout->addWidget(m_playPause);
    layout->addWidget(m_stop);
    layout->addWidget(m_status, 1);
    layout->addWidget(m_position, 2);
    layout->addWidget(m_mute);
    layout->addWidget(m_volume);
    layout->addWidget(m_fullScreen);

    connect(m_playPause, &QToolButton::clicked, this, &PlayerBar::playPauseClicked);
    connect(m_stop, &QToolButton::clicked, this, &PlayerBar::stopClicked);
    connect(m_mute, &QToolButton::clicked, this, &PlayerBar::muteClicked);
    connect(m_fullScreen, &QToolButton::clicked, this, &PlayerBar::fullScreenClicked);
    connect(m_volume, &QSlider::valueChanged, this, &PlayerBar::volumeMoved);
    // Seek when the handle is let go or the bar clicked, not at every pixel of a drag.
    connect(m_position, &QSlider::sliderReleased, this, [this] {
        Q_EMIT seekRequested(m_position->value());
    });
    connect(m_position, &QSlider::actionTriggered, this, [this](int action) {
        if (action != QAbstractSlider::SliderMove && !m_position->isSliderDown())
            Q_EMIT seekRequested(m_position->sliderPosition());
    });
}

void PlayerBar::setPlaying(bool playing)
{
    m_playing = playing;
    const QString name = playing ? QStringLiteral("Pause") : QStringLiteral("Lecture");
    m_playPause->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    m_playPause->setToolTip(name);
    m_playPause->setAccessibleName(name);
}

void PlayerBar::setStatus(const QString &status, const QString &title)
{
    const QString text = title.isEmpty() || status.isEmpty() ? status : status + QStringLiteral(" – ") + title;
    m_status->setText(text);
    m_status->setToolTip(text);
}

QString PlayerBar::statusText() const
{
    return m_status->text();
}

bool PlayerBar::isPositionShown() const
{
    return !m_position->isHidden();
}

void PlayerBar::setVolume(int volume)
{
    const QSignalBlocker blocker(m_volume);
    m_volume->setValue(volume);
}

void PlayerBar::setMuted(bool muted)
{
    m_muted = muted;
    m_mute->setIcon(style()->standardIcon(muted ? QStyle::SP_MediaVolumeMuted : QStyle::SP_MediaVolume));
    m_mute->setToolTip(muted ? QStringLiteral("Son") : QStringLiteral("Muet"));
    m_mute->setAccessibleName(m_mute->toolTip());
}

void PlayerBar::setSeekRange(bool seekable, double duration)
{
    const bool show = seekable && duration > 0;
    m_position->setRange(0, show ? int(duration) : 0);
    m_position->setVisible(show);
}

void PlayerBar::setPosition(double seconds)
{
    if (m_position->isVisible() && !m_position->isSliderDown()) {
        const QSignalBlocker blocker(m_position);
        m_position->setValue(int(seconds));
    }
}

void PlayerBar::setFullScreen(bool fullScreen)
{
    const QString name = fullScreen ? QStringLiteral("Quitter le plein écran") : QStringLiteral("Plein écran");
    m_fullScreen->setIcon(
        style()->standardIcon(fullScreen ? QStyle::SP_TitleBarNormalButton : QStyle::SP_TitleBarMaxButton));
    m_fullScreen->setToolTip(name);
    m_fullScreen->setAccessibleName(name);
}
