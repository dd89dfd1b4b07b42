#include "core/favourites/favouritesrecord.h"
#include "core/state/textfile.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

// The real program's favourites file under the worst a desktop can do to it:
// the program killed outright while it writes, and a user folder that cannot
// be written for a while. The program is driven through its accessibility
// tree, as a screen reader user drives it (favourites_driver.py).
class TestFavouritesE2e : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void killedWhileSavingLeavesAWholeFile();
    void readOnlyFolderLosesNothing();

private:
    struct Program {
        std::unique_ptr<QProcess> ondavox;
        std::unique_ptr<QProcess> driver;
    };

    void startProgram(Program &program, const QStringList &wrapper = {});
    void stopProgram(Program &program);
    // Sends one driver command and waits for its answer.
    bool drive(Program &program, const QString &command, QString *answer = nullptr);
    QString userFolder() const { return m_home->filePath(QStringLiteral("data/ondavox")); }
    QString favouritesPath() const { return userFolder() + QStringLiteral("/Favoris.log"); }
    QByteArray fileBytes() const;
    void writeStore(const FavouritesRecord::Slots &slots);
    static QByteArray bytesOf(const FavouritesRecord::Slots &slots);

    QTemporaryDir m_runtime;
    QProcess m_bus;
    QString m_busAddress;
    std::unique_ptr<QProcess> m_accessibility;
    std::unique_ptr<QTemporaryDir> m_home;
};

namespace
{

const QString driverScript = QStringLiteral(ONDAVOX_SOURCE_DIR "/tests/e2e/favourites_driver.py");

// Long addresses make every write long enough for a kill to land in it. The
// dialog's field takes at most 32767 characters.
QString longAddress(const QString &tag, int length)
{
    const QString start = QStringLiteral("http://127.0.0.1:9/%1/").arg(tag);
    return start + QString(length - start.size(), QLatin1Char('x'));
}

// A save is under way while the program holds a file of the user folder
// open: QSaveFile's temporary file, which on Linux has no name until it
// replaces the old one.
bool isWritingInto(qint64 pid, const QString &folder)
{
    const QString fds = QStringLiteral("/proc/%1/fd").arg(pid);
    const QStringList entries = QDir(fds).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    const QByteArray prefix = QFile::encodeName(folder) + '/';
    return std::any_of(entries.cbegin(), entries.cend(), [&](const QString &fd) {
        char target[4096];
        const ssize_t length
            = ::readlink(QFile::encodeName(fds + QLatin1Char('/') + fd).constData(), target, sizeof target);
        return length > 0 && QByteArray(target, length).startsWith(prefix);
    });
}

bool waitForWriting(qint64 pid, const QString &folder, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (isWritingInto(pid, folder))
            return true;
    }
    return false;
}

void childInItsOwnGroup()
{
    ::setpgid(0, 0);
}

} // namespace

void TestFavouritesE2e::initTestCase()
{
    QVERIFY(QFileInfo::exists(qEnvironmentVariable("ONDAVOX_BIN")));
    if (!QFileInfo::exists(QStringLiteral("/usr/libexec/at-spi-bus-launcher")))
        QSKIP("at-spi2-core is not installed");
    // A session bus of the test's own, with its own accessibility bus, so
    // that no other program's tree is in the way.
    m_bus.start(QStringLiteral("dbus-daemon"),
        { QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1") });
    QVERIFY2(m_bus.waitForStarted(), "dbus-daemon did not start");
    QVERIFY(m_bus.waitForReadyRead(5000));
    m_busAddress = QString::fromUtf8(m_bus.readLine()).trimmed();
    QVERIFY(!m_busAddress.isEmpty());

    m_accessibility = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_busAddress);
    // Its socket is named after the display: one of its own, beside any other.
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    m_accessibility->setProcessEnvironment(environment);
    m_accessibility->setChildProcessModifier(childInItsOwnGroup);
    m_accessibility->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_accessibility->start(
        QStringLiteral("/usr/libexec/at-spi-bus-launcher"), { QStringLiteral("--launch-immediately") });
    QVERIFY(m_accessibility->waitForStarted());
    QDBusConnection bus = QDBusConnection::connectToBus(m_busAddress, QStringLiteral("favourites-e2e"));
    QTRY_VERIFY_WITH_TIMEOUT(bus.interface()->isServiceRegistered(QStringLiteral("org.a11y.Bus")), 10000);
}

void TestFavouritesE2e::cleanupTestCase()
{
    QDBusConnection::disconnectFromBus(QStringLiteral("favourites-e2e"));
    if (m_accessibility && m_accessibility->state() != QProcess::NotRunning) {
        ::kill(-pid_t(m_accessibility->processId()), SIGTERM);
        m_accessibility->waitForFinished(3000);
    }
    m_bus.terminate();
    m_bus.waitForFinished();
}

void TestFavouritesE2e::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir().mkpath(userFolder()));
}

void TestFavouritesE2e::cleanup()
{
    ::chmod(QFile::encodeName(userFolder()).constData(), 0755);
    m_home.reset();
}

void TestFavouritesE2e::startProgram(Program &program, const QStringList &wrapper)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), m_home->path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home->filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home->filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_busAddress);
    environment.insert(QStringLiteral("ONDAVOX_MPV_AO"), QStringLiteral("null"));
    environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));

    program.ondavox = std::make_unique<QProcess>();
    program.ondavox->setProcessEnvironment(environment);
    // The browser engine's helpers go with the program.
    program.ondavox->setChildProcessModifier(childInItsOwnGroup);
    program.ondavox->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.ondavox->setStandardOutputFile(QProcess::nullDevice());
    QStringList command = wrapper;
    command.append(qEnvironmentVariable("ONDAVOX_BIN"));
    program.ondavox->start(command.takeFirst(), command);
    QVERIFY(program.ondavox->waitForStarted());

    // pyatspi belongs to the system's Python.
    program.driver = std::make_unique<QProcess>();
    program.driver->setProcessEnvironment(environment);
    program.driver->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.driver->start(QStringLiteral("/usr/bin/python3"), { driverScript });
    QVERIFY(program.driver->waitForStarted());
    QVERIFY(drive(program, QStringLiteral("wait-app")));
    QVERIFY(drive(program, QStringLiteral("show-favourites")));
}

void TestFavouritesE2e::stopProgram(Program &program)
{
    if (program.driver) {
        program.driver->kill();
        program.driver->waitForFinished();
    }
    if (program.ondavox && program.ondavox->state() != QProcess::NotRunning) {
        ::kill(-pid_t(program.ondavox->processId()), SIGKILL);
        program.ondavox->waitForFinished();
    }
    program = {};
}

bool TestFavouritesE2e::drive(Program &program, const QString &command, QString *answer)
{
    program.driver->write(command.toUtf8() + '\n');
    const QDeadlineTimer deadline(30000);
    while (!program.driver->canReadLine()) {
        if (deadline.hasExpired() || !program.driver->waitForReadyRead(int(deadline.remainingTime())))
            return false;
    }
    const QString line = QString::fromUtf8(program.driver->readLine()).trimmed();
    if (answer)
        *answer = line;
    if (line != QStringLiteral("ok"))
        qWarning("%s: %s", qPrintable(command), qPrintable(line));
    return line == QStringLiteral("ok");
}

QByteArray TestFavouritesE2e::fileBytes() const
{
    QFile file(favouritesPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray TestFavouritesE2e::bytesOf(const FavouritesRecord::Slots &slots)
{
    return TextFile::encode(FavouritesRecord::saveText(slots) + QStringLiteral("\r\n"));
}

void TestFavouritesE2e::writeStore(const FavouritesRecord::Slots &slots)
{
    QFile file(favouritesPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytesOf(slots));
}

void TestFavouritesE2e::killedWhileSavingLeavesAWholeFile()
{
    FavouritesRecord::Slots store;
    for (int i = 0; i < FavouritesRecord::slotCount; ++i)
        store.at(i)
            = { Favori::Type::Radio, longAddress(QString::number(i), 400000), QStringLiteral("Départ %1").arg(i) };
    writeStore(store);

    const quint32 seed = QRandomGenerator::global()->generate();
    qInfo("seed %u", seed);
    QRandomGenerator random(seed);
    int added = 0;
    constexpr int rounds = 12;
    for (int round = 0; round < rounds; ++round) {
        Program program;
        startProgram(program);
        if (QTest::currentTestFailed())
            return;
        // Every state the program's store went through this round; the file
        // must hold exactly one of them after the kill.
        QList<FavouritesRecord::Slots> states { store };
        const int steps = 1 + random.bounded(4);
        for (int step = 0; step < steps; ++step) {
            FavouritesRecord::Slots next = store;
            QString command;
            const std::optional<int> free = [&]() -> std::optional<int> {
                for (int i = 0; i < FavouritesRecord::slotCount; ++i) {
                    if (!store.at(i).isInUse())
                        return i;
                }
                return std::nullopt;
            }();
            if (!free || (*free > 0 && random.bounded(3) == 0)) {
                const int deleted = random.bounded(free.value_or(FavouritesRecord::slotCount));
                command = QStringLiteral("delete ") + store.at(deleted).nom;
                std::move(next.begin() + deleted + 1, next.end(), next.begin() + deleted);
                next.back() = Favori();
            } else {
                const QString nom = QStringLiteral("Ajoutée %1").arg(++added);
                next.at(*free) = { store.at(*free).type, longAddress(nom, 30000), nom };
                command = QStringLiteral("add %1\t%2").arg(nom, next.at(*free).url);
            }
            states.append(next);
            store = next;
            if (step + 1 < steps) {
                QVERIFY2(drive(program, command), qPrintable(command.left(60)));
                QCOMPARE(fileBytes(), bytesOf(store));
                continue;
            }
            // The program dies while it writes the last change.
            program.driver->write(command.toUtf8() + '\n');
            program.driver->waitForBytesWritten();
            const bool seen = waitForWriting(program.ondavox->processId(), userFolder(), 3000);
            const QDeadlineTimer killTime(random.bounded(seen ? 20 : 300));
            while (!killTime.hasExpired()) { }
            qInfo("round %d: %d changes, killed %s", round, steps, seen ? "while writing" : "at a random moment");
        }
        ::kill(pid_t(program.ondavox->processId()), SIGKILL);
        QVERIFY(program.ondavox->waitForFinished(5000));
        QCOMPARE(program.ondavox->exitStatus(), QProcess::CrashExit);
        stopProgram(program);

        const QByteArray file = fileBytes();
        const auto match = std::find_if(states.cbegin(), states.cend(), [&](const FavouritesRecord::Slots &state) {
            return bytesOf(state) == file;
        });
        QVERIFY2(match != states.cend(),
            qPrintable(QStringLiteral("round %1: the file (%2 bytes) is none of the %3 states the store had")
                           .arg(round)
                           .arg(file.size())
                           .arg(states.size())));
        qInfo("round %d: the file holds state %d of %d", round, int(match - states.cbegin()), int(states.size()));
        // The next round starts from what the file holds.
        store = *match;
    }
}

void TestFavouritesE2e::readOnlyFolderLosesNothing()
{
    FavouritesRecord::Slots store;
    store.at(0) = { Favori::Type::Radio, QStringLiteral("http://127.0.0.1:9/a"), QStringLiteral("Première") };
    store.at(1) = { Favori::Type::Tv, QStringLiteral("http://127.0.0.1:9/b"), QStringLiteral("Télé") };
    writeStore(store);
    const QByteArray before = fileBytes();

    QVERIFY(::chmod(QFile::encodeName(userFolder()).constData(), 0555) == 0);
    // Root writes anywhere: without the capability that lets it, the folder's
    // permissions hold for it as for anyone.
    QStringList wrapper;
    if (::geteuid() == 0)
        wrapper = { QStringLiteral("setpriv"), QStringLiteral("--bounding-set=-dac_override,-dac_read_search"), "--" };
    Program program;
    startProgram(program, wrapper);
    if (QTest::currentTestFailed())
        return;

    QVERIFY(drive(program, QStringLiteral("add Nouvelle\thttp://127.0.0.1:9/n")));
    store.at(2) = { Favori::Type::None, QStringLiteral("http://127.0.0.1:9/n"), QStringLiteral("Nouvelle") };
    // Several save periods go by: the previous file stays whole, and nothing
    // else is left in the folder.
    QTest::qWait(1500);
    QCOMPARE(fileBytes(), before);
    QCOMPARE(QDir(userFolder()).entryList(QDir::Files | QDir::Hidden), QStringList { "Favoris.log" });

    QVERIFY(::chmod(QFile::encodeName(userFolder()).constData(), 0755) == 0);
    QTRY_COMPARE_WITH_TIMEOUT(fileBytes(), bytesOf(store), 3000);

    ::kill(pid_t(program.ondavox->processId()), SIGTERM);
    QVERIFY(program.ondavox->waitForFinished(15000));
    QCOMPARE(program.ondavox->exitStatus(), QProcess::NormalExit);
    QCOMPARE(fileBytes(), bytesOf(store));
    stopProgram(program);
}

QTEST_GUILESS_MAIN(TestFavouritesE2e)
#include "tst_favourites_e2e.moc"
