#include "core/recording/titlelist.h"

void TitleList::add(qint64 offsetMs, const QString &title)
{
    const QString flat = title.simplified();
    if (flat.isEmpty() || (!m_entries.isEmpty() && m_entries.constLast().title == flat))
        return;
    m_entries.append({ qMax<qint64>(0, offsetMs), flat });
}

QString TitleList::text() const
{
    QString text;
    for (const Entry &entry : m_entries) {
        const qint64 seconds = entry.offsetMs / 1000;
        text += QStringLiteral("%1:%2:%3  %4\n")
                    .arg(seconds / 3600)
                    .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                    .arg(seconds % 60, 2, 10, QLatin1Char('0'))
                    .arg(entry.title);
    }
    return text;
}
