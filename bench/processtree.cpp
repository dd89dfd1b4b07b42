#include "processtree.h"

#include <QDir>
#include <QFile>
#include <QHash>

namespace ProcessTree
{

QList<qint64> descendants(qint64 root)
{
    QHash<qint64, qint64> parents;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (!numeric)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        // The command name may hold spaces: the fields after it start at the last ")".
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1)
            parents.insert(pid, fields.at(1).toLongLong());
    }
    QList<qint64> found { root };
    for (qsizetype i = 0; i < found.size(); ++i) {
        for (auto it = parents.constBegin(); it != parents.constEnd(); ++it) {
            if (it.value() == found.at(i))
                found.append(it.key());
        }
    }
    return found;
}

namespace
{

    qint64 rollupField(qint64 pid, const QByteArray &field)
    {
        QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
        if (!rollup.open(QIODevice::ReadOnly))
            return 0;
        for (const QByteArray &line : rollup.readAll().split('\n')) {
            if (line.startsWith(field))
                return line.mid(field.size()).trimmed().split(' ').constFirst().toLongLong();
        }
        return 0;
    }

} // namespace

qint64 pssKiB(qint64 pid)
{
    return rollupField(pid, "Pss:");
}

qint64 rssKiB(qint64 pid)
{
    return rollupField(pid, "Rss:");
}

QString commandName(qint64 pid)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    return comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll().trimmed()) : QString();
}

} // namespace ProcessTree
