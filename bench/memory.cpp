#include "benchutil.h"
#include "icecastserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

// Proportional memory (PSS) of Ondavox and its helper processes (the web
// engine's) while it plays a live stream: the program is started with the
// start-up address option set to a loopback icecast stream.

namespace
{

qint64 pssKiB(qint64 pid)
{
    QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!rollup.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : rollup.readAll().split('\n')) {
        if (line.startsWith("Pss:"))
            return line.mid(4).trimmed().split(' ').constFirst().toLongLong();
    }
    return 0;
}

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

QString commandName(qint64 pid)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    return comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll().trimmed()) : QString();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        Bench::print(QStringLiteral("usage: bench_memory <path to ondavox>"));
        return 2;
    }
    const QString missing = IcecastServer::missingTools();
    if (!missing.isEmpty()) {
        Bench::print(QStringLiteral("memory: skipped, ") + missing);
        return 0;
    }
    IcecastServer icecast;
    QString error;
    if (!icecast.start(&error)) {
        Bench::print(QStringLiteral("memory: icecast did not start: ") + error);
        return 1;
    }

    QTemporaryDir home;
    const QString dataFolder = home.filePath(QStringLiteral("data/ondavox"));
    QDir().mkpath(dataFolder);
    QFile preferences(dataFolder + QStringLiteral("/ovxpref.log"));
    preferences.open(QIODevice::WriteOnly);
    // Not started with the system, the start-up address played, normal window.
    preferences.write("0*1*" + icecast.streamUrl().toUtf8() + "*0*AideOVX.txt*1*1*0*0*\r\n");
    preferences.close();

    QProcess ondavox;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("ONDAVOX_MPV_AO"), QStringLiteral("null"));
    ondavox.setProcessEnvironment(environment);
    ondavox.setProcessChannelMode(QProcess::ForwardedChannels);
    ondavox.start(QString::fromLocal8Bit(argv[1]), {});
    if (!ondavox.waitForStarted(5000)) {
        Bench::print(QStringLiteral("memory: ondavox did not start"));
        return 1;
    }
    // Long enough for the web engine, created after the window shows, to load
    // its first page and for the stream to play.
    QThread::sleep(10);
    qint64 total = 0;
    QStringList parts;
    for (qint64 pid : descendants(ondavox.processId())) {
        const qint64 pss = pssKiB(pid);
        total += pss;
        parts.append(QStringLiteral("%1 %2 MiB").arg(commandName(pid)).arg(pss / 1024.0, 0, 'f', 1));
    }
    Bench::print(QStringLiteral("== Memory while playing a live stream (PSS from smaps_rollup)"));
    Bench::print(QStringLiteral("listeners on the stream while measured: %1").arg(icecast.listenerCount()));
    Bench::print(
        QStringLiteral("total %1 MiB: %2").arg(total / 1024.0, 0, 'f', 1).arg(parts.join(QStringLiteral(", "))));
    ondavox.terminate();
    if (!ondavox.waitForFinished(5000))
        ondavox.kill();
    return 0;
}
