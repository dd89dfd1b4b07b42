#include "core/history/titlehistory.h"

#include "core/state/textfile.h"

#include <QFile>

namespace
{

// A tab or a line break inside a field would split the line.
QString field(const QString &text)
{
    return text.simplified();
}

} // namespace

TitleHistory::TitleHistory(QObject *parent)
    : QObject(parent)
{
}

void TitleHistory::load(const QString &path)
{
    m_path = path;
    QFile file(path);
    m_entries = file.open(QIODevice::ReadOnly) ? parse(file.readAll()) : QList<Entry>();
    if (m_entries.size() > capacity)
        m_entries.remove(0, m_entries.size() - capacity);
    Q_EMIT changed();
}

void TitleHistory::add(const QString &station, const QString &title, const QDateTime &time)
{
    const Entry entry { time, field(station), field(title) };
    if (entry.title.isEmpty())
        return;
    if (!m_entries.isEmpty() && m_entries.constLast().title == entry.title
        && m_entries.constLast().station == entry.station)
        return;
    m_entries.append(entry);
    if (m_entries.size() > capacity)
        m_entries.removeFirst();
    save();
    Q_EMIT changed();
}

void TitleHistory::save()
{
    if (m_path.isEmpty())
        return;
    if (!TextFile::writeBytes(m_path, serialise(m_entries)))
        Q_EMIT saveFailed(m_path);
}

QByteArray TitleHistory::serialise(const QList<Entry> &entries)
{
    QByteArray bytes;
    for (const Entry &entry : entries) {
        bytes += entry.time.toOffsetFromUtc(entry.time.offsetFromUtc()).toString(Qt::ISODate).toUtf8();
        bytes += '\t' + field(entry.station).toUtf8() + '\t' + field(entry.title).toUtf8() + '\n';
    }
    return bytes;
}

QList<TitleHistory::Entry> TitleHistory::parse(const QByteArray &bytes)
{
    QList<Entry> entries;
    for (const QString &line : QString::fromUtf8(bytes).split(QLatin1Char('\n'))) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != 3)
            continue;
        const QDateTime time = QDateTime::fromString(fields.at(0), Qt::ISODate);
        const QString title = fields.at(2).trimmed();
        if (!time.isValid() || title.isEmpty())
            continue;
        entries.append({ time, fields.at(1).trimmed(), title });
    }
    return entries;
}
