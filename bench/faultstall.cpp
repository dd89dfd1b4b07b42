#include "benchutil.h"
#include "hostileroutes.h"
#include "icecastserver.h"
#include "processes.h"
#include "testplayer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <clocale>
#include <functional>

// What the player says and how long the window's event loop stands still
// (goal: never over 100 ms) while a stream's server lets it down: the hostile
// servers of the tests, and icecast going away and coming back.

namespace
{

// Turns the event loop for `ms` milliseconds, or until `done`, and gives the
// longest gap between two of its turns.
double longestStall(int ms, const std::function<bool()> &done = {})
{
    QEventLoop loop;
    QTimer turn;
    turn.setInterval(0);
    QElapsedTimer sinceLastTurn;
    QElapsedTimer elapsed;
    double longest = 0;
    QObject::connect(&turn, &QTimer::timeout, &loop, [&] {
        longest = qMax(longest, sinceLastTurn.nsecsElapsed() / 1e6);
        sinceLastTurn.restart();
        if (elapsed.elapsed() >= ms || (done && done()))
            loop.quit();
    });
    elapsed.start();
    sinceLastTurn.start();
    turn.start();
    loop.exec();
    return longest;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QTemporaryDir folder;
    const QString tonePath = folder.filePath(QStringLiteral("tone.mp3"));
    QString error;
    if (!TestProcesses::makeTone(tonePath, 6, &error)) {
        Bench::print(QStringLiteral("fault stalls: skipped, ") + error);
        return 0;
    }
    QFile toneFile(tonePath);
    toneFile.open(QIODevice::ReadOnly);
    const QByteArray tone = toneFile.readAll();

    TestHttpServer server;
    if (!server.listen()) {
        Bench::print(QStringLiteral("no loopback port for the HTTP server"));
        return 1;
    }
    addHostileRoutes(server, tone);
    Bench::print(QStringLiteral("Faults of stream servers: what the player says, and the longest event-loop stall "
                                "meanwhile (goal: under 100 ms)"));
    for (const HostileRoute &route : hostileRoutes()) {
        auto player = makeTestPlayer();
        if (!player)
            return 1;
        player->setUrl(server.url(route.path));
        // Long enough for the slowest to say so: sound is awaited 20 s.
        const double stall = longestStall(25000, [&] {
            return player->status().startsWith(QLatin1String("Erreur"));
        });
        Bench::print(QStringLiteral("  %1: \"%2\", longest stall %3 ms")
                         .arg(route.name, player->status())
                         .arg(stall, 0, 'f', 1));
    }

    IcecastServer icecast;
    if (!icecast.start(&error)) {
        Bench::print(QStringLiteral("  icecast: ") + error);
        return 0;
    }
    auto player = makeTestPlayer();
    player->setUrl(icecast.streamUrl());
    longestStall(20000, [&] {
        return player->status() == PlaybackStatus::playing;
    });
    icecast.stop();
    double stall = longestStall(5000);
    const QString during = player->status();
    // The server's own start blocks this thread: it is not counted.
    icecast.start(&error);
    stall = qMax(stall, longestStall(20000, [&] {
        return player->status() == PlaybackStatus::playing;
    }));
    Bench::print(QStringLiteral("  icecast gone 5 s and back: \"%1\", then \"%2\", longest stall %3 ms")
                     .arg(during, player->status())
                     .arg(stall, 0, 'f', 1));
    return 0;
}
