#pragma once

#include <QRadioButton>

// Skinned option button. The option buttons that share a parent form one
// group in which exactly one is selected: the first of them is selected when
// the group is shown with none selected, and the selected one cannot be
// cleared except by selecting another.
class KivOptionButton : public QRadioButton
{
    Q_OBJECT

public:
    explicit KivOptionButton(QWidget *parent = nullptr);
    explicit KivOptionButton(const QString &caption, QWidget *parent = nullptr);

    QString caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }

    // 1 for the selected button of the group, 0 for the others.
    int value() const { return isChecked() ? 1 : 0; }
    // 1 selects this button and clears the others of its group. 0 is ignored
    // on the selected button: a group is changed by selecting another one.
    void setValue(int value);

Q_SIGNALS:
    // The user pressed the button (mouse, Space, Enter, assistive technology).
    void Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QList<KivOptionButton *> group() const;
};
