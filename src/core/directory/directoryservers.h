#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

class QDnsLookup;

// The directory's servers, in the order to try them. Addresses set by the
// user are taken as they are; otherwise the DNS service record names the
// servers, and the known list stands in when DNS gives nothing in time. Both
// are shuffled, as the directory's maintainers ask, so that clients spread
// over the servers.
class DirectoryServers : public QObject
{
    Q_OBJECT

public:
    struct Sources {
        QList<QUrl> configured; // when not empty, the only servers
        QString serviceName = QStringLiteral("_api._tcp.radio-browser.info");
        QList<QUrl> known;
        int lookupTimeoutMs = 4000;
    };

    static QList<QUrl> knownServers();
    // Addresses separated by spaces or commas; those that are not http(s)
    // addresses with a host are dropped.
    static QList<QUrl> parseList(const QString &text);

    explicit DirectoryServers(Sources sources, QObject *parent = nullptr);
    ~DirectoryServers() override;

    // Looks the servers up once; found() follows, at once when they are known.
    void find();
    bool isKnown() const { return m_state == State::Found; }
    // Never empty once found, unless the user set none and no list was given.
    const QList<QUrl> &servers() const { return m_servers; }

Q_SIGNALS:
    void found();

protected:
    // Starts the DNS lookup; lookedUp() gives its answer, empty on failure.
    virtual void lookUp();
    void lookedUp(const QList<QUrl> &servers);

private:
    enum class State { Unknown, LookingUp, Found };

    void settle(QList<QUrl> servers);

    Sources m_sources;
    State m_state = State::Unknown;
    QList<QUrl> m_servers;
    QPointer<QDnsLookup> m_lookup;
    QTimer m_deadline;
};
