#include "platform/browser/unavailablepage.h"

#include <QResizeEvent>

UnavailablePage::UnavailablePage(const QString &reason, QWidget *parent)
    : QLabel(parent)
    , m_fullText(fullText(reason))
{
    setObjectName(QStringLiteral("NavigateurIndisponible"));
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setToolTip(m_fullText);
    fit();
}

QString UnavailablePage::fullText(const QString &reason)
{
    return QStringLiteral("Erreur : le navigateur web ne peut pas démarrer (%1)").arg(reason);
}

QString UnavailablePage::shortText()
{
    return QStringLiteral("Navigateur web indisponible");
}

void UnavailablePage::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    fit();
}

void UnavailablePage::fit()
{
    const QRect room = contentsRect();
    const QRect needed = fontMetrics().boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, m_fullText);
    setText(needed.width() <= room.width() && needed.height() <= room.height() ? m_fullText : shortText());
}
