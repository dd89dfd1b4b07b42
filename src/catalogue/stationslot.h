#pragma once

#include <QAbstractButton>
#include <QPixmap>

// One picture slot of the radio page (`Img(Index)`): the station's picture
// stretched to the slot. Moving the mouse over it, or reaching it with the
// keyboard, counts as hovering it; a click, Space or Enter activates it. Its
// accessible name and tooltip are the station's name.
class StationSlot : public QAbstractButton
{
    Q_OBJECT

public:
    StationSlot(int index, QWidget *parent = nullptr);

    int index() const { return m_index; }
    void setPicture(const QPixmap &picture);
    void setStationName(const QString &name);

Q_SIGNALS:
    void MouseMove(int index);
    // byMouse: a mouse click, which the mouse's moves over the slot preceded;
    // otherwise the keyboard or an assistive technology pressed it.
    void activated(int index, bool byMouse);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    int m_index;
    QPixmap m_picture;
    bool m_releasedByMouse = false;
    bool m_underMouse = false;
};
