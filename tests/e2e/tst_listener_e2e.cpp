#include "core/playback/sleeptimer.h"
#include "icecastserver.h"
#include "platform/desktop/mprisservice.h"
#include "processes.h"
#include "testplayer.h"

#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace
{

const QString playerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString &playing = PlaybackStatus::playing;

QVariant plain(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<QDBusArgument>())
        return qdbus_cast<QVariantMap>(value.value<QDBusArgument>());
    return value;
}

} // namespace

// What the desktop hears of us: Seeked and PropertiesChanged.
class PlayerSignals : public QObject
{
    Q_OBJECT

public:
    QList<qlonglong> seeks;
    QList<QVariantMap> metadataChanges;

public Q_SLOTS:
    void seeked(qlonglong position) { seeks.append(position); }
    void propertiesChanged(const QString &interface, const QVariantMap &changed, const QStringList &)
    {
        if (interface == playerInterface && changed.contains(QStringLiteral("Metadata")))
            metadataChanges.append(plain(changed.value(QStringLiteral("Metadata"))).toMap());
    }
};

// The real player on a local icecast2 stream and a local file, with null
// outputs: the sleep timer ends what plays, and the desktop's media controls,
// reading over a bus of the test's own, see what plays.
class TestListenerE2e : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void sleepTimerFadesThenStops();
    void desktopSeesTheStationAndItsTitles();
    void desktopSeeksInAFile();

private:
    // The player published as the program does it.
    void publish(MediaPlayer &player, MprisService &service);
    QVariant property(const QString &name);
    QVariantMap metadata() { return property(QStringLiteral("Metadata")).toMap(); }
    QDBusConnection client() { return QDBusConnection::connectToBus(m_address, QStringLiteral("client")); }

    QTemporaryDir m_media;
    QString m_tone;
    QProcess m_daemon;
    QString m_address;
};

void TestListenerE2e::initTestCase()
{
    const QString missing = IcecastServer::missingTools();
    if (!missing.isEmpty())
        QSKIP(qPrintable(missing));
    m_tone = m_media.filePath(QStringLiteral("tone.mp3"));
    QString error;
    QVERIFY2(TestProcesses::makeTone(m_tone, 30, &error), qPrintable(error));
    m_daemon.start(QStringLiteral("dbus-daemon"),
        { QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1") });
    QVERIFY2(m_daemon.waitForStarted(), "dbus-daemon did not start");
    QVERIFY(m_daemon.waitForReadyRead(5000));
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
}

void TestListenerE2e::cleanupTestCase()
{
    m_daemon.terminate();
    m_daemon.waitForFinished();
}

void TestListenerE2e::sleepTimerFadesThenStops()
{
    IcecastServer icecast;
    QString error;
    QVERIFY2(icecast.start(&error), qPrintable(error));
    auto player = makeTestPlayer();
    QVERIFY(player);
    player->setVolume(80);
    player->setUrl(icecast.streamUrl());
    QTRY_COMPARE_WITH_TIMEOUT(player->status(), playing, 20000);

    SleepTimer timer(*player);
    timer.setFadeLength(std::chrono::milliseconds(3000));
    timer.start(std::chrono::milliseconds(4000));
    QVERIFY(timer.isActive());
    // The volume comes down while the stream still plays.
    QTRY_VERIFY_WITH_TIMEOUT(player->volume() < 40, 10000);
    QCOMPARE(player->playbackState(), PlayerControl::PlaybackState::Playing);
    QTRY_VERIFY_WITH_TIMEOUT(player->playbackState() == PlayerControl::PlaybackState::Stopped, 10000);
    QVERIFY(!timer.isActive());
    QVERIFY2(!player->status().startsWith(QStringLiteral("Lec")), qPrintable(player->status()));
    // The next station is not silent.
    QCOMPARE(player->volume(), 80);
}

void TestListenerE2e::publish(MediaPlayer &player, MprisService &service)
{
    connect(&player, &MediaPlayer::pictureChanged, &service, &MprisService::setPicture);
    PlaybackSession &session = player.session();
    connect(&session, &PlaybackSession::seekRangeChanged, &service, &MprisService::setSeekRange);
    connect(&session, &PlaybackSession::positionChanged, &service, &MprisService::setPosition);
    connect(&service, &MprisService::seekRequested, &session, &PlaybackSession::seekTo);
    QVERIFY2(service.start(QDBusConnection::connectToBus(m_address, QStringLiteral("service"))),
        qPrintable(service.errorString()));
}

void TestListenerE2e::desktopSeesTheStationAndItsTitles()
{
    IcecastServer icecast;
    QString error;
    QVERIFY2(icecast.start(&error), qPrintable(error));
    const QString picture = m_media.filePath(QStringLiteral("station.png"));
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(picture));

    auto player = makeTestPlayer();
    QVERIFY(player);
    MprisService service(*player);
    publish(*player, service);
    PlayerSignals heard;
    QVERIFY(client().connect(MprisService::serviceName,
        MprisService::objectPath,
        QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("PropertiesChanged"),
        &heard,
        SLOT(propertiesChanged(QString, QVariantMap, QStringList))));

    const QString station = QStringLiteral("Radio d'essai");
    service.setStation(station);
    QCOMPARE(metadata(), QVariantMap());
    player->setPicture(picture);
    player->setUrl(icecast.streamUrl());
    QTRY_COMPARE_WITH_TIMEOUT(player->status(), playing, 20000);

    const QString first = QStringLiteral("Premier titre - Élodie");
    QVERIFY2(icecast.setTitle(first, &error), qPrintable(error));
    QTRY_COMPARE_WITH_TIMEOUT(metadata().value(QStringLiteral("xesam:title")).toString(), first, 20000);
    QVariantMap seen = metadata();
    QCOMPARE(seen.value(QStringLiteral("xesam:artist")).toStringList(), QStringList { station });
    QCOMPARE(seen.value(QStringLiteral("xesam:album")).toString(), station);
    QCOMPARE(QUrl(seen.value(QStringLiteral("mpris:artUrl")).toString()).toLocalFile(), picture);
    QCOMPARE(property(QStringLiteral("CanSeek")).toBool(), false);
    QCOMPARE(property(QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Playing"));
    const QVariant firstTrack = seen.value(QStringLiteral("mpris:trackid"));

    const QString second = QStringLiteral("Second titre");
    QVERIFY2(icecast.setTitle(second, &error), qPrintable(error));
    QTRY_COMPARE_WITH_TIMEOUT(metadata().value(QStringLiteral("xesam:title")).toString(), second, 20000);
    QVERIFY(metadata().value(QStringLiteral("mpris:trackid")) != firstTrack);
    // Told, not only there to be read.
    QTRY_VERIFY(!heard.metadataChanges.isEmpty()
        && heard.metadataChanges.last().value(QStringLiteral("xesam:title")).toString() == second);

    // The stop empties what plays: nothing is described any more.
    player->setUrl(QString());
    QTRY_COMPARE(metadata(), QVariantMap());
}

void TestListenerE2e::desktopSeeksInAFile()
{
    auto player = makeTestPlayer();
    QVERIFY(player);
    MprisService service(*player);
    publish(*player, service);
    PlayerSignals heard;
    QVERIFY(client().connect(MprisService::serviceName,
        MprisService::objectPath,
        playerInterface,
        QStringLiteral("Seeked"),
        &heard,
        SLOT(seeked(qlonglong))));
    service.setStation(QStringLiteral("Un fichier"));
    player->setUrl(m_tone);
    QTRY_COMPARE_WITH_TIMEOUT(player->status(), playing, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(property(QStringLiteral("CanSeek")).toBool(), 10000);
    const qlonglong length = metadata().value(QStringLiteral("mpris:length")).toLongLong();
    QVERIFY2(length > 29'000'000 && length < 31'000'000, qPrintable(QString::number(length)));
    QTRY_VERIFY_WITH_TIMEOUT(property(QStringLiteral("Position")).toLongLong() > 500'000, 10000);

    QDBusMessage seek = QDBusMessage::createMethodCall(
        MprisService::serviceName, MprisService::objectPath, playerInterface, QStringLiteral("Seek"));
    seek << qlonglong(15'000'000);
    QCOMPARE(client().call(seek, QDBus::BlockWithGui).type(), QDBusMessage::ReplyMessage);
    QTRY_COMPARE_WITH_TIMEOUT(heard.seeks.size(), 1, 10000);
    QVERIFY2(heard.seeks.first() > 15'000'000 && heard.seeks.first() < 20'000'000,
        qPrintable(QString::number(heard.seeks.first())));
    QVERIFY(property(QStringLiteral("Position")).toLongLong() >= heard.seeks.first());
}

QVariant TestListenerE2e::property(const QString &name)
{
    QDBusMessage message = QDBusMessage::createMethodCall(MprisService::serviceName,
        MprisService::objectPath,
        QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    message << playerInterface << name;
    const QDBusMessage reply = client().call(message, QDBus::BlockWithGui);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return QVariant();
    return plain(reply.arguments().first().value<QDBusVariant>().variant());
}

QTEST_MAIN(TestListenerE2e)
#include "tst_listener_e2e.moc"
