#pragma once

#include <QPointer>
#include <QWidget>

class PlayerBar;
class PlayerFace;
class QGridLayout;
class QLabel;

// The media player as the main window shows it: the picture area with the
// face over it, and the control bar under it. The window shows it from the
// start; the player, loaded later, takes it over and drives it.
class PlayerView : public QWidget
{
    Q_OBJECT

public:
    explicit PlayerView(QWidget *parent = nullptr);

    PlayerFace *face() const { return m_face; }
    PlayerBar *bar() const { return m_bar; }
    // Where the picture is drawn: a black area until a video surface takes
    // its place (setPicture()).
    QWidget *picture() const { return m_picture; }
    // `picture` goes where the current one was, under the face; the view
    // owns it, and deletes the one it replaces.
    void setPicture(QWidget *picture);

    // Nothing can be played: the reason, where the picture would be.
    void showUnavailable(const QString &reason);
    QString unavailableReason() const;

private:
    QGridLayout *m_screen;
    QPointer<QWidget> m_picture;
    PlayerFace *m_face;
    PlayerBar *m_bar;
    QPointer<QLabel> m_unavailable;
};
