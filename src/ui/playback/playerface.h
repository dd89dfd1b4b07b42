#pragma once

#include <QPixmap>
#include <QWidget>

class QLabel;

// What the picture area shows when no video is drawn, so that it is never an
// empty black box: before anything was chosen, the program's picture and how
// to start; for a stream without pictures, the picture of what plays (the
// program's when none is known), its name and the song on air, large enough
// to read across the room. It lets the mouse through to the picture under it.
class PlayerFace : public QWidget
{
    Q_OBJECT

public:
    static const QString welcomeLine;

    explicit PlayerFace(QWidget *parent = nullptr);

    // Before anything was chosen: the welcome line instead of name and title.
    void setWelcome(bool welcome);
    // A picture file; empty, or one that cannot be read: the program's own.
    void setPicture(const QString &path);
    void setName(const QString &name);
    void setTitle(const QString &title);

    bool isWelcome() const { return m_welcome; }
    QString nameText() const;
    QString titleText() const;
    // The picture shown comes from the file given, not the program's own.
    bool showsGivenPicture() const { return !m_given.isNull(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void refresh();
    void colourLabels();
    void scaleToArea();

    QLabel *m_picture;
    QLabel *m_name;
    QLabel *m_title;
    QLabel *m_hint;
    QPixmap m_given;
    QString m_picturePath;
    bool m_welcome = true;
};
