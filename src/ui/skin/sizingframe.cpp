#include "ui/skin/sizingframe.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

SizingFrame::SizingFrame(QWidget *window)
    : QObject(window)
    , m_window(window)
{
}

SizingFrame::~SizingFrame()
{
    setOn(false);
}

void SizingFrame::setOn(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    if (on) {
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
        showEdgeCursor({});
    }
}

Qt::Edges SizingFrame::edgesAt(QPoint pos, QSize size, int border)
{
    Qt::Edges edges;
    if (pos.x() < 0 || pos.y() < 0 || pos.x() >= size.width() || pos.y() >= size.height())
        return edges;
    if (pos.x() < border)
        edges |= Qt::LeftEdge;
    else if (pos.x() >= size.width() - border)
        edges |= Qt::RightEdge;
    if (pos.y() < border)
        edges |= Qt::TopEdge;
    else if (pos.y() >= size.height() - border)
        edges |= Qt::BottomEdge;
    return edges;
}

void SizingFrame::showEdgeCursor(Qt::Edges edges)
{
    if (!m_window)
        return;
    if (!edges) {
        if (m_edgeCursorShown)
            m_window->unsetCursor();
        m_edgeCursorShown = false;
        return;
    }
    Qt::CursorShape shape = Qt::SizeAllCursor;
    const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
    const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
    if (horizontal && vertical) {
        const bool backslash = edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge);
        shape = backslash ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    } else {
        shape = horizontal ? Qt::SizeHorCursor : Qt::SizeVerCursor;
    }
    m_window->setCursor(shape);
    m_edgeCursorShown = true;
}

QRect SizingFrame::resized(QPoint globalPos) const
{
    const QPoint moved = globalPos - m_pressGlobal;
    QRect geometry = m_pressGeometry;
    const QSize minimum = m_window->minimumSize().expandedTo(QSize(2 * Border + 1, 2 * Border + 1));
    if (m_manualEdges & Qt::LeftEdge)
        geometry.setLeft(std::min(geometry.left() + moved.x(), geometry.right() - minimum.width() + 1));
    if (m_manualEdges & Qt::RightEdge)
        geometry.setRight(std::max(geometry.right() + moved.x(), geometry.left() + minimum.width() - 1));
    if (m_manualEdges & Qt::TopEdge)
        geometry.setTop(std::min(geometry.top() + moved.y(), geometry.bottom() - minimum.height() + 1));
    if (m_manualEdges & Qt::BottomEdge)
        geometry.setBottom(std::max(geometry.bottom() + moved.y(), geometry.top() + minimum.height() - 1));
    return geometry;
}

bool SizingFrame::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!m_window || !widget || widget->window() != m_window || m_window->isMaximized())
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);
    const QPoint global = mouse->globalPosition().toPoint();

    if (m_manualEdges) {
        if (type == QEvent::MouseMove)
            m_window->setGeometry(resized(global));
        else if (type == QEvent::MouseButtonRelease)
            m_manualEdges = {};
        return true;
    }

    const Qt::Edges edges = edgesAt(m_window->mapFromGlobal(global), m_window->size());
    if (type == QEvent::MouseMove && mouse->buttons() == Qt::NoButton) {
        showEdgeCursor(edges);
        return false;
    }
    if (type != QEvent::MouseButtonPress || mouse->button() != Qt::LeftButton || !edges)
        return false;
    QWindow *handle = m_window->windowHandle();
    if (handle && handle->startSystemResize(edges))
        return true;
    m_manualEdges = edges;
    m_pressGlobal = global;
    m_pressGeometry = m_window->geometry();
    return true;
}
