#include "mprisname.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The real program as the desktop sees it: its name among the media players on
// the session bus, its start-with-the-system entry, and its orderly exit when
// the desktop's media controls ask it to quit.
class TestDesktopSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
        QVERIFY(QFileInfo::exists(qEnvironmentVariable("ONDAVOX_BIN")));
    }

    void startAndQuitThroughTheMediaControls_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<bool>("entryBefore");
        QTest::addColumn<bool>("entryAfter");

        QTest::newRow("start with the system")
            << QByteArray("1*0*\r\nhttp://127.0.0.1:9/x*-1*AideOVX.txt*1*1*1*0*\r\n") << false << true;
        QTest::newRow("not any more") << QByteArray("0*0*\r\nhttp://127.0.0.1:9/x*-1*AideOVX.txt*1*1*1*0*\r\n") << true
                                      << false;
    }

    void startAndQuitThroughTheMediaControls()
    {
        QFETCH(QByteArray, record);
        QFETCH(bool, entryBefore);
        QFETCH(bool, entryAfter);

        QTemporaryDir home;
        const QString userFolder = home.filePath(QStringLiteral("data/ondavox"));
        const QString entry = home.filePath(QStringLiteral("config/autostart/ondavox.desktop"));
        QVERIFY(QDir().mkpath(userFolder));
        QVERIFY(QDir().mkpath(QFileInfo(entry).path()));
        writeFile(userFolder + QStringLiteral("/ovxpref.log"), record);
        if (entryBefore)
            writeFile(entry, "[Desktop Entry]\nType=Application\nName=Ondavox\nExec=/old/ondavox\n");

        QProcess ondavox;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("ONDAVOX_MPV_AO"), QStringLiteral("null"));
        ondavox.setProcessEnvironment(environment);
        ondavox.setProcessChannelMode(QProcess::ForwardedChannels);
        ondavox.start(qEnvironmentVariable("ONDAVOX_BIN"), {});
        QVERIFY(ondavox.waitForStarted());

        QTRY_VERIFY_WITH_TIMEOUT(!mprisNameOf(ondavox.processId()).isEmpty(), 20000);
        const QString name = mprisNameOf(ondavox.processId());
        QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
        QCOMPARE(property(name, QStringLiteral("org.mpris.MediaPlayer2"), QStringLiteral("Identity")).toString(),
            QStringLiteral("Ondavox"));

        // Nothing chosen yet: the publishing loop leaves the title empty.
        QTest::qWait(1200);
        const QVariant metadata
            = property(name, QStringLiteral("org.mpris.MediaPlayer2.Player"), QStringLiteral("Metadata"));
        QVERIFY(metadata.isValid());
        QCOMPARE(qdbus_cast<QVariantMap>(metadata.value<QDBusArgument>()), QVariantMap());

        QCOMPARE(QFileInfo::exists(entry), entryAfter);
        if (entryAfter) {
            const QByteArray text = readFile(entry);
            const QByteArray exec = "\nExec="
                + QFile::encodeName(QFileInfo(qEnvironmentVariable("ONDAVOX_BIN")).absoluteFilePath()) + "\n";
            QVERIFY2(text.contains(exec), text.constData());
        }

        QDBusMessage quit = QDBusMessage::createMethodCall(name,
            QStringLiteral("/org/mpris/MediaPlayer2"),
            QStringLiteral("org.mpris.MediaPlayer2"),
            QStringLiteral("Quit"));
        QCOMPARE(QDBusConnection::sessionBus().call(quit).type(), QDBusMessage::ReplyMessage);
        QVERIFY(ondavox.waitForFinished(15000));
        QCOMPARE(ondavox.exitStatus(), QProcess::NormalExit);
        QCOMPARE(ondavox.exitCode(), 0);
        // The orderly exit wrote the record back, on one line.
        QByteArray expected = record;
        expected.replace("\r\n", "");
        QCOMPARE(readFile(userFolder + QStringLiteral("/ovxpref.log")), expected + "\r\n");
        QTRY_VERIFY(!bus->isServiceRegistered(name));
    }

private:
    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QVariant property(const QString &service, const QString &interface, const QString &name)
    {
        QDBusMessage get = QDBusMessage::createMethodCall(service,
            QStringLiteral("/org/mpris/MediaPlayer2"),
            QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("Get"));
        get << interface << name;
        const QDBusMessage reply = QDBusConnection::sessionBus().call(get);
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return QVariant();
        return reply.arguments().first().value<QDBusVariant>().variant();
    }
};

QTEST_GUILESS_MAIN(TestDesktopSession)
#include "tst_desktopsession.moc"
