#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QString>

// Whether a process has a library whose file name contains `name` mapped, as
// the kernel reports it: what a program links or has loaded, not what it
// says it did.
inline bool isMapped(const QByteArray &name, qint64 pid = QCoreApplication::applicationPid())
{
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    if (!maps.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> lines = maps.readAll().split('\n');
    for (const QByteArray &line : lines) {
        const qsizetype slash = line.lastIndexOf('/');
        if (slash >= 0 && line.mid(slash + 1).contains(name))
            return true;
    }
    return false;
}

// The browser engine's own library.
inline const QByteArray browserEngineLibrary = QByteArrayLiteral("libQt6WebEngineCore");
