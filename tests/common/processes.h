#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>

namespace TestProcesses
{

// Starts `program` in a process group of its own, so that stopGroup() ends
// the children it starts too (runuser's, for one).
std::unique_ptr<QProcess> startGroup(const QString &program, const QStringList &arguments, QString *error = nullptr);
void stopGroup(std::unique_ptr<QProcess> &process);

// Runs a program to its end; false (with its error output) when it fails.
bool run(const QString &program, const QStringList &arguments, int timeoutMs, QString *error = nullptr);

// A port on 127.0.0.1 that nothing listens on at the moment of the call.
quint16 freePort();

// A sine tone MP3 of `seconds` seconds at 128 kb/s, without the header that
// would give away its length (as a live stream has none).
bool makeTone(const QString &path, int seconds, QString *error = nullptr);

} // namespace TestProcesses
