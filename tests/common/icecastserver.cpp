#include "icecastserver.h"

#include "processes.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QThread>
#include <QUrl>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

const QString mountName = QStringLiteral("/live.mp3");
const QString sourcePassword = QStringLiteral("ondavox-source");
const QString adminPassword = QStringLiteral("ondavox-admin");
const QString serviceUser = QStringLiteral("icecast2");

// One HTTP/1.0 request on a blocking socket; the status code, or 0.
int httpStatus(quint16 port, const QByteArray &request, QByteArray *body = nullptr)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(2000))
        return 0;
    socket.write(request);
    QByteArray answer;
    QDeadlineTimer deadline(3000);
    while (!answer.contains("\r\n") && !deadline.hasExpired() && socket.waitForReadyRead(int(deadline.remainingTime())))
        answer += socket.readAll();
    if (body) {
        while (socket.waitForReadyRead(500))
            answer += socket.readAll();
        *body = answer;
    }
    const QList<QByteArray> statusLine = answer.left(answer.indexOf("\r\n")).split(' ');
    return statusLine.size() >= 2 ? statusLine.at(1).toInt() : 0;
}

} // namespace

IcecastServer::IcecastServer() = default;

IcecastServer::~IcecastServer()
{
    stop();
}

QString IcecastServer::missingTools()
{
    if (QStandardPaths::findExecutable(QStringLiteral("icecast2")).isEmpty())
        return QStringLiteral("icecast2 is not installed");
    if (QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty())
        return QStringLiteral("ffmpeg is not installed");
    return {};
}

bool IcecastServer::start(QString *error)
{
    const auto fail = [this, error](const QString &reason) {
        if (error)
            *error = reason;
        stop();
        return false;
    };
    if (!m_folder.isValid())
        return fail(QStringLiteral("no temporary folder"));
    const QString folder = m_folder.path();
    const QString logFolder = folder + QStringLiteral("/log");
    const QString config = folder + QStringLiteral("/icecast.xml");
    const QString tone = folder + QStringLiteral("/tone.mp3");

    QString reason;
    if (!TestProcesses::makeTone(tone, 10, &reason))
        return fail(reason);

    // Held until icecast listens on it, so that no suite running beside this
    // one is handed the same port meanwhile. A restart keeps its port.
    if (m_port == 0) {
        m_reservation = std::make_unique<TestProcesses::ReservedPort>();
        m_port = m_reservation->port();
        if (m_port == 0)
            return fail(QStringLiteral("no loopback port to reserve"));
    }
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write %1").arg(config));
    file.write(QStringLiteral(R"(<icecast>
  <location>loopback</location>
  <admin>test@localhost</admin>
  <limits><clients>50</clients><sources>2</sources><burst-size>65536</burst-size></limits>
  <authentication>
    <source-password>%1</source-password>
    <admin-user>admin</admin-user>
    <admin-password>%2</admin-password>
  </authentication>
  <hostname>127.0.0.1</hostname>
  <listen-socket><port>%3</port><bind-address>127.0.0.1</bind-address></listen-socket>
  <paths>
    <basedir>/usr/share/icecast2</basedir>
    <logdir>%4</logdir>
    <webroot>/usr/share/icecast2/web</webroot>
    <adminroot>/usr/share/icecast2/admin</adminroot>
  </paths>
  <logging><accesslog>access.log</accesslog><errorlog>error.log</errorlog><loglevel>2</loglevel></logging>
</icecast>
)")
                   .arg(sourcePassword, adminPassword, QString::number(m_port), logFolder)
                   .toUtf8());
    file.close();

    QStringList command { QStringLiteral("icecast2"), QStringLiteral("-c"), config };
    if (::geteuid() == 0) {
        // icecast refuses to run as root: it runs as its own user, which must
        // be able to read the configuration and write the logs.
        const passwd *user = ::getpwnam(serviceUser.toLocal8Bit().constData());
        if (!user)
            return fail(QStringLiteral("no %1 user").arg(serviceUser));
        if (!QDir().mkpath(logFolder) || ::chown(logFolder.toLocal8Bit().constData(), user->pw_uid, user->pw_gid) != 0
            || ::chown(folder.toLocal8Bit().constData(), user->pw_uid, user->pw_gid) != 0
            || ::chmod(folder.toLocal8Bit().constData(), 0755) != 0
            || ::chmod(config.toLocal8Bit().constData(), 0644) != 0)
            return fail(QStringLiteral("cannot hand %1 to %2").arg(folder, serviceUser));
        command = QStringList { QStringLiteral("-u"), serviceUser, QStringLiteral("--") } + command;
        m_server = TestProcesses::startGroup(QStringLiteral("runuser"), command, &reason);
    } else {
        QDir().mkpath(logFolder);
        m_server = TestProcesses::startGroup(command.takeFirst(), command, &reason);
    }
    if (!m_server)
        return fail(reason);

    // The server takes a moment to listen; the source retries until it does.
    const QString target
        = QStringLiteral("icecast://source:%1@127.0.0.1:%2%3").arg(sourcePassword, QString::number(m_port), mountName);
    const QStringList sourceArguments { QStringLiteral("-hide_banner"),
        QStringLiteral("-loglevel"),
        QStringLiteral("error"),
        QStringLiteral("-re"),
        QStringLiteral("-stream_loop"),
        QStringLiteral("-1"),
        QStringLiteral("-i"),
        tone,
        QStringLiteral("-c"),
        QStringLiteral("copy"),
        QStringLiteral("-content_type"),
        QStringLiteral("audio/mpeg"),
        QStringLiteral("-f"),
        QStringLiteral("mp3"),
        target };
    QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired()) {
        if (m_server->state() == QProcess::NotRunning)
            return fail(QStringLiteral("icecast2 stopped at once (see %1)").arg(logFolder));
        if (!m_source || m_source->state() == QProcess::NotRunning) {
            if (m_source)
                TestProcesses::stopGroup(m_source);
            QThread::msleep(200);
            m_source = TestProcesses::startGroup(QStringLiteral("ffmpeg"), sourceArguments, &reason);
            if (!m_source)
                return fail(reason);
        }
        if (mountAnswers()) {
            m_reservation.reset();
            return true;
        }
        QThread::msleep(100);
    }
    return fail(QStringLiteral("the mount %1 did not come up on port %2").arg(mountName).arg(m_port));
}

void IcecastServer::stop()
{
    m_reservation.reset();
    TestProcesses::stopGroup(m_source);
    TestProcesses::stopGroup(m_server);
}

void IcecastServer::stopSource()
{
    TestProcesses::stopGroup(m_source);
}

QString IcecastServer::streamUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(mountName);
}

bool IcecastServer::mountAnswers() const
{
    const QByteArray request = "GET " + mountName.toUtf8() + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
    return httpStatus(m_port, request) == 200;
}

int IcecastServer::listenerCount() const
{
    const QByteArray credentials = QByteArray("admin:" + adminPassword.toUtf8()).toBase64();
    const QByteArray request
        = "GET /admin/stats HTTP/1.0\r\nHost: 127.0.0.1\r\nAuthorization: Basic " + credentials + "\r\n\r\n";
    QByteArray answer;
    if (httpStatus(m_port, request, &answer) != 200)
        return -1;
    const qsizetype source = answer.indexOf("<source mount=\"" + mountName.toUtf8() + "\"");
    const qsizetype start = answer.indexOf("<listeners>", source);
    const qsizetype end = answer.indexOf("</listeners>", start);
    if (source < 0 || start < 0 || end < 0)
        return -1;
    return answer.mid(start + 11, end - start - 11).toInt();
}

bool IcecastServer::setTitle(const QString &title, QString *error)
{
    const QByteArray query = "mount=" + QUrl::toPercentEncoding(mountName)
        + "&mode=updinfo&charset=UTF-8&song=" + QUrl::toPercentEncoding(title);
    const QByteArray credentials = QByteArray("admin:" + adminPassword.toUtf8()).toBase64();
    const QByteArray request = "GET /admin/metadata?" + query + " HTTP/1.0\r\nHost: 127.0.0.1\r\nAuthorization: Basic "
        + credentials + "\r\n\r\n";
    QByteArray answer;
    const int status = httpStatus(m_port, request, &answer);
    if (status == 200)
        return true;
    if (error)
        *error = QStringLiteral("metadata update answered %1: %2").arg(status).arg(QString::fromUtf8(answer));
    return false;
}
