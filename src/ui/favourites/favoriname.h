#pragma once

#include <QAbstractButton>

class QLabel;

// One name of the favourites list (`Nom(Index)`): the favourite's name as
// plain text, cut short with "…" when the row is too narrow for it. A click,
// Space or Enter plays it. Its accessible name and tooltip are the whole
// name; a free row is left out of the keyboard's way.
class FavoriName : public QAbstractButton
{
    Q_OBJECT

public:
    explicit FavoriName(int index, QWidget *parent = nullptr);

    int index() const { return m_index; }
    QString name() const { return m_name; }
    void setName(const QString &name);
    QLabel *label() const { return m_label; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showName();

    int m_index;
    QString m_name;
    QLabel *m_label;
};
