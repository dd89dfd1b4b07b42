#pragma once

#include <QWidget>

class ImageButtonPair;
class QLabel;
class SizingFrame;
class WindowDragger;

// A borderless skinned top-level window: a title strip (`Deplace`) with the
// title label and the close pair (`Quitter1` over `Quitter2`) on the right,
// and a content area below where the window puts its controls. Dragging the
// strip or the label moves the window. What the close pair does is the
// window's choice (hide or unload): connect to closePair()->Click.
class SkinnedWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SkinnedWindow(QWidget *parent = nullptr);

    QWidget *titleStrip() const { return m_titleStrip; }
    QLabel *titleLabel() const { return m_titleLabel; }
    ImageButtonPair *closePair() const { return m_closePair; }
    QWidget *content() const { return m_content; }

    // Sets the title label and the window title.
    void setTitle(const QString &title);

    // Another widget that drags the window (a status label, say).
    void addDragArea(QWidget *area);

    // Moves a child of the content area to a position given in the client
    // area, title strip included: the window's layout has to have run.
    void placeAt(QWidget *widget, QPoint client) const;
    // A label of the content area, sized to its text. Its text is shown as
    // written, never as markup: labels show catalogue names.
    QLabel *addLabel(const QString &text, QPoint client, const QString &objectName = {});

    bool hasSizingFrame() const;
    void setSizingFrame(bool on);

Q_SIGNALS:
    // The mouse moved over the title strip or its label (`Deplace_MouseMove`);
    // the close pair has already shown its normal image again.
    void titleStripMouseMove();
    // The mouse moved over the bare window (`Form_MouseMove`); the close pair
    // has already shown its normal image again.
    void formMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QWidget *m_titleStrip;
    QLabel *m_titleLabel;
    ImageButtonPair *m_closePair;
    QWidget *m_content;
    WindowDragger *m_dragger;
    SizingFrame *m_sizingFrame;
};
