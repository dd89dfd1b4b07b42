#include "ui/playback/playerface.h"

#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

const QString PlayerFace::welcomeLine
    = QStringLiteral("Pour commencer, cliquez sur le bouton Radio ou TV, en haut à gauche.");

namespace
{

QLabel *faceLabel(QWidget *parent, const QString &name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    // Names and song titles come from catalogues and stream servers.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

void setPixelSize(QLabel *label, int pixels, bool bold)
{
    QFont font = label->font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    label->setFont(font);
}

} // namespace

PlayerFace::PlayerFace(QWidget *parent)
    : QWidget(parent)
    , m_picture(faceLabel(this, QStringLiteral("facePicture")))
    , m_name(faceLabel(this, QStringLiteral("faceName")))
    , m_title(faceLabel(this, QStringLiteral("faceTitle")))
    , m_hint(faceLabel(this, QStringLiteral("faceHint")))
{
    setObjectName(QStringLiteral("face"));
    // Clicks, double clicks and the menu belong to the picture underneath.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_hint->setText(welcomeLine);
    for (QLabel *label : { m_name, m_title, m_hint })
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(10);
    layout->addStretch(1);
    layout->addWidget(m_picture);
    layout->addWidget(m_name);
    layout->addWidget(m_title);
    layout->addWidget(m_hint);
    layout->addStretch(1);
    colourLabels();
    refresh();
}

void PlayerFace::setWelcome(bool welcome)
{
    if (welcome == m_welcome)
        return;
    m_welcome = welcome;
    refresh();
}

void PlayerFace::setPicture(const QString &path)
{
    if (path == m_picturePath)
        return;
    m_picturePath = path;
    QImageReader reader(path);
    m_given = path.isEmpty() ? QPixmap() : QPixmap::fromImageReader(&reader);
    scaleToArea();
}

void PlayerFace::setName(const QString &name)
{
    m_name->setText(name);
}

void PlayerFace::setTitle(const QString &title)
{
    m_title->setText(title);
    m_title->setVisible(!m_welcome && !title.isEmpty());
}

void PlayerFace::colourLabels()
{
    // The song in the accent colour, the welcome line subdued.
    const auto colour = [this](QLabel *label, QPalette::ColorRole role) {
        QPalette own = palette();
        own.setColor(QPalette::WindowText, palette().color(role));
        label->setPalette(own);
    };
    colour(m_title, QPalette::Highlight);
    colour(m_hint, QPalette::PlaceholderText);
}

QString PlayerFace::nameText() const
{
    return m_name->text();
}

QString PlayerFace::titleText() const
{
    return m_title->text();
}

void PlayerFace::refresh()
{
    m_hint->setVisible(m_welcome);
    m_name->setVisible(!m_welcome);
    m_title->setVisible(!m_welcome && !m_title->text().isEmpty());
    scaleToArea();
}

void PlayerFace::scaleToArea()
{
    // Read across the room: the text grows with the area it has.
    const int h = height();
    setPixelSize(m_name, qBound(18, h / 9, 56), true);
    setPixelSize(m_title, qBound(15, h / 13, 40), false);
    setPixelSize(m_hint, qBound(13, h / 22, 24), false);

    const qreal ratio = devicePixelRatioF();
    const QSize room(qMax(1, width() * 8 / 10), qMax(1, h * (m_welcome ? 5 : 4) / 10));
    QPixmap picture;
    if (!m_welcome && !m_given.isNull()) {
        // Station pictures are small: enlarged, but not beyond twice their
        // size, past which they show blurred.
        const QSize wanted = m_given.size().scaled(room.boundedTo(m_given.size() * 2), Qt::KeepAspectRatio);
        picture = m_given.scaled(wanted * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    } else {
        const int side = qMin(qMin(room.width(), room.height()), 256);
        picture = QGuiApplication::windowIcon().pixmap(QSize(side, side), ratio);
    }
    picture.setDevicePixelRatio(ratio);
    m_picture->setPixmap(picture);
    m_picture->setVisible(!picture.isNull());
}

void PlayerFace::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor base = palette().color(QPalette::Window);
    QLinearGradient shade(0, 0, 0, height());
    shade.setColorAt(0, base.lighter(115));
    shade.setColorAt(1, base.darker(160));
    painter.fillRect(rect(), shade);
}

void PlayerFace::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    scaleToArea();
}

void PlayerFace::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        colourLabels();
}
