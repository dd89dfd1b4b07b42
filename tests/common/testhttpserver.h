#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QTcpServer>
#include <QUrl>
#include <functional>

class QTcpSocket;

// A small HTTP/1.0 server on 127.0.0.1 for tests, answering from the test's
// event loop: fixed documents, files, whole folders, error statuses,
// redirects, late answers, and a stream that dies part-way. One answer per
// connection. It counts the requests for each path and keeps the last one.
class TestHttpServer : public QObject
{
    Q_OBJECT

public:
    explicit TestHttpServer(QObject *parent = nullptr);
    ~TestHttpServer() override;

    // Any free port, or the one given.
    bool listen(quint16 port = 0);
    quint16 port() const { return m_server.serverPort(); }
    QString url(const QString &path) const;

    // `headers`: more lines of the answer's head, each ended by CR LF.
    void addData(
        const QString &path, const QByteArray &body, const QByteArray &contentType, const QByteArray &headers = {});
    // The answer comes only after `delayMs` milliseconds.
    void addLateData(const QString &path, const QByteArray &body, const QByteArray &contentType, int delayMs);
    void addRedirect(const QString &path, const QString &location, int status = 302);
    bool addFile(const QString &path, const QString &filePath, const QByteArray &contentType = {});
    // Every file under `folder`, at `prefix` + its relative path.
    void addFolder(const QString &prefix, const QString &folder);
    void addStatus(const QString &path, int status);
    // Sends `body` like a live stream (no length), then after `holdMs`
    // milliseconds drops the connection, as a server that dies does.
    // With a `declaredLength`, the answer announces that many bytes, so that
    // the client knows the body was cut short. `headers` as for addData().
    void addDyingStream(const QString &path,
        const QByteArray &body,
        const QByteArray &contentType,
        int holdMs,
        qint64 declaredLength = -1,
        const QByteArray &headers = {});
    // Answers with `start` as it stands (head and all, or part of one), then
    // every `everyMs` milliseconds with the next `bytesPerTick` bytes of
    // `trickled`, round and round, for as long as the client stays: a server
    // that never answers, one that trickles, one whose head never ends, one
    // that stops sending and holds the connection.
    void addRaw(const QString &path,
        const QByteArray &start,
        const QByteArray &trickled = {},
        int bytesPerTick = 1,
        int everyMs = 1000);
    // A file offered for saving under `fileName` (Content-Disposition).
    void addAttachment(const QString &path, const QByteArray &body, const QString &fileName);
    // Sends the head and then `body` `chunkSize` bytes every `intervalMs`
    // milliseconds, as a server that trickles; the length is announced.
    void addTrickle(
        const QString &path, const QByteArray &body, const QByteArray &contentType, int chunkSize, int intervalMs);

    struct Answer {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "application/json";
        int delayMs = 0;
    };
    // Answers every path that begins with `prefix`, and has no route of its
    // own, from what `handler` makes of the request's path and query.
    using Handler = std::function<Answer(const QUrl &target)>;
    void addHandler(const QString &prefix, Handler handler);

    int requestCount(const QString &path) const { return m_requests.value(path); }
    // The head of the last request for `path`, and one of its header fields.
    QByteArray lastRequest(const QString &path) const { return m_lastRequests.value(path); }
    QByteArray lastRequestHeader(const QString &path, const QByteArray &name) const;

    static QByteArray contentTypeFor(const QString &fileName);

Q_SIGNALS:
    // A request for `path` arrived, in the order they arrive.
    void requested(const QString &path);

private:
    struct Route {
        enum Kind { Data, Status, Dying, Raw, Trickle };

        Route(Kind kind = Data, QByteArray body = {}, QByteArray contentType = {}, int status = 200, int holdMs = 0)
            : kind(kind)
            , body(std::move(body))
            , contentType(std::move(contentType))
            , status(status)
            , holdMs(holdMs)
        {
        }

        Kind kind;
        QByteArray body;
        QByteArray contentType;
        int status;
        int holdMs;
        qint64 declaredLength = -1;
        QByteArray headers;
        int delayMs = 0;
        QByteArray trickled;
        int bytesPerTick = 1;
        int everyMs = 1000;
        int chunkSize = 0;
    };

    void onNewConnection();
    void answer(QTcpSocket *socket, const QByteArray &request);
    void send(QTcpSocket *socket, const Route &route, bool headOnly);
    void trickle(QTcpSocket *socket, const QByteArray &rest, int chunkSize, int intervalMs);
    const Route *findRoute(const QString &path) const;

    QTcpServer m_server;
    QHash<QString, Route> m_routes;
    QHash<QString, QString> m_folders;
    QHash<QString, Handler> m_handlers;
    QHash<QString, int> m_requests;
    QHash<QString, QByteArray> m_lastRequests;
};
