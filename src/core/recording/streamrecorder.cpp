#include "core/recording/streamrecorder.h"

#include "core/playback/playbacksession.h"
#include "core/recording/recordingname.h"
#include "core/state/textfile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace
{

// mpv's messages about the file it records into: it could not create it,
// write a piece, write its end or close it ("Failed writing packet.",
// "Writing trailer failed.", "Closing file failed").
bool isRecorderFailure(const QString &line)
{
    return line.startsWith(QLatin1String("recorder: ")) && line.contains(QLatin1String("fail"), Qt::CaseInsensitive);
}

} // namespace

StreamRecorder::StreamRecorder(PlaybackSession &session, QObject *parent)
    : QObject(parent)
    , m_session(session)
{
    m_tick.setInterval(1000);
    connect(&m_tick, &QTimer::timeout, this, [this] {
        Q_EMIT elapsedChanged(elapsedMs());
    });
    connect(&session, &PlaybackSession::statusChanged, this, &StreamRecorder::onStatusChanged);
    connect(&session, &PlaybackSession::playbackStarted, this, &StreamRecorder::onPlaybackStarted);
    connect(&session, &PlaybackSession::streamTitleChanged, this, &StreamRecorder::onTitleChanged);
    connect(&session, &PlaybackSession::engineMessage, this, &StreamRecorder::onEngineMessage);
    connect(&session, &PlaybackSession::engineArrived, this, &StreamRecorder::availabilityChanged);
    connect(&session, &PlaybackSession::videoShownChanged, this, [this](bool shown) {
        m_videoShown = shown;
        Q_EMIT availabilityChanged();
    });
    // The recording is of the station that played: another one ends it
    // before the engine opens the new address.
    connect(&session, &PlaybackSession::urlChanged, this, [this] {
        stop();
        Q_EMIT availabilityChanged();
    });
}

StreamRecorder::~StreamRecorder()
{
    stop();
}

void StreamRecorder::setPageShown(bool shown)
{
    if (shown == m_pageShown)
        return;
    m_pageShown = shown;
    if (shown)
        stop();
    Q_EMIT availabilityChanged();
}

QString StreamRecorder::unavailableReason() const
{
    if (m_pageShown)
        return QStringLiteral("Une page web ne s'enregistre pas : seul le son d'une radio peut l'être");
    if (m_videoShown)
        return QStringLiteral("Une vidéo ne s'enregistre pas : seul le son d'une radio peut l'être");
    // Before its first sound, the stream's codec is not known yet.
    if (!m_session.engine() || m_session.playbackState() == PlaybackSession::PlaybackState::Stopped
        || m_session.status() == PlaybackStatus::connecting)
        return QStringLiteral("Rien à enregistrer : écoutez d'abord une radio");
    return QString();
}

bool StreamRecorder::start()
{
    if (m_recording || !canStart())
        return m_recording;
    m_failed = false;
    m_files.clear();
    m_recording = true;
    m_clock.start();
    if (!openFile()) {
        m_recording = false;
        return false;
    }
    m_tick.start();
    Q_EMIT recordingChanged(true);
    Q_EMIT elapsedChanged(0);
    return true;
}

void StreamRecorder::stop()
{
    if (!m_recording)
        return;
    closeFile();
    m_recording = false;
    m_tick.stop();
    Q_EMIT recordingChanged(false);
}

void StreamRecorder::toggle()
{
    if (m_recording)
        stop();
    else
        start();
}

bool StreamRecorder::openFile()
{
    MpvEngine *engine = m_session.engine();
    const QString name = RecordingName::fileName(
        m_station, QDateTime::currentDateTime(), RecordingName::extensionFor(engine->audioCodec()));
    const QString path = RecordingName::unusedPath(QDir(m_folder).filePath(name));
    // mpv opens its file only when the first piece arrives, and then says
    // no more than that it failed: a folder that refuses it is found here,
    // where it can be named.
    QFile probe(path);
    if (!QDir().mkpath(m_folder) || !probe.open(QIODevice::WriteOnly)) {
        fail(QStringLiteral("L'enregistrement est impossible : le dossier %1 n'accepte pas de nouveau fichier. "
                            "La radio continue.")
                 .arg(QDir::toNativeSeparators(m_folder)));
        return false;
    }
    probe.close();
    m_files.append(path);
    m_titles = TitleList();
    m_fileClock.start();
    m_titles.add(0, m_session.streamTitle());
    if (!writeTitles()) {
        QFile::remove(path);
        m_files.removeLast();
        fail(QStringLiteral("L'enregistrement est impossible : le disque qui contient %1 est plein. La radio continue.")
                 .arg(QDir::toNativeSeparators(m_folder)));
        return false;
    }
    engine->setStreamRecord(path);
    m_fileOpen = true;
    return true;
}

void StreamRecorder::closeFile()
{
    if (!m_fileOpen)
        return;
    m_fileOpen = false;
    if (MpvEngine *engine = m_session.engine())
        engine->setStreamRecord(QString());
}

bool StreamRecorder::writeTitles()
{
    return TextFile::writeBytes(RecordingName::titlesFileName(m_files.constLast()), m_titles.text().toUtf8());
}

void StreamRecorder::fail(const QString &message)
{
    stop();
    if (m_failed)
        return;
    m_failed = true;
    Q_EMIT failed(message);
}

void StreamRecorder::onStatusChanged()
{
    Q_EMIT availabilityChanged();
    if (!m_recording)
        return;
    if (PlaybackStatus::isReconnecting(m_session.status())) {
        // mpv would open the same file again when the stream comes back, and
        // replace it: what was recorded is closed now, whole.
        closeFile();
        return;
    }
    if (m_session.playbackState() == PlaybackSession::PlaybackState::Stopped)
        stop();
}

void StreamRecorder::onPlaybackStarted()
{
    if (m_recording && !m_fileOpen && canStart())
        openFile();
}

void StreamRecorder::onTitleChanged(const QString &title)
{
    if (!m_fileOpen)
        return;
    const qsizetype before = m_titles.size();
    m_titles.add(m_fileClock.elapsed(), title);
    if (m_titles.size() != before && !writeTitles())
        fail(QStringLiteral("L'enregistrement s'est arrêté : le fichier %1 ne peut plus être écrit (disque plein ?). "
                            "Ce qui est enregistré reste lisible, et la radio continue.")
                 .arg(QDir::toNativeSeparators(RecordingName::titlesFileName(m_files.constLast()))));
}

void StreamRecorder::onEngineMessage(const QString &line)
{
    // mpv keeps what it records and writes it out as the file closes: the
    // news of a full disk may come after the recording has ended.
    if (m_files.isEmpty() || m_failed || !isRecorderFailure(line))
        return;
    fail(QStringLiteral("L'enregistrement n'a pas pu être écrit en entier dans %1 (disque plein ?). "
                        "Ce qui est écrit reste lisible, et la radio continue.")
             .arg(QDir::toNativeSeparators(m_files.constLast())));
}
