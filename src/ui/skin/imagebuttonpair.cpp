#include "ui/skin/imagebuttonpair.h"

#include "ui/skin/kivkeys.h"
#include "ui/skin/skin.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

ImageButtonPair::ImageButtonPair(const QString &skinName, QWidget *parent)
    : ImageButtonPair(
        QIcon(Skin::imagePath(skinName)), QIcon(Skin::imagePath(skinName + QLatin1String("-hover"))), parent)
{
    setObjectName(skinName);
}

ImageButtonPair::ImageButtonPair(const QIcon &normalImage, const QIcon &hoverImage, QWidget *parent)
    : QAbstractButton(parent)
    , m_normalImage(normalImage)
    , m_hoverImage(hoverImage)
{
    // The icon also holds the "@2x" variant; the smallest size is the layout size.
    const QList<QSize> sizes = m_normalImage.availableSizes();
    m_imageSize = sizes.isEmpty() ? QSize(24, 24) : *std::min_element(sizes.begin(), sizes.end(), [](QSize a, QSize b) {
        return a.width() < b.width();
    });
    // Tab reaches the pair but a click does not focus it.
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    connect(this, &QAbstractButton::clicked, this, &ImageButtonPair::onClicked);
}

void ImageButtonPair::setToolTips(const QString &normalToolTip, const QString &hoverToolTip)
{
    m_normalToolTip = normalToolTip;
    m_hoverToolTip = hoverToolTip;
    setAccessibleName(normalToolTip);
    updateToolTip();
}

void ImageButtonPair::showNormalImage()
{
    if (m_normalShown)
        return;
    m_normalShown = true;
    updateToolTip();
    update();
}

void ImageButtonPair::hideNormalImage()
{
    if (!m_normalShown)
        return;
    m_normalShown = false;
    updateToolTip();
    update();
}

void ImageButtonPair::setImageSize(const QSize &size)
{
    m_imageSize = size;
    updateGeometry();
    update();
}

QSize ImageButtonPair::sizeHint() const
{
    return m_imageSize;
}

void ImageButtonPair::updateToolTip()
{
    setToolTip(m_normalShown ? m_normalToolTip : m_hoverToolTip);
}

void ImageButtonPair::hover()
{
    hideNormalImage();
    Q_EMIT hovered(m_hint);
}

void ImageButtonPair::enterEvent(QEnterEvent *event)
{
    QAbstractButton::enterEvent(event);
    hover();
}

void ImageButtonPair::mouseMoveEvent(QMouseEvent *event)
{
    QAbstractButton::mouseMoveEvent(event);
    if (event->buttons() == Qt::NoButton) {
        hover();
        // Kept from the parent: a move over the pair is not a move over the
        // window's bare surface, which would show the normal image again.
        event->accept();
    }
}

void ImageButtonPair::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        // The image under the mouse at the press is the one a click belongs
        // to, even if a mouse-down handler hides it.
        m_pressedImage = shownImage();
        if (m_mouseDownImages.testFlag(m_pressedImage))
            Q_EMIT MouseDown(m_pressedImage);
    }
    QAbstractButton::mousePressEvent(event);
}

void ImageButtonPair::mouseReleaseEvent(QMouseEvent *event)
{
    QAbstractButton::mouseReleaseEvent(event);
    m_pressedImage = NoImage;
}

void ImageButtonPair::keyPressEvent(QKeyEvent *event)
{
    if (KivKeys::isActivationKey(event)) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void ImageButtonPair::focusInEvent(QFocusEvent *event)
{
    QAbstractButton::focusInEvent(event);
    // The ring is for keyboard users: a window that opens with the focus on
    // its close pair should not look as if the pair were pressed.
    const Qt::FocusReason reason = event->reason();
    m_focusRingShown
        = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
    update();
}

void ImageButtonPair::focusOutEvent(QFocusEvent *event)
{
    QAbstractButton::focusOutEvent(event);
    m_focusRingShown = false;
    update();
}

void ImageButtonPair::onClicked()
{
    if (m_pressedImage != NoImage) {
        if (m_clickImages.testFlag(m_pressedImage))
            Q_EMIT Click(m_pressedImage);
        return;
    }
    // Keyboard or assistive press: the pair's action, whichever image owns it.
    const Image shown = shownImage();
    const Image other = m_normalShown ? HoverImage : NormalImage;
    if (m_clickImages.testFlag(shown))
        Q_EMIT Click(shown);
    else if (m_clickImages.testFlag(other))
        Q_EMIT Click(other);
    else if (m_mouseDownImages.testFlag(shown))
        Q_EMIT MouseDown(shown);
    else if (m_mouseDownImages.testFlag(other))
        Q_EMIT MouseDown(other);
}

void ImageButtonPair::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QIcon &image = m_normalShown ? m_normalImage : m_hoverImage;
    const QRect target = rect();
    image.paint(&painter, target, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
    if (hasFocus() && m_focusRingShown) {
        QPen pen(Skin::accentColor());
        pen.setWidthF(1.5);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        const qreal radius = std::min(target.width(), target.height()) / 5.0;
        painter.drawRoundedRect(QRectF(target).adjusted(0.75, 0.75, -0.75, -0.75), radius, radius);
    }
}
