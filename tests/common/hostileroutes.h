#pragma once

#include "testhttpserver.h"

#include <QList>
#include <QString>

// Stream servers that let their listeners down, each at a path of `server`:
// one that accepts and never answers, one that sends a byte a second, one
// whose head never ends, live MP3 streams announcing ICY metadata every 0
// and every 2^31 bytes, noise in place of sound, endless redirects, a 404.
// `tone` is an MP3 that the live ones loop at 128 kb/s.
struct HostileRoute {
    QString name;
    QString path;
};

inline QList<HostileRoute> hostileRoutes()
{
    return {
        { QStringLiteral("accepts, never answers"), QStringLiteral("/silent.mp3") },
        { QStringLiteral("a byte a second"), QStringLiteral("/trickle.mp3") },
        { QStringLiteral("a head that never ends"), QStringLiteral("/endless-head.mp3") },
        { QStringLiteral("ICY metadata every 0 bytes"), QStringLiteral("/metaint-0.mp3") },
        { QStringLiteral("ICY metadata every 2^31 bytes"), QStringLiteral("/metaint-huge.mp3") },
        { QStringLiteral("noise in place of sound"), QStringLiteral("/noise.mp3") },
        { QStringLiteral("endless redirects"), QStringLiteral("/loop.mp3") },
        { QStringLiteral("404"), QStringLiteral("/missing.mp3") },
    };
}

inline void addHostileRoutes(TestHttpServer &server, const QByteArray &tone)
{
    const QByteArray streamHead = "HTTP/1.0 200 OK\r\nContent-Type: audio/mpeg\r\n";
    server.addRaw(QStringLiteral("/silent.mp3"), {});
    server.addRaw(QStringLiteral("/trickle.mp3"), streamHead + "\r\n", tone, 1, 1000);
    server.addRaw(QStringLiteral("/endless-head.mp3"), streamHead, "X-Padding: " + QByteArray(50, 'a') + "\r\n", 64, 5);
    const auto live = [&](const QString &path, const QByteArray &headers) {
        server.addRaw(path, streamHead + headers + "\r\n" + tone.left(32000), tone, 1600, 100);
    };
    live(QStringLiteral("/metaint-0.mp3"), "icy-metaint: 0\r\n");
    live(QStringLiteral("/metaint-huge.mp3"), "icy-metaint: 2147483648\r\n");
    // Noise, and plenty of it, fast: the engine gives up looking for sound in
    // it long before the wait for a first sound ends, even on a busy machine.
    QByteArray noise(65521, '\0');
    for (qsizetype i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919 + 13) % 251);
    server.addRaw(QStringLiteral("/noise.mp3"), streamHead + "\r\n" + noise, noise, int(noise.size()), 10);
    server.addRedirect(QStringLiteral("/loop.mp3"), server.url(QStringLiteral("/loop.mp3")));
    server.addStatus(QStringLiteral("/missing.mp3"), 404);
}
