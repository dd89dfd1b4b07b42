#pragma once

#include "testhttpserver.h"

#include <QHash>
#include <QJsonArray>
#include <QObject>
#include <QUrlQuery>

// A stand-in for the public radio directory on 127.0.0.1, answering from
// stations shaped as the API's own answers (tests/data/directory): the
// station search with its filters, working stations only, the most played
// first, page by page; the click endpoint; and the stations' pictures. The
// fixture's addresses name the host "standin.invalid": pictures are served
// here, and every stream is the one given (a local icecast2), so that
// nothing is asked of any other machine.
class DirectoryStandIn : public QObject
{
    Q_OBJECT

public:
    explicit DirectoryStandIn(QObject *parent = nullptr);

    // The fixture folder holds stations.json and favicons/.
    bool start(const QString &fixtureFolder, quint16 port = 0, QString *error = nullptr);
    // "http://127.0.0.1:<port>", the address to give the program.
    QString url() const { return m_server.url(QString()); }
    TestHttpServer &server() { return m_server; }

    void setStreamAddress(const QString &address) { m_stream = address; }
    // Each answer waits this long, as a distant server would.
    void setAnswerDelay(int milliseconds) { m_delayMs = milliseconds; }
    // `count` made-up working stations, named `prefix` and a number, of
    // France in French unless said otherwise.
    void addMadeUpStations(int count,
        const QString &prefix,
        const QString &countryCode = QStringLiteral("FR"),
        const QString &language = QStringLiteral("french"));

    const QJsonArray &stations() const { return m_stations; }
    QString uuidOf(const QString &name) const;
    int clicks(const QString &uuid) const { return m_clicks.value(uuid); }
    // The query of the last station search.
    QUrlQuery lastSearch() const { return m_lastSearch; }

Q_SIGNALS:
    void searched(const QUrlQuery &query);
    void clicked(const QString &uuid);

private:
    TestHttpServer::Answer search(const QUrl &target);
    TestHttpServer::Answer click(const QUrl &target);
    QJsonObject served(QJsonObject station) const;

    TestHttpServer m_server;
    QJsonArray m_stations;
    QString m_stream;
    int m_delayMs = 0;
    QHash<QString, int> m_clicks;
    QUrlQuery m_lastSearch;
};
