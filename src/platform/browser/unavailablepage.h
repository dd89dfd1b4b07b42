#pragma once

#include <QLabel>

// Stands where a page would be shown when the browser engine cannot start:
// it says why in as many words as the place holds (the connection test's box
// holds few), and the whole reason is always its tooltip.
class UnavailablePage : public QLabel
{
    Q_OBJECT

public:
    explicit UnavailablePage(const QString &reason, QWidget *parent = nullptr);

    static QString fullText(const QString &reason);
    static QString shortText();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void fit();

    QString m_fullText;
};
