#pragma once

#include <QList>
#include <QString>

// A process and every process it started, as /proc shows them.
namespace ProcessTree
{

// `root` first, then its children, their children, and so on.
QList<qint64> descendants(qint64 root);
// Proportional set size in KiB (shared pages split among their users, so it
// moves with what else runs), 0 when gone.
qint64 pssKiB(qint64 pid);
// Resident set size in KiB (shared pages counted whole), 0 when gone.
qint64 rssKiB(qint64 pid);
QString commandName(qint64 pid);

} // namespace ProcessTree
