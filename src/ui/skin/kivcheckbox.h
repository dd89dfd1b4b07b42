#pragma once

#include <QCheckBox>

// Skinned check box: options and category filters. The value is 1 (ticked) or
// 0. Writing it from code changes only what is shown and what later reads
// give: it never raises Click, which fires only when the user changes the box.
class KivCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    explicit KivCheckBox(QWidget *parent = nullptr);
    explicit KivCheckBox(const QString &caption, QWidget *parent = nullptr);

    QString caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }

    int value() const { return isChecked() ? 1 : 0; }
    // Any non-zero value ticks the box.
    void setValue(int value);

Q_SIGNALS:
    // The user changed the box (mouse, Space, Enter, assistive technology);
    // value is the new one.
    void Click(int value);
    // Used for hover help.
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos);
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
};
