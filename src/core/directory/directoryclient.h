#pragma once

#include "core/directory/directoryquery.h"
#include "core/directory/directoryservers.h"
#include "core/directory/directorystation.h"

#include <QList>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QTimer>

// The public radio directory's API, used as its maintainers ask: servers from
// DNS tried in random order, the next one on a failure or a timeout, a
// User-Agent that names the program, working stations only, and a play
// counted through the click endpoint. One search at a time: a new one drops
// the one in flight. Answers are parsed on a worker thread.
class DirectoryClient : public QObject
{
    Q_OBJECT

public:
    static const QString noServerMessage;
    static const QString unreadableMessage;
    static const QString tooLargeMessage;

    struct Settings {
        DirectoryServers::Sources sources;
        // One server's whole answer, however it arrives.
        int attemptTimeoutMs = 10000;
        qint64 maximumAnswer = 2 * 1024 * 1024;
    };

    // The servers the user set in ONDAVOX_DIRECTORY_URL, if any; the known
    // servers otherwise.
    static Settings settingsFromEnvironment();
    // "Ondavox/<version>".
    static QByteArray userAgent();

    explicit DirectoryClient(const Settings &settings, QObject *parent = nullptr);
    // With servers of the caller's (a test's lookup).
    DirectoryClient(const Settings &settings, DirectoryServers *servers, QObject *parent = nullptr);
    ~DirectoryClient() override;

    void search(const DirectoryQuery &query);
    void cancel();
    bool isSearching() const { return m_searching; }
    // Tells the directory that the station is being played; nothing comes back.
    void countClick(const QString &stationUuid);
    // The server that answered last, or the next one to be tried.
    QUrl server() const;

Q_SIGNALS:
    void found(const DirectoryQuery &query, const QList<DirectoryStation> &stations, int leftOut);
    // `message` says in French why nothing came.
    void failed(const DirectoryQuery &query, const QString &message);

private:
    enum class Failure { NoAnswer, Unreadable, TooLarge };

    void attempt();
    // Keeps what arrived; false when the answer grew too large and the attempt failed.
    bool takeBody();
    void onFinished();
    void failAttempt(Failure failure);
    void dropReply();

    Settings m_settings;
    DirectoryServers *m_servers;
    QNetworkAccessManager m_network;
    static constexpr qint64 readChunk = 64 * 1024;

    QPointer<QNetworkReply> m_reply;
    QByteArray m_body;
    QTimer m_deadline;
    DirectoryQuery m_query;
    bool m_searching = false;
    int m_current = 0; // index of the server to ask first
    int m_tried = 0;
    Failure m_worst = Failure::NoAnswer;
    quint64 m_generation = 0;
};
