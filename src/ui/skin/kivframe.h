#pragma once

#include <QGroupBox>

// Skinned captioned group ("Préférences : ", "Connexions :"). It only groups.
class KivFrame : public QGroupBox
{
    Q_OBJECT

public:
    explicit KivFrame(QWidget *parent = nullptr);
    explicit KivFrame(const QString &caption, QWidget *parent = nullptr);

    QString caption() const { return title(); }
    void setCaption(const QString &caption) { setTitle(caption); }
};
