#include "platform/desktop/titlenotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QUrl>
#include <QVariantMap>

TitleNotifier::TitleNotifier(QDBusConnection connection, QObject *parent)
    : QObject(parent)
    , m_connection(std::move(connection))
{
}

void TitleNotifier::titleChanged(const QString &title, const QString &station, const QString &picture)
{
    // The same title again (a reconnection tells it anew) is no news.
    const bool news = title != m_lastTitle;
    m_lastTitle = title;
    if (!m_enabled || !news || title.isEmpty() || !m_windowAway || !m_windowAway())
        return;
    const Notice notice { title, station, picture };
    if (m_waiting) {
        m_next = notice;
        return;
    }
    send(notice);
}

void TitleNotifier::send(const Notice &notice)
{
    if (!m_connection.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(serviceName,
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("Notify"));
    const QVariantMap hints { { QStringLiteral("desktop-entry"), QStringLiteral("ondavox") },
        { QStringLiteral("transient"), true } };
    // The body may be read as markup: a station called "Rock & Co" must show as named.
    call << QStringLiteral("Ondavox") << m_lastId
         << (notice.picture.isEmpty() ? QStringLiteral("ondavox") : QUrl::fromLocalFile(notice.picture).toString())
         << notice.title << notice.station.toHtmlEscaped() << QStringList() << hints << -1;
    m_waiting = true;
    auto *watcher = new QDBusPendingCallWatcher(m_connection.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *answered) {
        answered->deleteLater();
        const QDBusPendingReply<uint> reply = *answered;
        // Without a notification server, nothing is shown and nothing is lost.
        if (!reply.isError())
            m_lastId = reply.value();
        m_waiting = false;
        if (m_next) {
            const Notice next = *m_next;
            m_next.reset();
            send(next);
        }
    });
}
