#include "ui/catalogue/pictureslot.h"

#include "ui/skin/kivkeys.h"
#include "ui/skin/plaintooltip.h"
#include "ui/skin/skin.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

PictureSlot::PictureSlot(int index, QWidget *parent)
    : QAbstractButton(parent)
    , m_index(index)
{
    setObjectName(QStringLiteral("Img%1").arg(index));
    // Tab reaches the slot but a click does not focus it.
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    connect(this, &QAbstractButton::clicked, this, [this] {
        Q_EMIT activated(m_index, m_releasedByMouse);
    });
}

void PictureSlot::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void PictureSlot::setEntryName(const QString &name)
{
    setAccessibleName(name);
    setToolTip(plainToolTip(name));
}

void PictureSlot::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!m_picture.isNull())
        painter.drawPixmap(rect(), m_picture);
    if (m_underMouse || hasFocus()) {
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath frame;
        frame.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
        painter.setPen(QPen(Skin::accentColor(), hasFocus() ? 2 : 1));
        painter.drawPath(frame);
    }
}

void PictureSlot::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT MouseMove(m_index);
    QAbstractButton::mouseMoveEvent(event);
    if (m_keepsMouseMoves && event->buttons() == Qt::NoButton)
        event->accept();
}

void PictureSlot::mouseReleaseEvent(QMouseEvent *event)
{
    // QAbstractButton emits clicked from here when the release ends a click.
    m_releasedByMouse = true;
    QAbstractButton::mouseReleaseEvent(event);
    m_releasedByMouse = false;
}

void PictureSlot::keyPressEvent(QKeyEvent *event)
{
    if (KivKeys::isActivationKey(event)) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void PictureSlot::focusInEvent(QFocusEvent *event)
{
    // The keyboard's equivalent of moving the mouse onto the slot; the focus
    // coming back with the window is no move.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        Q_EMIT MouseMove(m_index);
    QAbstractButton::focusInEvent(event);
}

void PictureSlot::enterEvent(QEnterEvent *event)
{
    m_underMouse = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureSlot::leaveEvent(QEvent *event)
{
    m_underMouse = false;
    update();
    QAbstractButton::leaveEvent(event);
}
