#pragma once

#include <QPushButton>

// Skinned push button ("Valider", "Lancer", "Ajouter aux Favoris"). The enabled
// state is QWidget's own (setEnabled); Space and Enter both press it.
class KivCommand : public QPushButton
{
    Q_OBJECT

public:
    explicit KivCommand(QWidget *parent = nullptr);
    explicit KivCommand(const QString &caption, QWidget *parent = nullptr);

    QString caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }

Q_SIGNALS:
    // Raised by a mouse click, Space, Enter or an assistive technology's press.
    void Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
