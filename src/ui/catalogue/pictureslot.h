#pragma once

#include <QAbstractButton>
#include <QPixmap>

// One picture slot of a browser page (`Img(Index)`): the entry's picture
// stretched to the slot. Moving the mouse over it, or reaching it with the
// keyboard, raises MouseMove; a click, Space or Enter activates it. Its
// accessible name and tooltip are the entry's name, as written.
class PictureSlot : public QAbstractButton
{
    Q_OBJECT

public:
    PictureSlot(int index, QWidget *parent = nullptr);

    int index() const { return m_index; }
    void setPicture(const QPixmap &picture);
    void setEntryName(const QString &name);

    // Whether mouse moves with no button held stop here. Passed on, they
    // reach the window as moves over its bare surface (the default).
    void setKeepsMouseMoves(bool keeps) { m_keepsMouseMoves = keeps; }

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
    bool m_keepsMouseMoves = false;
};
