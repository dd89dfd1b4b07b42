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

// A port on 127.0.0.1 kept bound, not listening, while this object lives:
// the system hands it to no other socket asking for a free port, in this
// process or in a suite running beside it, and a connection to it is
// refused. A server that reuses addresses (icecast does) can still listen on
// it; release it once that server has it.
class ReservedPort
{
public:
    ReservedPort();
    ~ReservedPort();
    ReservedPort(const ReservedPort &) = delete;
    ReservedPort &operator=(const ReservedPort &) = delete;

    // 0 when no port could be bound.
    quint16 port() const { return m_port; }
    void release();

private:
    int m_socket = -1;
    quint16 m_port = 0;
};

// ffmpeg, quiet and allowed to overwrite, run to its end.
bool ffmpeg(const QStringList &arguments, QString *error = nullptr);

// A sine tone MP3 of `seconds` seconds at 128 kb/s, without the header that
// would give away its length (as a live stream has none).
bool makeTone(const QString &path, int seconds, QString *error = nullptr);

// An H.264 video of one of ffmpeg's picture sources ("testsrc=size=320x240",
// "color=c=white:size=640x360"), with a sine tone when `withSound`.
bool makeVideo(const QString &path, const QString &picture, bool withSound, int seconds, QString *error = nullptr);

} // namespace TestProcesses
