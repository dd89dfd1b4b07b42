#include "processes.h"

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>

namespace TestProcesses
{

std::unique_ptr<QProcess> startGroup(const QString &program, const QStringList &arguments, QString *error)
{
    auto process = std::make_unique<QProcess>();
    process->setChildProcessModifier([] {
        ::setpgid(0, 0);
    });
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->start(program, arguments);
    if (!process->waitForStarted(5000)) {
        if (error)
            *error = QStringLiteral("%1 did not start: %2").arg(program, process->errorString());
        return {};
    }
    return process;
}

void stopGroup(std::unique_ptr<QProcess> &process)
{
    if (!process)
        return;
    if (process->state() != QProcess::NotRunning) {
        const pid_t group = pid_t(process->processId());
        ::kill(-group, SIGTERM);
        if (!process->waitForFinished(3000)) {
            ::kill(-group, SIGKILL);
            process->waitForFinished(3000);
        }
        // Children that outlived their parent are still in the group.
        ::kill(-group, SIGKILL);
    }
    process.reset();
}

bool run(const QString &program, const QStringList &arguments, int timeoutMs, QString *error)
{
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForStarted(5000) && process.waitForFinished(timeoutMs);
    if (finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return true;
    if (!finished)
        process.kill();
    if (error)
        *error = QStringLiteral("%1 failed: %2 %3")
                     .arg(program, process.errorString(), QString::fromLocal8Bit(process.readAllStandardError()));
    return false;
}

ReservedPort::ReservedPort()
{
    m_socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_socket < 0)
        return;
    const int on = 1;
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::setsockopt(m_socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0
        || ::bind(m_socket, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
        || ::getsockname(m_socket, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        release();
        return;
    }
    m_port = ntohs(address.sin_port);
}

ReservedPort::~ReservedPort()
{
    release();
}

void ReservedPort::release()
{
    if (m_socket >= 0)
        ::close(m_socket);
    m_socket = -1;
}

bool ffmpeg(const QStringList &arguments, QString *error)
{
    const QStringList quiet {
        QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-y")
    };
    return run(QStringLiteral("ffmpeg"), quiet + arguments, 60000, error);
}

bool makeTone(const QString &path, int seconds, QString *error)
{
    return ffmpeg({ QStringLiteral("-f"),
                      QStringLiteral("lavfi"),
                      QStringLiteral("-i"),
                      QStringLiteral("sine=frequency=440:duration=%1").arg(seconds),
                      QStringLiteral("-c:a"),
                      QStringLiteral("libmp3lame"),
                      QStringLiteral("-b:a"),
                      QStringLiteral("128k"),
                      QStringLiteral("-write_xing"),
                      QStringLiteral("0"),
                      QStringLiteral("-id3v2_version"),
                      QStringLiteral("0"),
                      path },
        error);
}

bool makeVideo(const QString &path, const QString &picture, bool withSound, int seconds, QString *error)
{
    QStringList arguments { QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"), picture };
    if (withSound)
        arguments << QStringLiteral("-f") << QStringLiteral("lavfi") << QStringLiteral("-i")
                  << QStringLiteral("sine=frequency=440");
    arguments << QStringLiteral("-t") << QString::number(seconds) << QStringLiteral("-c:v") << QStringLiteral("libx264")
              << QStringLiteral("-preset") << QStringLiteral("ultrafast") << QStringLiteral("-pix_fmt")
              << QStringLiteral("yuv420p") << path;
    return ffmpeg(arguments, error);
}

} // namespace TestProcesses
