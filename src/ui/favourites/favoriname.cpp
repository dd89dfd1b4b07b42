#include "ui/favourites/favoriname.h"

#include "ui/skin/kivkeys.h"
#include "ui/skin/plaintooltip.h"
#include "ui/skin/skin.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

FavoriName::FavoriName(int index, QWidget *parent)
    : QAbstractButton(parent)
    , m_index(index)
    , m_label(new QLabel(this))
{
    setObjectName(QStringLiteral("Nom%1").arg(index));
    setFocusPolicy(Qt::NoFocus);
    // Repainted as the mouse comes and goes.
    setAttribute(Qt::WA_Hover);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_label->setContentsMargins(4, 0, 4, 0);
}

void FavoriName::setName(const QString &name)
{
    if (name == m_name)
        return;
    m_name = name;
    setAccessibleName(name);
    setToolTip(plainToolTip(name));
    setFocusPolicy(name.isEmpty() ? Qt::NoFocus : Qt::TabFocus);
    setCursor(name.isEmpty() ? Qt::ArrowCursor : Qt::PointingHandCursor);
    showName();
}

void FavoriName::showName()
{
    const int room = width() - m_label->contentsMargins().left() - m_label->contentsMargins().right();
    m_label->setText(m_label->fontMetrics().elidedText(m_name, Qt::ElideRight, room));
}

void FavoriName::paintEvent(QPaintEvent *)
{
    if (m_name.isEmpty() || !(underMouse() || hasFocus()))
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath frame;
    frame.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    painter.fillPath(frame, QColor(0x22, 0x27, 0x31));
    if (hasFocus()) {
        painter.setPen(QPen(Skin::accentColor(), 1.5));
        painter.drawPath(frame);
    }
}

void FavoriName::resizeEvent(QResizeEvent *event)
{
    QAbstractButton::resizeEvent(event);
    m_label->setGeometry(rect());
    showName();
}

void FavoriName::keyPressEvent(QKeyEvent *event)
{
    if (KivKeys::isActivationKey(event)) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}
