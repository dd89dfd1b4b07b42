#include "benchutil.h"
#include "core/playback/asxparser.h"
#include "core/playback/playlistresolver.h"
#include "testhttpserver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

// The longest the event loop stands still while a playlist of the largest
// accepted size, written to hurt the parser, is fetched from 127.0.0.1 and
// read. That is how long the window would freeze. Goal: under 100 ms.

namespace
{

constexpr int runs = 5;

QByteArray filled(const QByteArray &head, const QByteArray &unit, const QByteArray &tail = {})
{
    QByteArray document = head;
    document.reserve(PlaylistResolver::maximumSize);
    while (document.size() + unit.size() + tail.size() <= PlaylistResolver::maximumSize)
        document += unit;
    return document + tail;
}

// The longest gap between two turns of the event loop while `url` resolves.
double longestStall(PlaylistResolver &resolver, const QUrl &url)
{
    QEventLoop loop;
    const auto done = QObject::connect(&resolver, &PlaylistResolver::resolved, &loop, &QEventLoop::quit);
    const auto failed = QObject::connect(&resolver, &PlaylistResolver::failed, &loop, &QEventLoop::quit);
    QTimer turn;
    turn.setInterval(0);
    QElapsedTimer sinceLastTurn;
    double longest = 0;
    QObject::connect(&turn, &QTimer::timeout, &loop, [&] {
        longest = qMax(longest, sinceLastTurn.nsecsElapsed() / 1e6);
        sinceLastTurn.restart();
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    sinceLastTurn.start();
    turn.start();
    resolver.resolve(url);
    loop.exec();
    QObject::disconnect(done);
    QObject::disconnect(failed);
    return qMax(longest, sinceLastTurn.nsecsElapsed() / 1e6);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QList<std::pair<const char *, QByteArray>> shapes {
        { "numeric references, asx left open", filled("<asx><ref href=\"", "&#65;", "\"/>") },
        { "numeric references, attribute left open", filled("<asx><ref href=\"", "&#65;") },
        { "ampersands", filled("<asx><ref href=\"", "&&&&&&&&&&&&&&&;", "\"/>") },
        { "tags that never close", filled("<asx>", "<ref ") },
        { "reference form, one line of spaces", filled("[Reference]\r\nRef1=x", " ", "y\r\n") },
    };

    TestHttpServer server;
    if (!server.listen()) {
        Bench::print(QStringLiteral("no loopback port for the HTTP server"));
        return 1;
    }
    PlaylistResolver resolver;
    Bench::print(QStringLiteral("Longest event-loop stall while a 1 MiB hostile playlist is fetched and read "
                                "(goal: under 100 ms), ms per run; parse alone, median ms"));
    int index = 0;
    for (const auto &[name, document] : shapes) {
        const QString path = QStringLiteral("/hostile%1.asx").arg(index++);
        server.addData(path, document, "video/x-ms-asf");
        QList<double> stalls;
        QList<double> parses;
        for (int run = 0; run < runs; ++run) {
            stalls.append(longestStall(resolver, QUrl(server.url(path))));
            QElapsedTimer clock;
            clock.start();
            AsxParser::parse(document);
            parses.append(clock.nsecsElapsed() / 1e6);
        }
        Bench::print(QStringLiteral("  %1: stall %2 (median %3), parse %4")
                         .arg(QLatin1String(name), Bench::figures(stalls))
                         .arg(Bench::median(stalls), 0, 'f', 1)
                         .arg(Bench::median(parses), 0, 'f', 1));
    }
    return 0;
}
