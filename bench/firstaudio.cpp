#include "benchutil.h"
#include "icecastserver.h"
#include "player/mediaplayer.h"
#include "processes.h"
#include "testhttpserver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <clocale>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

// Request to first audio on a live MP3 stream: our MediaPlayer (setUrl to
// MPV_EVENT_PLAYBACK_RESTART) beside the mpv command line (file start to
// "playback restart complete", from its own timestamps) and VLC (access
// creation to the end of its stream buffering, timed as its lines arrive), in
// turns on the same stream. VLC's figure is a floor: the end of its buffering
// comes just before its first audio.

namespace
{

constexpr int runs = 10;
constexpr int timeoutMs = 15000;

std::optional<double> playerRun(MediaPlayer &player, const QString &url)
{
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    const auto started = QObject::connect(&player, &MediaPlayer::playbackStarted, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    player.setUrl(url);
    timeout.start(timeoutMs);
    loop.exec();
    QObject::disconnect(started);
    const double elapsed = clock.nsecsElapsed() / 1e6;
    const bool ok = timeout.isActive();
    player.setUrl(QString());
    QEventLoop settle;
    QTimer::singleShot(300, &settle, &QEventLoop::quit);
    settle.exec();
    return ok ? std::optional<double>(elapsed) : std::nullopt;
}

// Runs a program while the event loop keeps turning (the HTTP server of this
// process must answer it), handing each line of its error output, with the
// milliseconds since the start, to `onLine`; true from `onLine` ends it.
template <typename LineHandler>
bool runWatched(const QString &program, const QStringList &arguments, LineHandler onLine)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QEventLoop loop;
    QElapsedTimer clock;
    QByteArray pending;
    bool done = false;
    QObject::connect(&process, &QProcess::readyRead, &loop, [&] {
        const double now = clock.nsecsElapsed() / 1e6;
        pending += process.readAll();
        qsizetype end;
        while (!done && (end = pending.indexOf('\n')) >= 0) {
            const QString line = QString::fromUtf8(pending.left(end));
            pending.remove(0, end + 1);
            done = onLine(line, now);
        }
        if (done)
            process.kill();
    });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, [&] {
        process.kill();
    });
    clock.start();
    process.start(program, arguments);
    if (!process.waitForStarted(5000))
        return false;
    loop.exec();
    return done;
}

std::optional<double> mpvRun(const QString &url)
{
    static const QRegularExpression stamp(QStringLiteral("^\\[\\s*([0-9.]+)\\]"));
    std::optional<double> start;
    std::optional<double> result;
    runWatched(QStringLiteral("mpv"),
        { QStringLiteral("--no-config"),
            QStringLiteral("--no-video"),
            QStringLiteral("--ao=null"),
            QStringLiteral("--msg-time"),
            QStringLiteral("--msg-level=all=v"),
            QStringLiteral("--length=0.5"),
            url },
        [&](const QString &line, double) {
            const QRegularExpressionMatch match = stamp.match(line);
            if (!match.hasMatch())
                return false;
            const double at = match.captured(1).toDouble() * 1000;
            // The file starts with its load hooks, then the stream opens.
            if (!start && (line.contains(QLatin1String("Running hook:")) || line.contains(QLatin1String("] Opening "))))
                start = at;
            if (start && line.contains(QLatin1String("playback restart complete"))) {
                result = at - *start;
                return true;
            }
            return false;
        });
    return result;
}

std::optional<double> vlcRun(const QString &url, const QString &home)
{
    QString program = QStringLiteral("cvlc");
    QStringList arguments { QStringLiteral("-vv"),
        QStringLiteral("--no-video"),
        QStringLiteral("--aout=afile"),
        QStringLiteral("--audiofile-file=/dev/null"),
        QStringLiteral("--play-and-exit"),
        QStringLiteral("--run-time=1"),
        url };
    if (::geteuid() == 0) {
        // VLC refuses to run as root.
        arguments = QStringList { QStringLiteral("-u"),
            QStringLiteral("nobody"),
            QStringLiteral("--"),
            QStringLiteral("env"),
            QStringLiteral("HOME=") + home,
            program }
            + arguments;
        program = QStringLiteral("runuser");
    }
    std::optional<double> start;
    std::optional<double> result;
    runWatched(program, arguments, [&](const QString &line, double now) {
        if (!start && line.contains(QLatin1String("creating access")))
            start = now;
        if (start && line.contains(QLatin1String("Stream buffering done"))) {
            result = now - *start;
            return true;
        }
        return false;
    });
    return result;
}

// The server's own share: request to the first byte of audio (past the
// headers) on a bare socket, no player at all.
std::optional<double> firstAudioByte(const QString &url)
{
    const QUrl address(url);
    QTcpSocket socket;
    QElapsedTimer clock;
    clock.start();
    socket.connectToHost(address.host(), quint16(address.port()));
    if (!socket.waitForConnected(timeoutMs))
        return std::nullopt;
    socket.write("GET " + address.path().toUtf8() + " HTTP/1.0\r\nHost: " + address.host().toUtf8() + "\r\n\r\n");
    QByteArray received;
    while (socket.waitForReadyRead(timeoutMs)) {
        received += socket.readAll();
        const qsizetype headersEnd = received.indexOf("\r\n\r\n");
        if (headersEnd >= 0 && received.size() > headersEnd + 4)
            return clock.nsecsElapsed() / 1e6;
    }
    return std::nullopt;
}

// `measureServer`: the server runs in another process (a bare blocking socket
// would stall one that answers from this process's event loop).
void compare(const QString &title, const QString &url, MediaPlayer &player, const QString &vlcHome, bool measureServer)
{
    QList<double> ours, mpv, vlc, server;
    const bool haveMpv = !QStandardPaths::findExecutable(QStringLiteral("mpv")).isEmpty();
    const bool haveVlc = !QStandardPaths::findExecutable(QStringLiteral("cvlc")).isEmpty();
    for (int run = 0; run < runs; ++run) {
        if (auto ms = playerRun(player, url))
            ours.append(*ms);
        if (haveMpv)
            if (auto ms = mpvRun(url))
                mpv.append(*ms);
        if (haveVlc)
            if (auto ms = vlcRun(url, vlcHome))
                vlc.append(*ms);
        if (measureServer)
            if (auto ms = firstAudioByte(url))
                server.append(*ms);
    }
    const double oursMedian = Bench::median(ours);
    Bench::print(QStringLiteral("== First audio, %1 (%2 runs each, median ms)").arg(title).arg(runs));
    if (!server.isEmpty())
        Bench::print(QStringLiteral("server's first byte  %1   [%2]  (bare socket, no player)")
                         .arg(Bench::median(server), 7, 'f', 1)
                         .arg(Bench::figures(server)));
    Bench::print(QStringLiteral("Ondavox MediaPlayer  %1   [%2]").arg(oursMedian, 7, 'f', 1).arg(Bench::figures(ours)));
    if (!mpv.isEmpty()) {
        const double m = Bench::median(mpv);
        Bench::print(QStringLiteral("mpv command line     %1   [%2]").arg(m, 7, 'f', 1).arg(Bench::figures(mpv)));
        Bench::print(QStringLiteral("ratio Ondavox / mpv CLI = %1 (goal <= 0.5)").arg(oursMedian / m, 0, 'f', 2));
    } else {
        Bench::print(QStringLiteral("mpv command line: not installed or did not play"));
    }
    if (!vlc.isEmpty()) {
        const double v = Bench::median(vlc);
        Bench::print(QStringLiteral("VLC (cvlc)           %1   [%2]").arg(v, 7, 'f', 1).arg(Bench::figures(vlc)));
        Bench::print(QStringLiteral("ratio Ondavox / VLC = %1").arg(oursMedian / v, 0, 'f', 2));
    } else {
        Bench::print(QStringLiteral("VLC: not installed or did not play"));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");

    const QString missing = IcecastServer::missingTools();
    if (!missing.isEmpty()) {
        Bench::print(QStringLiteral("first audio: skipped, ") + missing);
        return 0;
    }
    QTemporaryDir scratch;
    ::chmod(scratch.path().toLocal8Bit().constData(), 0777);
    IcecastServer icecast;
    QString error;
    if (!icecast.start(&error)) {
        Bench::print(QStringLiteral("first audio: icecast did not start: ") + error);
        return 1;
    }
    MpvController::Options options;
    options.audioOutput = QStringLiteral("null");
    options.videoOutput = QStringLiteral("null");
    std::unique_ptr<MediaPlayer> player = MediaPlayer::create(options, &error);
    if (!player) {
        Bench::print(QStringLiteral("first audio: no player: ") + error);
        return 1;
    }
    compare(QStringLiteral("icecast2 live MP3 on loopback"), icecast.streamUrl(), *player, scratch.path(), true);

    // The same without icecast's own delays (it serves a new listener on a
    // 200-300 ms tick): a live-like MP3 (no length) from a server that answers
    // at once, so that the players' own costs show.
    const QString tone = scratch.filePath(QStringLiteral("tone.mp3"));
    TestHttpServer server;
    QFile toneFile(tone);
    if (TestProcesses::makeTone(tone, 20, &error) && server.listen() && toneFile.open(QIODevice::ReadOnly)) {
        server.addDyingStream(QStringLiteral("/live.mp3"), toneFile.readAll(), "audio/mpeg", 3000);
        compare(QStringLiteral("instant loopback HTTP live MP3"),
            server.url(QStringLiteral("/live.mp3")),
            *player,
            scratch.path(),
            false);
    }
    return 0;
}
