#include "ui/playback/playerbar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QToolButton>

namespace
{

enum class Glyph { Play, Pause, Stop, FullScreen, LeaveFullScreen, Record };

// Drawn in the palette's button text colour: the style's own media icons are
// dark grey, which a dark skin swallows.
QIcon glyphIcon(Glyph glyph, const QColor &colour)
{
    QPixmap pixmap(32, 32);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    switch (glyph) {
    case Glyph::Play:
        painter.drawPolygon(QPolygonF { QPointF(4, 2), QPointF(14, 8), QPointF(4, 14) });
        break;
    case Glyph::Pause:
        painter.drawRect(QRectF(3.5, 2, 3.5, 12));
        painter.drawRect(QRectF(9, 2, 3.5, 12));
        break;
    case Glyph::Stop:
        painter.drawRect(QRectF(3, 3, 10, 10));
        break;
    case Glyph::Record:
        painter.drawEllipse(QRectF(3, 3, 10, 10));
        break;
    case Glyph::FullScreen:
    case Glyph::LeaveFullScreen: {
        // Four corner marks, at the edges to enter, near the middle to leave.
        painter.setPen(QPen(colour, 1.6));
        painter.setBrush(Qt::NoBrush);
        const qreal edge = glyph == Glyph::FullScreen ? 2 : 6;
        const qreal arm = glyph == Glyph::FullScreen ? 4 : -4;
        for (const int cornerX : { 0, 1 }) {
            for (const int cornerY : { 0, 1 }) {
                const QPointF point(cornerX ? 16 - edge : edge, cornerY ? 16 - edge : edge);
                const qreal dx = cornerX ? -arm : arm;
                const qreal dy = cornerY ? -arm : arm;
                painter.drawLine(point, point + QPointF(dx, 0));
                painter.drawLine(point, point + QPointF(0, dy));
            }
        }
        break;
    }
    }
    return QIcon(pixmap);
}

// Tool tips take any text that looks like markup for markup: a song title
// such as "<b>Hits</b>" must show as it was sent.
QString plainToolTip(const QString &text)
{
    if (text.isEmpty())
        return text;
    return QStringLiteral("<p style=\"white-space: pre\">%1</p>").arg(text.toHtmlEscaped());
}

QToolButton *makeButton(QWidget *parent, const QIcon &icon, const QString &name)
{
    auto *button = new QToolButton(parent);
    button->setIcon(icon);
    button->setToolTip(name);
    button->setAccessibleName(name);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

PlayerBar::PlayerBar(QWidget *parent)
    : QWidget(parent)
    , m_playPause(
          makeButton(this, glyphIcon(Glyph::Play, palette().color(QPalette::ButtonText)), QStringLiteral("Lecture")))
    , m_stop(makeButton(this, glyphIcon(Glyph::Stop, palette().color(QPalette::ButtonText)), QStringLiteral("Arrêt")))
    , m_position(new QSlider(Qt::Horizontal, this))
    , m_mute(makeButton(this, style()->standardIcon(QStyle::SP_MediaVolume), QStringLiteral("Muet")))
    , m_volume(new QSlider(Qt::Horizontal, this))
    , m_fullScreen(makeButton(
          this, glyphIcon(Glyph::FullScreen, palette().color(QPalette::ButtonText)), QStringLiteral("Plein écran")))
    , m_status(new QLabel(this))
    , m_record(makeButton(this, QIcon(), QStringLiteral("Enregistrer")))
    , m_recordedTime(new QLabel(this))
    , m_menu(makeButton(this, QIcon(), QStringLiteral("Plus d'actions")))
{
    m_menu->setText(QStringLiteral("⋯"));
    m_menu->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_menu->setPopupMode(QToolButton::InstantPopup);
    // The tool button draws an arrow of its own beside a menu's text.
    m_menu->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0; }"));
    m_recordedTime->setTextFormat(Qt::PlainText);
    m_recordedTime->setObjectName(QStringLiteral("recordedTime"));
    m_recordedTime->setStyleSheet(QStringLiteral("color: #e03030;"));
    m_recordedTime->setVisible(false);
    setRecording(false);
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
    // The right end stays clear for the main window's resize grip in its corner.
    layout->setContentsMargins(2, 0, 18, 0);
    layout->setSpacing(2);
    layout->addWidget(m_playPause);
    layout->addWidget(m_stop);
    layout->addWidget(m_record);
    layout->addWidget(m_recordedTime);
    layout->addWidget(m_status, 1);
    layout->addWidget(m_position, 2);
    layout->addWidget(m_mute);
    layout->addWidget(m_volume);
    layout->addWidget(m_fullScreen);
    layout->addWidget(m_menu);

    connect(m_playPause, &QToolButton::clicked, this, &PlayerBar::playPauseClicked);
    connect(m_stop, &QToolButton::clicked, this, &PlayerBar::stopClicked);
    connect(m_mute, &QToolButton::clicked, this, &PlayerBar::muteClicked);
    connect(m_fullScreen, &QToolButton::clicked, this, &PlayerBar::fullScreenClicked);
    connect(m_record, &QToolButton::clicked, this, &PlayerBar::recordClicked);
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
    m_playPause->setIcon(glyphIcon(playing ? Glyph::Pause : Glyph::Play, palette().color(QPalette::ButtonText)));
    m_playPause->setToolTip(name);
    m_playPause->setAccessibleName(name);
}

void PlayerBar::setStatus(const QString &status, const QString &title)
{
    const QString text = title.isEmpty() || status.isEmpty() ? status : status + QStringLiteral(" – ") + title;
    m_status->setText(text);
    m_statusText = text;
    showStatusTip();
}

void PlayerBar::setSleepText(const QString &text)
{
    if (text == m_sleepText)
        return;
    m_sleepText = text;
    setToolTip(plainToolTip(text));
    showStatusTip();
}

void PlayerBar::showStatusTip()
{
    QString tip = m_statusText;
    if (!m_sleepText.isEmpty())
        tip = tip.isEmpty() ? m_sleepText : tip + QLatin1Char('\n') + m_sleepText;
    m_status->setToolTip(plainToolTip(tip));
}

QString PlayerBar::statusText() const
{
    return m_status->text();
}

QString PlayerBar::statusToolTip() const
{
    return m_status->toolTip();
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
        glyphIcon(fullScreen ? Glyph::LeaveFullScreen : Glyph::FullScreen, palette().color(QPalette::ButtonText)));
    m_fullScreen->setToolTip(name);
    m_fullScreen->setAccessibleName(name);
}

void PlayerBar::setRecordAvailable(bool available, const QString &reason)
{
    m_recordAvailable = available;
    m_recordReason = reason;
    setRecording(m_recording);
}

void PlayerBar::setRecording(bool recording)
{
    m_recording = recording;
    // Red while recording; the stop of a recording is always at hand.
    const QColor colour = recording ? QColor(0xe0, 0x30, 0x30) : palette().color(QPalette::ButtonText);
    m_record->setIcon(glyphIcon(Glyph::Record, colour));
    const QString name = recording ? QStringLiteral("Arrêter l'enregistrement") : QStringLiteral("Enregistrer");
    m_record->setAccessibleName(name);
    m_record->setEnabled(recording || m_recordAvailable);
    m_record->setToolTip(recording || m_recordAvailable || m_recordReason.isEmpty() ? name : m_recordReason);
    m_recordedTime->setVisible(recording);
    if (!recording)
        m_recordedTime->clear();
}

void PlayerBar::setRecordedTime(qint64 ms)
{
    const qint64 seconds = ms / 1000;
    const QString time = seconds >= 3600
        ? QStringLiteral("%1:%2:%3")
              .arg(seconds / 3600)
              .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
              .arg(seconds % 60, 2, 10, QLatin1Char('0'))
        : QStringLiteral("%1:%2").arg(seconds / 60, 2, 10, QLatin1Char('0')).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    m_recordedTime->setText(QStringLiteral("● ") + time);
    m_recordedTime->setToolTip(QStringLiteral("Enregistrement en cours depuis ") + time);
}

void PlayerBar::setMenu(QMenu *menu)
{
    m_menu->setMenu(menu);
}
