#include "platform/desktop/titlenotifier.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QTest>

// A notification server as desktops run one: it answers each Notify with the
// number of the notification it shows, the replaced one's when it replaces one.
class FakeNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Received {
        uint replacesId;
        QString summary;
        QString body;
    };
    QList<Received> received;
    // Notifications on screen now.
    QSet<uint> shown;

public Q_SLOTS:
    uint Notify(const QString &,
        uint replacesId,
        const QString &,
        const QString &summary,
        const QString &body,
        const QStringList &,
        const QVariantMap &,
        int)
    {
        received.append({ replacesId, summary, body });
        if (shown.contains(replacesId))
            return replacesId;
        shown.insert(m_next);
        return m_next++;
    }

private:
    uint m_next = 7;
};

class TestTitleNotifier : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_daemon.start(QStringLiteral("dbus-daemon"),
            { QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1") });
        QVERIFY2(m_daemon.waitForStarted(), "dbus-daemon did not start");
        QVERIFY(m_daemon.waitForReadyRead(5000));
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        QDBusConnection server = QDBusConnection::connectToBus(m_address, QStringLiteral("server"));
        QVERIFY(server.registerObject(
            QStringLiteral("/org/freedesktop/Notifications"), &m_server, QDBusConnection::ExportAllSlots));
        QVERIFY(server.registerService(TitleNotifier::serviceName));
    }

    void cleanupTestCase()
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("server"));
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        m_daemon.terminate();
        m_daemon.waitForFinished();
    }

    void init() { m_server.received.clear(); }

    // Only while the window cannot be seen, only when the user asked, only news.
    void notifiesWhenAskedAndUnseen_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("away");
        QTest::addColumn<int>("expected");

        QTest::newRow("on, window away") << true << true << 1;
        QTest::newRow("on, window seen") << true << false << 0;
        QTest::newRow("off, window away") << false << true << 0;
    }

    void notifiesWhenAskedAndUnseen()
    {
        QFETCH(bool, enabled);
        QFETCH(bool, away);
        QFETCH(int, expected);
        TitleNotifier notifier(client());
        notifier.setEnabled(enabled);
        notifier.setWindowAway([away] {
            return away;
        });
        notifier.titleChanged(QStringLiteral("Un"), QStringLiteral("FIP"), QString());
        // The same title told again, as a reconnection does.
        notifier.titleChanged(QStringLiteral("Un"), QStringLiteral("FIP"), QString());
        // A last one that always goes out, so that the count can be awaited.
        notifier.setEnabled(true);
        notifier.setWindowAway([] {
            return true;
        });
        notifier.titleChanged(QStringLiteral("Fin"), QStringLiteral("FIP"), QString());
        QTRY_VERIFY(!m_server.received.isEmpty() && m_server.received.last().summary == QStringLiteral("Fin"));
        QCOMPARE(m_server.received.size(), expected + 1);
    }

    // However fast the titles come, each notification replaces the one before.
    void eachReplacesThePrevious()
    {
        TitleNotifier notifier(client());
        notifier.setEnabled(true);
        notifier.setWindowAway([] {
            return true;
        });
        const qsizetype before = m_server.shown.size();
        // A burst, before the server has answered the first, then one more.
        for (const char *title : { "Un", "Deux", "Trois" })
            notifier.titleChanged(QString::fromLatin1(title), QStringLiteral("Rock & Co"), QString());
        QTRY_VERIFY(!m_server.received.isEmpty() && m_server.received.last().summary == QStringLiteral("Trois"));
        notifier.titleChanged(QStringLiteral("Quatre"), QStringLiteral("Rock & Co"), QString());
        QTRY_VERIFY(m_server.received.last().summary == QStringLiteral("Quatre"));

        QCOMPARE(m_server.shown.size(), before + 1);
        QCOMPARE(m_server.received.first().replacesId, 0u);
        for (const auto &notice : m_server.received.mid(1))
            QCOMPARE(notice.replacesId, notifier.lastId());
        // The body may be read as markup.
        QCOMPARE(m_server.received.first().body, QStringLiteral("Rock &amp; Co"));
    }

private:
    QDBusConnection client() { return QDBusConnection::connectToBus(m_address, QStringLiteral("client")); }

    QProcess m_daemon;
    QString m_address;
    FakeNotifications m_server;
};

QTEST_GUILESS_MAIN(TestTitleNotifier)
#include "tst_titlenotifier.moc"
