#include "testhttpserver.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTcpSocket>
#include <QTimer>

namespace
{

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

} // namespace

TestHttpServer::TestHttpServer(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &TestHttpServer::onNewConnection);
}

TestHttpServer::~TestHttpServer() = default;

bool TestHttpServer::listen(quint16 port)
{
    return m_server.listen(QHostAddress::LocalHost, port);
}

QString TestHttpServer::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path);
}

void TestHttpServer::addData(
    const QString &path, const QByteArray &body, const QByteArray &contentType, const QByteArray &headers)
{
    Route route { Route::Data, body, contentType };
    route.headers = headers;
    m_routes.insert(path, route);
}

void TestHttpServer::addLateData(
    const QString &path, const QByteArray &body, const QByteArray &contentType, int delayMs)
{
    Route route { Route::Data, body, contentType };
    route.delayMs = delayMs;
    m_routes.insert(path, route);
}

void TestHttpServer::addRedirect(const QString &path, const QString &location, int status)
{
    Route route { Route::Status, {}, "text/html", status };
    route.headers = "Location: " + location.toUtf8() + "\r\n";
    m_routes.insert(path, route);
}

QByteArray TestHttpServer::lastRequestHeader(const QString &path, const QByteArray &name) const
{
    const QList<QByteArray> lines = m_lastRequests.value(path).split('\n');
    for (const QByteArray &line : lines) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(colon + 1).trimmed();
    }
    return {};
}

bool TestHttpServer::addFile(const QString &path, const QString &filePath, const QByteArray &contentType)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    addData(path, file.readAll(), contentType.isEmpty() ? contentTypeFor(filePath) : contentType);
    return true;
}

void TestHttpServer::addFolder(const QString &prefix, const QString &folder)
{
    m_folders.insert(prefix.endsWith(QLatin1Char('/')) ? prefix : prefix + QLatin1Char('/'), folder);
}

void TestHttpServer::addStatus(const QString &path, int status)
{
    m_routes.insert(path,
        Route { Route::Status, "<html><body>" + reasonPhrase(status) + "</body></html>", "text/html", status, 0 });
}

void TestHttpServer::addDyingStream(const QString &path,
    const QByteArray &body,
    const QByteArray &contentType,
    int holdMs,
    qint64 declaredLength,
    const QByteArray &headers)
{
    Route route { Route::Dying, body, contentType, 200, holdMs };
    route.declaredLength = declaredLength;
    route.headers = headers;
    m_routes.insert(path, route);
}

void TestHttpServer::addAttachment(const QString &path, const QByteArray &body, const QString &fileName)
{
    Route route { Route::Data, body, "application/octet-stream", 200, 0 };
    route.headers = "Content-Disposition: attachment; filename=\"" + fileName.toUtf8() + "\"\r\n";
    m_routes.insert(path, route);
}

void TestHttpServer::addTrickle(
    const QString &path, const QByteArray &body, const QByteArray &contentType, int chunkSize, int intervalMs)
{
    Route route { Route::Trickle, body, contentType, 200, intervalMs };
    route.chunkSize = qMax(1, chunkSize);
    m_routes.insert(path, route);
}

void TestHttpServer::addHandler(const QString &prefix, Handler handler)
{
    m_handlers.insert(prefix, std::move(handler));
}

QByteArray TestHttpServer::contentTypeFor(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("mp3"))
        return "audio/mpeg";
    if (suffix == QLatin1String("m3u8"))
        return "application/vnd.apple.mpegurl";
    if (suffix == QLatin1String("ts"))
        return "video/mp2t";
    if (suffix == QLatin1String("asx"))
        return "video/x-ms-asf";
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return "text/html; charset=utf-8";
    return "application/octet-stream";
}

void TestHttpServer::onNewConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        auto request = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, request] {
            if (request->contains("\r\n\r\n"))
                return;
            *request += socket->readAll();
            if (request->contains("\r\n\r\n"))
                answer(socket, *request);
        });
    }
}

const TestHttpServer::Route *TestHttpServer::findRoute(const QString &path) const
{
    auto it = m_routes.constFind(path);
    return it == m_routes.constEnd() ? nullptr : &it.value();
}

void TestHttpServer::answer(QTcpSocket *socket, const QByteArray &request)
{
    const QList<QByteArray> requestLine = request.left(request.indexOf("\r\n")).split(' ');
    const QUrl target = requestLine.size() >= 2 ? QUrl(QString::fromUtf8(requestLine.at(1))) : QUrl();
    const QString path = target.path();
    const bool headOnly = requestLine.value(0) == "HEAD";
    m_requests[path] += 1;
    m_lastRequests[path] = request.left(request.indexOf("\r\n\r\n"));
    Q_EMIT requested(path);

    Route route;
    QString handlerPrefix;
    for (auto it = m_handlers.constBegin(); it != m_handlers.constEnd(); ++it) {
        if (path.startsWith(it.key()) && it.key().size() > handlerPrefix.size())
            handlerPrefix = it.key();
    }
    if (const Route *known = findRoute(path)) {
        route = *known;
    } else if (!handlerPrefix.isEmpty()) {
        const Answer answer = m_handlers.value(handlerPrefix)(target);
        route = Route { Route::Data, answer.body, answer.contentType, answer.status, 0 };
        route.delayMs = answer.delayMs;
    } else {
        route = Route { Route::Status, "<html><body>Not Found</body></html>", "text/html", 404, 0 };
        for (auto it = m_folders.constBegin(); it != m_folders.constEnd(); ++it) {
            if (!path.startsWith(it.key()) || path.contains(QLatin1String("..")))
                continue;
            QFile file(it.value() + QLatin1Char('/') + path.mid(it.key().size()));
            if (file.open(QIODevice::ReadOnly))
                route = Route { Route::Data, file.readAll(), contentTypeFor(file.fileName()), 200, 0 };
        }
    }
    if (route.delayMs > 0) {
        QTimer::singleShot(route.delayMs, socket, [this, socket, route, headOnly] {
            send(socket, route, headOnly);
        });
        return;
    }
    send(socket, route, headOnly);
}

void TestHttpServer::addRaw(
    const QString &path, const QByteArray &start, const QByteArray &trickled, int bytesPerTick, int everyMs)
{
    Route route(Route::Raw, start);
    route.trickled = trickled;
    route.bytesPerTick = bytesPerTick;
    route.everyMs = everyMs;
    m_routes.insert(path, route);
}

void TestHttpServer::send(QTcpSocket *socket, const Route &route, bool headOnly)
{
    if (route.kind == Route::Raw) {
        socket->write(route.body);
        if (route.trickled.isEmpty())
            return;
        auto *tick = new QTimer(socket);
        auto position = std::make_shared<qsizetype>(0);
        connect(tick, &QTimer::timeout, socket, [socket, route, position] {
            QByteArray next;
            while (next.size() < route.bytesPerTick) {
                next += route.trickled.at(*position);
                *position = (*position + 1) % route.trickled.size();
            }
            socket->write(next);
        });
        tick->start(route.everyMs);
        return;
    }
    QByteArray head = "HTTP/1.0 " + QByteArray::number(route.status) + ' ' + reasonPhrase(route.status) + "\r\n";
    head += "Content-Type: " + route.contentType + "\r\nConnection: close\r\n" + route.headers;
    if (route.kind != Route::Dying)
        head += "Content-Length: " + QByteArray::number(route.body.size()) + "\r\n";
    else if (route.declaredLength >= 0)
        head += "Content-Length: " + QByteArray::number(route.declaredLength) + "\r\n";
    head += "\r\n";
    socket->write(head);
    if (route.kind == Route::Trickle) {
        if (!headOnly)
            trickle(socket, route.body, route.chunkSize, route.holdMs);
        return;
    }
    if (!headOnly)
        socket->write(route.body);

    if (route.kind == Route::Dying) {
        QTimer::singleShot(route.holdMs, socket, [socket] {
            socket->abort();
        });
        return;
    }
    connect(socket, &QTcpSocket::bytesWritten, socket, [socket] {
        if (socket->bytesToWrite() == 0)
            socket->disconnectFromHost();
    });
}

void TestHttpServer::trickle(QTcpSocket *socket, const QByteArray &rest, int chunkSize, int intervalMs)
{
    if (rest.isEmpty()) {
        socket->disconnectFromHost();
        return;
    }
    socket->write(rest.left(chunkSize));
    QTimer::singleShot(intervalMs, socket, [this, socket, rest, chunkSize, intervalMs] {
        trickle(socket, rest.mid(chunkSize), chunkSize, intervalMs);
    });
}
