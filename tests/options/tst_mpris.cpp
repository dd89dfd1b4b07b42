#include "core/desktop/nowplayingtimer.h"
#include "core/state/statestore.h"
#include "fakecontrols.h"
#include "platform/desktop/mprisservice.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

namespace
{

const QString rootInterface = QStringLiteral("org.mpris.MediaPlayer2");
const QString playerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

QVariant plain(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<QDBusArgument>())
        return qdbus_cast<QVariantMap>(value.value<QDBusArgument>());
    return value;
}

}

// What the desktop's media controls see of us: the PropertiesChanged signals.
class PropertiesRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QVariantMap> changes;

public Q_SLOTS:
    void propertiesChanged(const QString &interface, const QVariantMap &changed, const QStringList &)
    {
        if (interface != playerInterface)
            return;
        QVariantMap values;
        for (auto it = changed.cbegin(); it != changed.cend(); ++it)
            values.insert(it.key(), plain(it.value()));
        changes.append(values);
    }
};

class TestMpris : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A bus of the test's own, so that the test needs no desktop session.
    void initTestCase()
    {
        m_daemon.start(QStringLiteral("dbus-daemon"),
            { QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1") });
        QVERIFY2(m_daemon.waitForStarted(), "dbus-daemon did not start");
        QVERIFY(m_daemon.waitForReadyRead(5000));
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        QVERIFY(!m_address.isEmpty());
    }

    void cleanupTestCase()
    {
        m_daemon.terminate();
        m_daemon.waitForFinished();
    }

    void init()
    {
        static int round = 0;
        ++round;
        m_serviceBus = QStringLiteral("service%1").arg(round);
        m_clientBus = QStringLiteral("client%1").arg(round);
        m_player = std::make_unique<FakePlayer>();
        m_service = std::make_unique<MprisService>(*m_player);
        QVERIFY2(m_service->start(QDBusConnection::connectToBus(m_address, m_serviceBus)),
            qPrintable(m_service->errorString()));
        m_recorder = std::make_unique<PropertiesRecorder>();
        QVERIFY(client().connect(MprisService::serviceName,
            MprisService::objectPath,
            QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("PropertiesChanged"),
            m_recorder.get(),
            SLOT(propertiesChanged(QString, QVariantMap, QStringList))));
    }

    void cleanup()
    {
        m_recorder.reset();
        m_service.reset();
        m_player.reset();
        QDBusConnection::disconnectFromBus(m_serviceBus);
        QDBusConnection::disconnectFromBus(m_clientBus);
    }

    void busNameIsTaken()
    {
        QVERIFY(client().interface()->isServiceRegistered(MprisService::serviceName));
        QCOMPARE(client().interface()->serviceOwner(MprisService::serviceName).value(),
            QDBusConnection(m_serviceBus).baseService());
    }

    void secondInstanceTakesAnInstanceName()
    {
        FakePlayer player;
        MprisService second(player);
        const QString bus = QStringLiteral("second");
        const QDBusConnection secondBus = QDBusConnection::connectToBus(m_address, bus);
        QVERIFY(second.start(secondBus));
        // The name on the bus that the second instance owns.
        QStringList owned;
        for (const QString &name : client().interface()->registeredServiceNames().value()) {
            if (name.startsWith(MprisService::serviceName)
                && client().interface()->serviceOwner(name).value() == secondBus.baseService())
                owned.append(name);
        }
        QCOMPARE(owned.size(), 1);
        QVERIFY(owned.first().startsWith(MprisService::serviceName + QStringLiteral(".instance")));
        QDBusConnection::disconnectFromBus(bus);
    }

    void noBusIsReported()
    {
        FakePlayer player;
        MprisService lonely(player);
        QVERIFY(!lonely.start(QDBusConnection(QStringLiteral("never-connected"))));
        QVERIFY(lonely.errorString().contains(QStringLiteral("D-Bus")));
        // Publishing without a bus keeps the values and harms nothing.
        lonely.PublishNowPlaying(QStringLiteral("FIP"), QString(), QStringLiteral(" - Ondavox"));
        QCOMPARE(lonely.metadata().value(QStringLiteral("xesam:title")).toString(), QStringLiteral("FIP - Ondavox"));
    }

    void fixedProperties_data()
    {
        QTest::addColumn<QString>("interface");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("expected");

        QTest::newRow("Identity") << rootInterface << "Identity" << QVariant(QStringLiteral("Ondavox"));
        QTest::newRow("DesktopEntry") << rootInterface << "DesktopEntry" << QVariant(QStringLiteral("ondavox"));
        QTest::newRow("CanRaise") << rootInterface << "CanRaise" << QVariant(true);
        QTest::newRow("CanQuit") << rootInterface << "CanQuit" << QVariant(true);
        QTest::newRow("HasTrackList") << rootInterface << "HasTrackList" << QVariant(false);
        QTest::newRow("CanSeek") << playerInterface << "CanSeek" << QVariant(false);
        QTest::newRow("CanPlay") << playerInterface << "CanPlay" << QVariant(true);
        QTest::newRow("CanPause") << playerInterface << "CanPause" << QVariant(true);
        QTest::newRow("CanControl") << playerInterface << "CanControl" << QVariant(true);
        QTest::newRow("CanGoNext") << playerInterface << "CanGoNext" << QVariant(false);
        QTest::newRow("CanGoPrevious") << playerInterface << "CanGoPrevious" << QVariant(false);
        QTest::newRow("Position") << playerInterface << "Position" << QVariant(qlonglong(0));
        QTest::newRow("Rate") << playerInterface << "Rate" << QVariant(1.0);
        QTest::newRow("PlaybackStatus") << playerInterface << "PlaybackStatus" << QVariant(QStringLiteral("Stopped"));
        QTest::newRow("Volume") << playerInterface << "Volume" << QVariant(0.5);
    }

    void fixedProperties()
    {
        QFETCH(QString, interface);
        QFETCH(QString, name);
        QFETCH(QVariant, expected);
        QCOMPARE(property(interface, name), expected);
    }

    void schemesAndTypesAreListed()
    {
        QVERIFY(property(rootInterface, QStringLiteral("SupportedUriSchemes"))
                    .toStringList()
                    .contains(QStringLiteral("http")));
        QVERIFY(property(rootInterface, QStringLiteral("SupportedMimeTypes"))
                    .toStringList()
                    .contains(QStringLiteral("audio/mpeg")));
    }

    // The publishing loop with a real timer: nothing while no name was chosen,
    // the title at the next tick after a launch, cleared when the option goes.
    void metadataFollowsThePublishingLoop()
    {
        StateStore store;
        Preferences preferences = store.preferences();
        preferences.pseudoCheck = 1;
        store.setPreferences(preferences);
        NowPlayingTimer timer(store, *m_service);

        QTest::qWait(1100);
        QCOMPARE(metadata(), QVariantMap());
        QVERIFY(m_recorder->changes.isEmpty());

        store.setLecture(QStringLiteral("Rires et chansons"));
        QTRY_COMPARE_WITH_TIMEOUT(metadata().value(QStringLiteral("xesam:title")).toString(),
            QStringLiteral("Rires et chansons - Ondavox"),
            1500);
        const QVariant trackId = metadata().value(QStringLiteral("mpris:trackid"));
        QCOMPARE(trackId.metaType(), QMetaType::fromType<QDBusObjectPath>());
        QVERIFY(trackId.value<QDBusObjectPath>().path().startsWith(QLatin1Char('/')));

        preferences.pseudoCheck = 0;
        store.setPreferences(preferences);
        QTRY_COMPARE_WITH_TIMEOUT(metadata(), QVariantMap(), 1500);
    }

    void controlsActOnThePlayer()
    {
        m_player->play();
        call(playerInterface, QStringLiteral("PlayPause"));
        QCOMPARE(m_player->playbackState(), PlayerControl::PlaybackState::Paused);
        QCOMPARE(property(playerInterface, QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Paused"));
        call(playerInterface, QStringLiteral("PlayPause"));
        QCOMPARE(m_player->playbackState(), PlayerControl::PlaybackState::Playing);
        call(playerInterface, QStringLiteral("Pause"));
        QCOMPARE(m_player->playbackState(), PlayerControl::PlaybackState::Paused);
        call(playerInterface, QStringLiteral("Play"));
        QCOMPARE(m_player->playbackState(), PlayerControl::PlaybackState::Playing);
        call(playerInterface, QStringLiteral("Stop"));
        QCOMPARE(m_player->playbackState(), PlayerControl::PlaybackState::Stopped);
        QCOMPARE(property(playerInterface, QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Stopped"));
    }

    void volumeMapsToPercent_data()
    {
        QTest::addColumn<double>("written");
        QTest::addColumn<int>("percent");
        QTest::addColumn<double>("read");

        QTest::newRow("quarter") << 0.25 << 25 << 0.25;
        QTest::newRow("full") << 1.0 << 100 << 1.0;
        QTest::newRow("silent") << 0.0 << 0 << 0.0;
        QTest::newRow("rounded") << 0.336 << 34 << 0.34;
        QTest::newRow("above full") << 1.7 << 100 << 1.0;
        QTest::newRow("below zero") << -0.5 << 0 << 0.0;
    }

    void volumeMapsToPercent()
    {
        QFETCH(double, written);
        QFETCH(int, percent);
        QFETCH(double, read);
        QDBusMessage set = QDBusMessage::createMethodCall(MprisService::serviceName,
            MprisService::objectPath,
            QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("Set"));
        set << playerInterface << QStringLiteral("Volume") << QVariant::fromValue(QDBusVariant(written));
        const QDBusMessage reply = client().call(set, QDBus::BlockWithGui);
        QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
        QCOMPARE(m_player->volume(), percent);
        QCOMPARE(property(playerInterface, QStringLiteral("Volume")).toDouble(), read);
    }

    // The loop publishes every 500 ms; the desktop hears only of changes.
    void changesAreSignalledOnce()
    {
        const QString fip = QStringLiteral("FIP");
        const QString suffix = QStringLiteral(" - Ondavox");
        for (int tick = 0; tick < 3; ++tick)
            m_service->PublishNowPlaying(fip, QString(), suffix);
        for (int tick = 0; tick < 2; ++tick)
            m_player->play();
        for (int tick = 0; tick < 3; ++tick)
            m_service->PublishNowPlaying(QString(), QString(), QString());
        m_player->setVolume(50);
        m_player->setVolume(80);
        QTRY_COMPARE(m_recorder->changes.size(), 4);

        const QVariantMap titled = m_recorder->changes.at(0).value(QStringLiteral("Metadata")).toMap();
        QCOMPARE(titled.value(QStringLiteral("xesam:title")).toString(), QStringLiteral("FIP - Ondavox"));
        QCOMPARE(m_recorder->changes.at(1),
            (QVariantMap { { QStringLiteral("PlaybackStatus"), QStringLiteral("Playing") } }));
        QCOMPARE(m_recorder->changes.at(2).value(QStringLiteral("Metadata")).toMap(), QVariantMap());
        QCOMPARE(m_recorder->changes.at(3), (QVariantMap { { QStringLiteral("Volume"), 0.8 } }));
    }

    void desktopRequestsAreHandedOn()
    {
        QSignalSpy raised(m_service.get(), &MprisService::raiseRequested);
        QSignalSpy quitting(m_service.get(), &MprisService::quitRequested);
        call(rootInterface, QStringLiteral("Raise"));
        QCOMPARE(raised.size(), 1);
        call(rootInterface, QStringLiteral("Quit"));
        QTRY_COMPARE(quitting.size(), 1);

        QSignalSpy opening(m_service.get(), &MprisService::openUriRequested);
        call(playerInterface, QStringLiteral("OpenUri"), { QStringLiteral("http://127.0.0.1:8000/live.mp3") });
        QCOMPARE(opening.size(), 1);
        QCOMPARE(opening.first().first().toString(), QStringLiteral("http://127.0.0.1:8000/live.mp3"));
    }

private:
    QDBusConnection client() { return QDBusConnection::connectToBus(m_address, m_clientBus); }

    QDBusMessage call(const QString &interface, const QString &method, const QVariantList &arguments = {})
    {
        QDBusMessage message
            = QDBusMessage::createMethodCall(MprisService::serviceName, MprisService::objectPath, interface, method);
        message.setArguments(arguments);
        const QDBusMessage reply = client().call(message, QDBus::BlockWithGui);
        if (reply.type() != QDBusMessage::ReplyMessage)
            qWarning() << "D-Bus call failed:" << method << reply.errorMessage();
        return reply;
    }

    QVariant property(const QString &interface, const QString &name)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(MprisService::serviceName,
            MprisService::objectPath,
            QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("Get"));
        message << interface << name;
        const QDBusMessage reply = client().call(message, QDBus::BlockWithGui);
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return QVariant();
        return plain(reply.arguments().first().value<QDBusVariant>().variant());
    }

    QVariantMap metadata() { return property(playerInterface, QStringLiteral("Metadata")).toMap(); }

    QProcess m_daemon;
    QString m_address;
    QString m_serviceBus;
    QString m_clientBus;
    std::unique_ptr<FakePlayer> m_player;
    std::unique_ptr<MprisService> m_service;
    std::unique_ptr<PropertiesRecorder> m_recorder;
};

QTEST_GUILESS_MAIN(TestMpris)
#include "tst_mpris.moc"
