#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>

class QWidget;

// The sizing frame of a borderless window: once switched on, pressing the
// left button near an edge or a corner resizes the window through the window
// manager (or by itself where the window manager cannot), and the pointer
// shows the resize shape there. It watches the whole window, children
// included, since the player and the browser reach the edges.
class SizingFrame : public QObject
{
    Q_OBJECT

public:
    // Width of the band along the edges that resizes, in pixels.
    static constexpr int Border = 5;

    explicit SizingFrame(QWidget *window);
    ~SizingFrame() override;

    bool isOn() const { return m_on; }
    void setOn(bool on);

    // The edges a point of a window of this size lies on.
    static Qt::Edges edgesAt(QPoint pos, QSize size, int border = Border);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showEdgeCursor(Qt::Edges edges);
    QRect resized(QPoint globalPos) const;

    QPointer<QWidget> m_window;
    bool m_on = false;
    bool m_edgeCursorShown = false;
    Qt::Edges m_manualEdges;
    QPoint m_pressGlobal;
    QRect m_pressGeometry;
};
