#include "catalogue/stationslot.h"

#include "ui/kivkeys.h"
#include "ui/skin.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

StationSlot::StationSlot(int index, QWidget *parent)
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

void StationSlot::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void StationSlot::setStationName(const QString &name)
{
    setAccessibleName(name);
    setToolTip(name);
}

void StationSlot::paintEvent(QPaintEvent *)
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

void StationSlot::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT MouseMove(m_index);
    QAbstractButton::mouseMoveEvent(event);
}

void StationSlot::mouseReleaseEvent(QMouseEvent *event)
{
    // QAbstractButton emits clicked from here when the release ends a click.
    m_releasedByMouse = true;
    QAbstractButton::mouseReleaseEvent(event);
    m_releasedByMouse = false;
}

void StationSlot::keyPressEvent(QKeyEvent *event)
{
    if (KivKeys::isActivationKey(event)) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void StationSlot::focusInEvent(QFocusEvent *event)
{
    // The keyboard's equivalent of moving the mouse onto the slot; the focus
    // coming back with the window is no move.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        Q_EMIT MouseMove(m_index);
    QAbstractButton::focusInEvent(event);
}

void StationSlot::enterEvent(QEnterEvent *event)
{
    m_underMouse = true;
    update();
    QAbstractButton::enterEvent(event);
}

void StationSlot::leaveEvent(QEvent *event)
{
    m_underMouse = false;
    update();
    QAbstractButton::leaveEvent(event);
}
