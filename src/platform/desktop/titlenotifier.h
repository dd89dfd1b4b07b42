#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

// Desktop notifications of the stream's title (org.freedesktop.Notifications),
// while the user cannot see the main window. Each one replaces the previous
// one, so that a station that changes its title every minute never leaves a
// pile of them.
class TitleNotifier : public QObject
{
    Q_OBJECT

public:
    static inline const QString serviceName = QStringLiteral("org.freedesktop.Notifications");

    explicit TitleNotifier(QDBusConnection connection = QDBusConnection::sessionBus(), QObject *parent = nullptr);

    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool isEnabled() const { return m_enabled; }
    // True while the main window is hidden or minimised.
    void setWindowAway(std::function<bool()> away) { m_windowAway = std::move(away); }

    // A new title on `station`; the picture is a full path, or empty.
    void titleChanged(const QString &title, const QString &station, const QString &picture);

    // The server's number for the notification on screen; 0 before the first.
    uint lastId() const { return m_lastId; }

private:
    struct Notice {
        QString title;
        QString station;
        QString picture;
    };

    void send(const Notice &notice);

    QDBusConnection m_connection;
    std::function<bool()> m_windowAway;
    bool m_enabled = false;
    uint m_lastId = 0;
    QString m_lastTitle;
    // Until the server has answered with its number, a newer title waits:
    // sent at once it would carry the old number, and stand beside the first.
    bool m_waiting = false;
    std::optional<Notice> m_next;
};
