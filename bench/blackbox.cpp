#include "account.h"
#include "benchutil.h"
#include "icecastserver.h"
#include "processes.h"
#include "processtree.h"
#include "soundwatch.h"
#include "testhttpserver.h"
#include "windowwatch.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QMap>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <sys/stat.h>

// Ondavox beside mpv, VLC and Goodvibes, seen from outside as a user would: each player
// is started as an unprivileged user with a fresh home, on its own X server,
// session bus and PulseAudio server whose only sink is a null sink; the sink's
// monitor is recorded, and the first sample at or above 1 % of full scale is
// the first audio. All play the same live MP3 stream from icecast2 on
// loopback. 5 s into playing, the proportional memory (PSS) of the player and
// every process it started is summed. The first window each program maps and
// keeps is timed too, Ondavox's against the least a Qt Widgets program does. The
// players take turns, round after round, and the medians are printed with
// the targets. Figures are printed, never judged by an exit code.

namespace
{

constexpr int defaultRounds = 7;
constexpr int startTimeoutMs = 20000;
constexpr int playingMs = 5000;
// How long a window must stay mapped to count as the program's window.
constexpr int windowStaysMs = 200;
// How long the sink must have been quiet before the next player starts.
constexpr int quietMs = 300;
// How long sound is awaited after a drop.
constexpr int dropWaitMs = 45000;
// Silence then a tone, to check the detector.
constexpr int checkSilenceMs = 1000;

struct Player {
    QString name;
    QString program;
    QStringList arguments;
    bool plays = true;
    bool timedWindow = false;
    // Gets the preferences record that starts the stream at start-up.
    bool ondavox = false;
    QString home;
    QString runtime;
    QList<double> firstAudio;
    QList<double> shown;
    QList<double> pssMiB;
    // Seconds from the server's return to sound again, after a drop; and the
    // drops after which sound never came back, or the player ended.
    QList<double> backAfterDrop;
    int neverBack = 0;
    int endedAtDrop = 0;
    int failures = 0;
    QString lastProcesses;
};

Player makePlayer(const QString &name,
    const QString &program,
    const QStringList &arguments,
    bool plays,
    bool timedWindow,
    bool ondavox)
{
    Player player;
    player.name = name;
    player.program = program;
    player.arguments = arguments;
    player.plays = plays;
    player.timedWindow = timedWindow;
    player.ondavox = ondavox;
    return player;
}

struct Reading {
    std::optional<double> firstAudio;
    std::optional<double> shown;
    std::optional<double> pssMiB;
    QString processes;
};

// Turns the event loop until `done`, or false after `timeoutMs`.
bool waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    QTimer tick;
    tick.start(5);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// The server's own share: request to the first byte of audio (past the
// headers) on a bare socket, no player at all.
std::optional<double> serverFirstByte(const QUrl &address)
{
    QTcpSocket socket;
    QElapsedTimer clock;
    clock.start();
    socket.connectToHost(address.host(), quint16(address.port()));
    if (!socket.waitForConnected(startTimeoutMs))
        return std::nullopt;
    socket.write("GET " + address.path().toUtf8() + " HTTP/1.0\r\nHost: " + address.host().toUtf8() + "\r\n\r\n");
    QByteArray received;
    while (socket.waitForReadyRead(startTimeoutMs)) {
        received += socket.readAll();
        const qsizetype headersEnd = received.indexOf("\r\n\r\n");
        if (headersEnd >= 0 && received.size() > headersEnd + 4)
            return clock.nsecsElapsed() / 1e6;
    }
    return std::nullopt;
}

class BlackBox
{
public:
    BlackBox()
        : m_account(Account::forPlayers())
        , m_sound(m_clock)
        , m_windows(m_clock)
    {
        m_clock.start();
    }

    ~BlackBox()
    {
        m_sound.stop();
        TestProcesses::stopGroup(m_pulse);
        TestProcesses::stopGroup(m_bus);
        TestProcesses::stopGroup(m_display);
    }

    bool setUp(QString *error);
    bool checkDetector(QString *error);
    void addPlayer(Player player);
    void run(int rounds);
    // Each player that plays loses its server `outageMs` after its sound
    // stopped, `rounds` times.
    void runDrops(int rounds, int outageMs);
    void report(int rounds) const;
    void reportDrops(int rounds, int outageMs) const;
    QString streamUrl() const { return m_icecast.streamUrl(); }

private:
    QString folder(const QString &name, bool owned) const;
    QProcessEnvironment playerEnvironment(const Player &player) const;
    Reading runOnce(Player &player);
    void dropOnce(Player &player, int outageMs);
    // Writes the preferences that play the stream at start, for Ondavox.
    void prepareHome(const Player &player);

    QElapsedTimer m_clock;
    Account m_account;
    QTemporaryDir m_scratch;
    std::unique_ptr<QProcess> m_display;
    std::unique_ptr<QProcess> m_bus;
    std::unique_ptr<QProcess> m_pulse;
    QString m_displayName;
    QString m_busAddress;
    QString m_pulseServer;
    SoundWatch m_sound;
    WindowWatch m_windows;
    IcecastServer m_icecast;
    TestHttpServer m_site;
    QString m_siteNote;
    QList<Player> m_players;
    QList<double> m_serverFirstByte;
    QString m_detectorLine;
};

QString BlackBox::folder(const QString &name, bool owned) const
{
    const QString path = m_scratch.filePath(name);
    QDir().mkpath(path);
    if (owned)
        m_account.take(path);
    return path;
}

bool BlackBox::setUp(QString *error)
{
    if (!m_scratch.isValid()) {
        *error = QStringLiteral("no temporary folder");
        return false;
    }
    ::chmod(m_scratch.path().toLocal8Bit().constData(), 0755);
    const QProcessEnvironment inherited = QProcessEnvironment::systemEnvironment();

    // An X server that asks no authority: the players are not the user who started it.
    const QString displayFile = m_scratch.filePath(QStringLiteral("display"));
    m_display = m_account.start(QStringLiteral("Xvfb"),
        { QStringLiteral("-displayfd"),
            QStringLiteral("1"),
            QStringLiteral("-ac"),
            QStringLiteral("-nolisten"),
            QStringLiteral("tcp"),
            QStringLiteral("-screen"),
            QStringLiteral("0"),
            QStringLiteral("1280x800x24") },
        inherited,
        false,
        error,
        displayFile);
    QByteArray number;
    if (!m_display
        || !waitUntil(
            [&] {
                QFile file(displayFile);
                number = file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
                return !number.isEmpty();
            },
            10000)) {
        *error = QStringLiteral("Xvfb did not start");
        return false;
    }
    m_displayName = QStringLiteral(":") + QString::fromLatin1(number);
    if (!m_windows.open(m_displayName)) {
        *error = QStringLiteral("cannot watch the windows of %1").arg(m_displayName);
        return false;
    }

    const QString busFolder = folder(QStringLiteral("bus"), true);
    m_busAddress = QStringLiteral("unix:path=") + busFolder + QStringLiteral("/socket");
    m_bus = m_account.start(QStringLiteral("dbus-daemon"),
        { QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--address=") + m_busAddress },
        inherited,
        true,
        error);
    if (!m_bus
        || !waitUntil(
            [&] {
                return QFile::exists(busFolder + QStringLiteral("/socket"));
            },
            10000)) {
        *error = QStringLiteral("no session bus for the players");
        return false;
    }

    const QString pulseFolder = folder(QStringLiteral("pulse"), false);
    const QString socket = pulseFolder + QStringLiteral("/native");
    writeFile(pulseFolder + QStringLiteral("/bench.pa"),
        "load-module module-null-sink sink_name=bench\n"
        "load-module module-native-protocol-unix socket="
            + socket.toLocal8Bit()
            + " auth-anonymous=1\n"
              "set-default-sink bench\n");
    QDir().mkpath(pulseFolder + QStringLiteral("/run"));
    ::chmod((pulseFolder + QStringLiteral("/run")).toLocal8Bit().constData(), 0700);
    m_account.take(pulseFolder);
    QProcessEnvironment pulseEnvironment;
    pulseEnvironment.insert(QStringLiteral("PATH"), inherited.value(QStringLiteral("PATH")));
    pulseEnvironment.insert(QStringLiteral("HOME"), pulseFolder);
    pulseEnvironment.insert(QStringLiteral("XDG_RUNTIME_DIR"), pulseFolder + QStringLiteral("/run"));
    m_pulse = m_account.start(QStringLiteral("pulseaudio"),
        { QStringLiteral("-n"),
            QStringLiteral("-F"),
            pulseFolder + QStringLiteral("/bench.pa"),
            QStringLiteral("--daemonize=no"),
            QStringLiteral("--exit-idle-time=-1"),
            QStringLiteral("--system=false"),
            QStringLiteral("--use-pid-file=no") },
        pulseEnvironment,
        true,
        error);
    m_pulseServer = QStringLiteral("unix:") + socket;
    qputenv("PULSE_SERVER", m_pulseServer.toLocal8Bit());
    if (!m_pulse
        || !waitUntil(
            [] {
                return TestProcesses::run(QStringLiteral("pactl"), { "info" }, 2000);
            },
            10000)) {
        *error = QStringLiteral("PulseAudio did not start");
        return false;
    }
    if (!m_sound.start(m_pulseServer, QStringLiteral("bench.monitor"), error))
        return false;
    // The null sink renders its first block of 2 s before it follows the
    // monitor's small one: until then sound reaches the monitor late.
    const double listening = m_clock.nsecsElapsed() / 1e6;
    waitUntil(
        [&] {
            return m_clock.nsecsElapsed() / 1e6 - listening >= 2500;
        },
        3000);

    if (!m_icecast.start(error))
        return false;
    const QUrl site(QStringLiteral(ONDAVOX_SITE_URL));
    if (site.host() == QLatin1String("127.0.0.1") && m_site.listen(quint16(site.port(80)))) {
        m_site.addData(QStringLiteral("/index-ovx.php"),
            "<html><head><title>Ondavox</title></head><body><h1>Ondavox</h1><p>Bienvenue.</p></body></html>",
            "text/html; charset=utf-8");
        m_site.addData(QStringLiteral("/ovx_online/test_connexion.php"),
            "<html><body>OK</body></html>",
            "text/html; charset=utf-8");
        m_siteNote = QStringLiteral("the publisher's site (home page, connection test) is served on %1")
                         .arg(QStringLiteral(ONDAVOX_SITE_URL));
    } else {
        m_siteNote = QStringLiteral("the publisher's site %1 is not served by the bench: the start-up pages fail")
                         .arg(QStringLiteral(ONDAVOX_SITE_URL));
    }
    return true;
}

// Plays a file of known silence then a tone: the detector must stay quiet
// through the silence and find the tone just after it.
bool BlackBox::checkDetector(QString *error)
{
    const QString file = m_scratch.filePath(QStringLiteral("check.wav"));
    if (!TestProcesses::run(QStringLiteral("ffmpeg"),
            { QStringLiteral("-hide_banner"),
                QStringLiteral("-loglevel"),
                QStringLiteral("error"),
                QStringLiteral("-y"),
                QStringLiteral("-f"),
                QStringLiteral("lavfi"),
                QStringLiteral("-i"),
                QStringLiteral("sine=frequency=440:duration=1:sample_rate=%1").arg(SoundWatch::rate),
                QStringLiteral("-af"),
                QStringLiteral("adelay=%1").arg(checkSilenceMs),
                file },
            30000,
            error))
        return false;
    if (!waitUntil(
            [this] {
                return m_sound.quietFor(quietMs);
            },
            10000)) {
        *error = QStringLiteral("the sink's monitor gives no sound, or never a silence");
        return false;
    }
    std::optional<double> found;
    const QMetaObject::Connection heard = QObject::connect(&m_sound, &SoundWatch::loud, [&](double at) {
        if (!found)
            found = at;
    });
    const double started = m_clock.nsecsElapsed() / 1e6;
    QProcess player;
    player.start(QStringLiteral("paplay"), { file });
    waitUntil(
        [&] {
            return found.has_value() || player.state() == QProcess::NotRunning;
        },
        10000);
    player.waitForFinished(5000);
    QObject::disconnect(heard);
    if (!found) {
        *error = QStringLiteral("detector check: the tone after the silence was not heard");
        return false;
    }
    const double offset = *found - started;
    m_detectorLine = QStringLiteral("detector check: a file of %1 ms of silence then a tone, played by paplay: sound "
                                    "found %2 ms after paplay started")
                         .arg(checkSilenceMs)
                         .arg(offset, 0, 'f', 0);
    if (offset < checkSilenceMs - 20 || offset > checkSilenceMs + 400) {
        *error = m_detectorLine
            + QStringLiteral(": outside %1..%2 ms, the detector cannot be trusted")
                  .arg(checkSilenceMs - 20)
                  .arg(checkSilenceMs + 400);
        return false;
    }
    return true;
}

void BlackBox::addPlayer(Player player)
{
    player.home = folder(QStringLiteral("homes/") + QString::number(m_players.size()), true);
    player.runtime = folder(QStringLiteral("runtime/") + QString::number(m_players.size()), false);
    ::chmod(player.runtime.toLocal8Bit().constData(), 0700);
    m_account.take(player.runtime);
    m_players.append(player);
}

QProcessEnvironment BlackBox::playerEnvironment(const Player &player) const
{
    // Nothing of the benchmark's own environment leaks into a player's.
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), QStringLiteral("/usr/local/bin:/usr/bin:/bin"));
    environment.insert(QStringLiteral("HOME"), player.home);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), player.runtime);
    environment.insert(QStringLiteral("DISPLAY"), m_displayName);
    environment.insert(QStringLiteral("PULSE_SERVER"), m_pulseServer);
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_busAddress);
    environment.insert(QStringLiteral("LANG"), qEnvironmentVariable("LANG", QStringLiteral("C.UTF-8")));
    return environment;
}

Reading BlackBox::runOnce(Player &player)
{
    Reading reading;
    waitUntil(
        [this] {
            return m_sound.quietFor(quietMs);
        },
        5000);
    prepareHome(player);

    qint64 pid = 0;
    const double started = m_clock.nsecsElapsed() / 1e6;
    const QMetaObject::Connection heard = QObject::connect(&m_sound, &SoundWatch::loud, [&](double at) {
        if (!reading.firstAudio && at >= started)
            reading.firstAudio = at - started;
    });
    // A window flashed on screen while the program builds itself is not its
    // main window: the first one that stays is.
    QHash<quint32, double> onScreen;
    const QMetaObject::Connection seen
        = QObject::connect(&m_windows, &WindowWatch::mapped, [&](qint64 owner, quint32 window, double at) {
              if (owner == pid)
                  onScreen.insert(window, at);
          });
    const QMetaObject::Connection gone = QObject::connect(&m_windows, &WindowWatch::unmapped, [&](quint32 window) {
        onScreen.remove(window);
    });
    const auto windowShown = [&] {
        if (!reading.shown) {
            const double now = m_clock.nsecsElapsed() / 1e6;
            std::optional<double> first;
            for (double at : std::as_const(onScreen)) {
                if (now - at >= windowStaysMs && (!first || at < *first))
                    first = at;
            }
            if (first)
                reading.shown = *first - started;
        }
        return reading.shown.has_value();
    };
    QString error;
    std::unique_ptr<QProcess> process
        = m_account.start(player.program, player.arguments, playerEnvironment(player), true, &error);
    if (process) {
        pid = process->processId();
        waitUntil(
            [&] {
                return process->state() == QProcess::NotRunning
                    || ((!player.plays || reading.firstAudio) && (!player.timedWindow || windowShown()));
            },
            startTimeoutMs);
        if (player.plays && reading.firstAudio) {
            waitUntil(
                [&] {
                    return m_clock.nsecsElapsed() / 1e6 - started >= *reading.firstAudio + playingMs;
                },
                playingMs + 1000);
            qint64 total = 0;
            struct Share {
                int count = 0;
                qint64 pss = 0;
                qint64 rss = 0;
            };
            QMap<QString, Share> byName;
            for (qint64 member : ProcessTree::descendants(pid)) {
                Share &share = byName[ProcessTree::commandName(member)];
                const qint64 pss = ProcessTree::pssKiB(member);
                total += pss;
                share.count += 1;
                share.pss += pss;
                share.rss += ProcessTree::rssKiB(member);
            }
            reading.pssMiB = total / 1024.0;
            QStringList parts;
            for (auto it = byName.constBegin(); it != byName.constEnd(); ++it)
                parts.append(QStringLiteral("%1 x%2 PSS %3 MiB (RSS %4 MiB)")
                                 .arg(it.key())
                                 .arg(it.value().count)
                                 .arg(it.value().pss / 1024.0, 0, 'f', 1)
                                 .arg(it.value().rss / 1024.0, 0, 'f', 1));
            reading.processes = parts.join(QStringLiteral(", "));
        }
    } else {
        Bench::print(QStringLiteral("%1: %2").arg(player.name, error));
    }
    QObject::disconnect(heard);
    QObject::disconnect(seen);
    QObject::disconnect(gone);
    TestProcesses::stopGroup(process);
    return reading;
}

void BlackBox::prepareHome(const Player &player)
{
    if (!player.ondavox)
        return;
    const QString dataFolder = player.home + QStringLiteral("/.local/share/ondavox");
    QDir().mkpath(dataFolder);
    // Not started with the system, the start-up stream on, a normal window.
    writeFile(dataFolder + QStringLiteral("/ovxpref.log"),
        "0*1*" + m_icecast.streamUrl().toUtf8() + "*0*AideOVX.txt*1*1*0*0*\r\n");
    m_account.take(player.home);
}

void BlackBox::dropOnce(Player &player, int outageMs)
{
    waitUntil(
        [this] {
            return m_sound.quietFor(quietMs);
        },
        5000);
    prepareHome(player);
    std::optional<double> firstAudio;
    std::optional<double> back;
    double returnedAt = std::numeric_limits<double>::infinity();
    const QMetaObject::Connection heard = QObject::connect(&m_sound, &SoundWatch::loud, [&](double at) {
        if (!firstAudio)
            firstAudio = at;
        if (!back && at >= returnedAt)
            back = at - returnedAt;
    });
    QString error;
    std::unique_ptr<QProcess> process
        = m_account.start(player.program, player.arguments, playerEnvironment(player), true, &error);
    const auto running = [&process] {
        return process && process->state() != QProcess::NotRunning;
    };
    waitUntil(
        [&] {
            return firstAudio.has_value() || !running();
        },
        startTimeoutMs);
    if (firstAudio && running()) {
        const double now = m_clock.nsecsElapsed() / 1e6;
        waitUntil(
            [&] {
                return m_clock.nsecsElapsed() / 1e6 - now >= 3000;
            },
            4000);
        m_icecast.stop();
        // The outage counts from when the sound stopped, buffers played out.
        waitUntil(
            [this] {
                return m_sound.quietFor(quietMs);
            },
            30000);
        const double silentAt = m_clock.nsecsElapsed() / 1e6 - quietMs;
        waitUntil(
            [&] {
                return m_clock.nsecsElapsed() / 1e6 - silentAt >= outageMs;
            },
            outageMs + 1000);
        returnedAt = m_clock.nsecsElapsed() / 1e6;
        if (!m_icecast.start(&error))
            Bench::print(QStringLiteral("icecast did not come back: ") + error);
        waitUntil(
            [&] {
                return back.has_value() || !running() || m_clock.nsecsElapsed() / 1e6 - returnedAt >= dropWaitMs;
            },
            dropWaitMs + 1000);
        if (back)
            player.backAfterDrop.append(*back / 1000);
        else if (!running())
            ++player.endedAtDrop;
        else
            ++player.neverBack;
    } else {
        ++player.failures;
    }
    QObject::disconnect(heard);
    TestProcesses::stopGroup(process);
    // The next player finds the stream up, whatever happened.
    if (!m_icecast.start(&error))
        Bench::print(QStringLiteral("icecast: ") + error);
}

void BlackBox::runDrops(int rounds, int outageMs)
{
    for (int round = 0; round < rounds; ++round) {
        for (Player &player : m_players) {
            if (player.plays)
                dropOnce(player, outageMs);
        }
    }
}

void BlackBox::reportDrops(int rounds, int outageMs) const
{
    Bench::print(QString());
    Bench::print(QStringLiteral("== Network drop: icecast and its source gone %1 s after the sound stopped, then back; "
                                "seconds from the server's return to sound again (waiting %2 s), %3 rounds")
                     .arg(outageMs / 1000)
                     .arg(dropWaitMs / 1000)
                     .arg(rounds));
    for (const Player &player : m_players) {
        if (!player.plays)
            continue;
        QStringList parts;
        if (!player.backAfterDrop.isEmpty()) {
            QStringList each;
            for (double seconds : player.backAfterDrop)
                each.append(QString::number(seconds, 'f', 1));
            parts.append(QStringLiteral("%1 s [%2]")
                             .arg(Bench::median(player.backAfterDrop), 0, 'f', 1)
                             .arg(each.join(QLatin1Char(' '))));
        }
        if (player.neverBack)
            parts.append(QStringLiteral("never: %1").arg(player.neverBack));
        if (player.endedAtDrop)
            parts.append(QStringLiteral("the program ended: %1").arg(player.endedAtDrop));
        Bench::print(QStringLiteral("%1 %2").arg(player.name, -20).arg(parts.join(QStringLiteral(", "))));
    }
    for (const Player &player : m_players) {
        if (player.ondavox && player.name == QLatin1String("Ondavox") && !player.backAfterDrop.isEmpty())
            Bench::print(
                QStringLiteral("target: sound back within 2 s of the server's return after %1 s: worst %2 s: %3")
                    .arg(outageMs / 1000)
                    .arg(*std::max_element(player.backAfterDrop.begin(), player.backAfterDrop.end()), 0, 'f', 1)
                    .arg(player.neverBack == 0 && player.endedAtDrop == 0
                                && *std::max_element(player.backAfterDrop.begin(), player.backAfterDrop.end()) <= 2
                            ? QStringLiteral("met")
                            : QStringLiteral("NOT met")));
    }
}

void BlackBox::run(int rounds)
{
    for (int round = -1; round < rounds; ++round) {
        // Turns rotate, so that no player always follows the same one.
        for (qsizetype turn = 0; turn < m_players.size(); ++turn) {
            Player &player = m_players[(turn + std::max(round, 0)) % m_players.size()];
            const Reading reading = runOnce(player);
            // The first round warms the caches (files, fonts, shaders) and is not counted.
            if (round < 0)
                continue;
            if ((player.plays && !reading.firstAudio) || (player.timedWindow && !reading.shown))
                ++player.failures;
            if (reading.firstAudio)
                player.firstAudio.append(*reading.firstAudio);
            if (reading.shown)
                player.shown.append(*reading.shown);
            if (reading.pssMiB)
                player.pssMiB.append(*reading.pssMiB);
            if (!reading.processes.isEmpty())
                player.lastProcesses = reading.processes;
        }
        if (round >= 0)
            if (const std::optional<double> ms = serverFirstByte(QUrl(m_icecast.streamUrl())))
                m_serverFirstByte.append(*ms);
    }
}

void BlackBox::report(int rounds) const
{
    Bench::print(
        QStringLiteral("== Each player started from outside, in turns: medians of %1 rounds, after one warm-up round "
                       "that is not counted")
            .arg(rounds));
    Bench::print(QStringLiteral("players run as %1, each with a fresh home, on X server %2 and a PulseAudio null sink")
                     .arg(m_account.name(), m_displayName));
    Bench::print(m_siteNote);
    Bench::print(m_detectorLine);
    if (!m_serverFirstByte.isEmpty())
        Bench::print(QStringLiteral("icecast2's own first audio byte on a bare socket: %1 ms   [%2]")
                         .arg(Bench::median(m_serverFirstByte), 0, 'f', 0)
                         .arg(Bench::figures(m_serverFirstByte)));
    Bench::print(QString());

    const auto find = [this](const QString &name) -> const Player * {
        for (const Player &player : m_players) {
            if (player.name == name)
                return &player;
        }
        return nullptr;
    };
    const Player *mpv = find(QStringLiteral("mpv --no-video"));
    const Player *goodvibes = find(QStringLiteral("Goodvibes"));
    const Player *ondavox = find(QStringLiteral("Ondavox"));
    const Player *minimal = find(QStringLiteral("minimal Qt window"));
    const double mpvAudio = mpv && !mpv->firstAudio.isEmpty() ? Bench::median(mpv->firstAudio) : 0;

    Bench::print(QStringLiteral("%1 %2 %3 %4 %5")
                     .arg(QStringLiteral("player"), -20)
                     .arg(QStringLiteral("first audio"), 12)
                     .arg(QStringLiteral("/ mpv"), 7)
                     .arg(QStringLiteral("PSS playing"), 13)
                     .arg(QStringLiteral("window shown"), 13));
    for (const Player &player : m_players) {
        const QString audio = player.firstAudio.isEmpty()
            ? QStringLiteral("-")
            : QStringLiteral("%1 ms").arg(Bench::median(player.firstAudio), 0, 'f', 0);
        const QString ratio = player.firstAudio.isEmpty() || mpvAudio <= 0
            ? QStringLiteral("-")
            : QString::number(Bench::median(player.firstAudio) / mpvAudio, 'f', 2);
        const QString pss = player.pssMiB.isEmpty()
            ? QStringLiteral("-")
            : QStringLiteral("%1 MiB").arg(Bench::median(player.pssMiB), 0, 'f', 1);
        const QString shown = player.shown.isEmpty()
            ? QStringLiteral("-")
            : QStringLiteral("%1 ms").arg(Bench::median(player.shown), 0, 'f', 0);
        Bench::print(QStringLiteral("%1 %2 %3 %4 %5")
                         .arg(player.name, -20)
                         .arg(audio, 12)
                         .arg(ratio, 7)
                         .arg(pss, 13)
                         .arg(shown, 13));
    }
    Bench::print(QString());
    for (const Player &player : m_players) {
        QStringList parts;
        if (!player.firstAudio.isEmpty())
            parts.append(QStringLiteral("audio [%1]").arg(Bench::figures(player.firstAudio)));
        if (!player.pssMiB.isEmpty())
            parts.append(QStringLiteral("PSS [%1]").arg(Bench::figures(player.pssMiB)));
        if (!player.shown.isEmpty())
            parts.append(QStringLiteral("window [%1]").arg(Bench::figures(player.shown)));
        if (player.failures)
            parts.append(QStringLiteral("%1 failed runs").arg(player.failures));
        Bench::print(
            QStringLiteral("%1 %2").arg(player.name + QLatin1Char(':'), -21).arg(parts.join(QStringLiteral("  "))));
    }
    for (const Player &player : m_players) {
        if (!player.lastProcesses.isEmpty())
            Bench::print(QStringLiteral("%1 processes 5 s into playing (last round): %2")
                             .arg(player.name, player.lastProcesses));
    }

    if (!ondavox || ondavox->firstAudio.isEmpty())
        return;
    Bench::print(QString());
    Bench::print(QStringLiteral("targets:"));
    const auto verdict = [](bool met) {
        return met ? QStringLiteral("met") : QStringLiteral("NOT met");
    };
    const double audio = Bench::median(ondavox->firstAudio);
    if (mpvAudio > 0)
        Bench::print(
            QStringLiteral("  first audio at or below mpv's, ratio <= 1.00: %1 ms against mpv %2 ms, ratio %3: %4")
                .arg(audio, 0, 'f', 0)
                .arg(mpvAudio, 0, 'f', 0)
                .arg(audio / mpvAudio, 0, 'f', 2)
                .arg(verdict(audio <= mpvAudio)));
    if (goodvibes && !goodvibes->firstAudio.isEmpty()) {
        const double desktopAudio = Bench::median(goodvibes->firstAudio);
        Bench::print(QStringLiteral("  first audio ahead of Goodvibes: %1 ms against %2 ms: %3")
                         .arg(audio, 0, 'f', 0)
                         .arg(desktopAudio, 0, 'f', 0)
                         .arg(verdict(audio < desktopAudio)));
    }
    if (!ondavox->pssMiB.isEmpty()) {
        const double pss = Bench::median(ondavox->pssMiB);
        Bench::print(
            QStringLiteral("  PSS 5 s into playing <= 60 MiB: %1 MiB: %2").arg(pss, 0, 'f', 1).arg(verdict(pss <= 60)));
    }
    if (minimal && !minimal->shown.isEmpty() && !ondavox->shown.isEmpty()) {
        const double window = Bench::median(ondavox->shown);
        const double base = Bench::median(minimal->shown);
        Bench::print(QStringLiteral("  main window shown <= 2 x a minimal Qt window: %1 ms against %2 ms, %3 x: %4")
                         .arg(window, 0, 'f', 0)
                         .arg(base, 0, 'f', 0)
                         .arg(window / base, 0, 'f', 1)
                         .arg(verdict(window <= 2 * base)));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        Bench::print(QStringLiteral("usage: bench_blackbox <ondavox> <minimal Qt window>"));
        return 2;
    }
    for (const char *tool : { "Xvfb", "dbus-daemon", "pulseaudio", "parec", "paplay", "pactl" }) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            Bench::print(
                QStringLiteral("black-box benchmark: skipped, %1 is not installed").arg(QString::fromLatin1(tool)));
            return 0;
        }
    }
    const QString missing = IcecastServer::missingTools();
    if (!missing.isEmpty()) {
        Bench::print(QStringLiteral("black-box benchmark: skipped, ") + missing);
        return 0;
    }
    const int rounds = qEnvironmentVariableIntValue("ONDAVOX_BENCH_ROUNDS") > 0
        ? qEnvironmentVariableIntValue("ONDAVOX_BENCH_ROUNDS")
        : defaultRounds;

    BlackBox bench;
    QString error;
    if (!bench.setUp(&error) || !bench.checkDetector(&error)) {
        Bench::print(QStringLiteral("black-box benchmark: ") + error);
        return 1;
    }
    const QString stream = bench.streamUrl();
    bench.addPlayer(makePlayer(QStringLiteral("Ondavox"), QString::fromLocal8Bit(argv[1]), {}, true, true, true));
    // Another build in the same turns, to tell a change from the machine's noise.
    const QString compared = qEnvironmentVariable("ONDAVOX_BENCH_COMPARE");
    if (!compared.isEmpty())
        bench.addPlayer(makePlayer(QStringLiteral("Ondavox compared"), compared, {}, true, true, true));
    if (!QStandardPaths::findExecutable(QStringLiteral("mpv")).isEmpty())
        bench.addPlayer(makePlayer(QStringLiteral("mpv --no-video"),
            QStringLiteral("mpv"),
            { QStringLiteral("--no-video"), stream },
            true,
            false,
            false));
    if (!QStandardPaths::findExecutable(QStringLiteral("cvlc")).isEmpty())
        bench.addPlayer(makePlayer(QStringLiteral("cvlc"), QStringLiteral("cvlc"), { stream }, true, false, false));
    // The desktop radio player to beat: a station given on its command line plays at start.
    if (!QStandardPaths::findExecutable(QStringLiteral("goodvibes")).isEmpty())
        bench.addPlayer(
            makePlayer(QStringLiteral("Goodvibes"), QStringLiteral("goodvibes"), { stream }, true, false, false));
    bench.addPlayer(
        makePlayer(QStringLiteral("minimal Qt window"), QString::fromLocal8Bit(argv[2]), {}, false, true, false));
    bench.run(rounds);
    bench.report(rounds);
    const int dropRounds = qEnvironmentVariableIntValue("ONDAVOX_BENCH_DROP_ROUNDS") > 0
        ? qEnvironmentVariableIntValue("ONDAVOX_BENCH_DROP_ROUNDS")
        : 2;
    constexpr int outageMs = 5000;
    bench.runDrops(dropRounds, outageMs);
    bench.reportDrops(dropRounds, outageMs);
    return 0;
}
