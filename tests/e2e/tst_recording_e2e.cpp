#include "core/recording/recordingname.h"
#include "core/recording/streamrecorder.h"
#include "icecastserver.h"
#include "testplayer.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace
{

struct Probe {
    QString codec;
    double seconds = 0;
    QString error;
};

// What ffprobe reads in a recorded file: its audio codec and how long it plays.
Probe probe(const QString &path)
{
    QProcess ffprobe;
    ffprobe.start(QStringLiteral("ffprobe"),
        { QStringLiteral("-v"),
            QStringLiteral("error"),
            QStringLiteral("-show_entries"),
            QStringLiteral("stream=codec_name:format=duration"),
            QStringLiteral("-of"),
            QStringLiteral("default=noprint_wrappers=1"),
            path });
    Probe result;
    if (!ffprobe.waitForFinished(30000) || ffprobe.exitCode() != 0) {
        result.error = QString::fromLocal8Bit(ffprobe.readAllStandardError());
        return result;
    }
    for (const QByteArray &line : ffprobe.readAllStandardOutput().split('\n')) {
        if (line.startsWith("codec_name="))
            result.codec = QString::fromUtf8(line.mid(11));
        else if (line.startsWith("duration="))
            result.seconds = line.mid(9).toDouble();
    }
    // Decoding it to the end says whether it is whole.
    QProcess decode;
    decode.start(QStringLiteral("ffmpeg"),
        { QStringLiteral("-v"),
            QStringLiteral("error"),
            QStringLiteral("-i"),
            path,
            QStringLiteral("-f"),
            QStringLiteral("null"),
            QStringLiteral("-") });
    if (!decode.waitForFinished(30000) || decode.exitCode() != 0)
        result.error = QString::fromLocal8Bit(decode.readAllStandardError());
    return result;
}

// mpv writes a recording out when it closes, on a thread of its own: the
// file is there once it has a size that no longer changes.
bool written(const QString &path)
{
    static QHash<QString, qint64> seen;
    const qint64 size = QFileInfo(path).size();
    const bool steady = size > 0 && seen.value(path, -1) == size;
    seen.insert(path, size);
    return steady;
}

QString titlesOf(const QString &recording)
{
    QFile file(RecordingName::titlesFileName(recording));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

// Recording a live stream of a real icecast2 on 127.0.0.1, through the real
// player with null outputs: the files play, at the stream's own codec, and
// say which titles were heard when.
class TestRecordingE2e : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void recordingKeepsTheStreamAndItsTitles();
    void dropGoesOnInANewFile();
    void unwritableFolderIsSaidOnceAndTheRadioPlaysOn();

private:
    bool playStation(IcecastServer &icecast, MediaPlayer &player, const QString &title);
};

void TestRecordingE2e::initTestCase()
{
    const QString missing = IcecastServer::missingTools();
    if (!missing.isEmpty())
        QSKIP(qPrintable(missing));
}

bool TestRecordingE2e::playStation(IcecastServer &icecast, MediaPlayer &player, const QString &title)
{
    QString error;
    if (!icecast.start(&error)) {
        qWarning("%s", qPrintable(error));
        return false;
    }
    player.setUrl(icecast.streamUrl());
    if (!icecast.setTitle(title, &error)) {
        qWarning("%s", qPrintable(error));
        return false;
    }
    [&] {
        QTRY_COMPARE_WITH_TIMEOUT(player.session().streamTitle(), title, 20000);
    }();
    return player.session().streamTitle() == title;
}

void TestRecordingE2e::recordingKeepsTheStreamAndItsTitles()
{
    IcecastServer icecast;
    auto player = makeTestPlayer();
    QVERIFY(player);
    QVERIFY(playStation(icecast, *player, QStringLiteral("Premier titre")));
    QTemporaryDir music;
    StreamRecorder recorder(player->session());
    recorder.setFolder(music.filePath(QStringLiteral("Ondavox")));
    recorder.setStationName(QStringLiteral("Radio d'essai : Jazz/Blues"));
    QVERIFY2(recorder.canStart(), qPrintable(recorder.unavailableReason()));
    QVERIFY(recorder.start());

    QTRY_VERIFY_WITH_TIMEOUT(recorder.elapsedMs() >= 5000, 10000);
    QString error;
    QVERIFY2(icecast.setTitle(QStringLiteral("Second titre"), &error), qPrintable(error));
    QTRY_COMPARE_WITH_TIMEOUT(player->session().streamTitle(), QStringLiteral("Second titre"), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(recorder.elapsedMs() >= 10000, 15000);
    recorder.stop();
    QVERIFY(player->status().startsWith(QStringLiteral("Lecture")));

    QCOMPARE(recorder.files().size(), 1);
    const QString file = recorder.files().first();
    QTRY_VERIFY_WITH_TIMEOUT(written(file), 10000);
    QVERIFY2(file.endsWith(QStringLiteral(".mp3")), qPrintable(file));
    QVERIFY2(QFileInfo(file).fileName().startsWith(QStringLiteral("Radio d'essai - Jazz-Blues ")), qPrintable(file));
    const Probe probed = probe(file);
    QVERIFY2(probed.error.isEmpty(), qPrintable(probed.error));
    QCOMPARE(probed.codec, QStringLiteral("mp3"));
    QVERIFY2(probed.seconds >= 9, qPrintable(QString::number(probed.seconds)));
    const QStringList titles = titlesOf(file).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(titles.size(), 2);
    QCOMPARE(titles.at(0), QStringLiteral("0:00:00  Premier titre"));
    QVERIFY2(
        titles.at(1).endsWith(QStringLiteral("  Second titre")) && !titles.at(1).startsWith(QStringLiteral("0:00:00")),
        qPrintable(titles.at(1)));
}

void TestRecordingE2e::dropGoesOnInANewFile()
{
    IcecastServer icecast;
    auto player = makeTestPlayer();
    QVERIFY(player);
    QVERIFY(playStation(icecast, *player, QStringLiteral("Avant")));
    QTemporaryDir music;
    StreamRecorder recorder(player->session());
    recorder.setFolder(music.path());
    recorder.setStationName(QStringLiteral("Coupure"));
    QVERIFY(recorder.start());
    QTRY_VERIFY_WITH_TIMEOUT(recorder.elapsedMs() >= 4000, 10000);

    icecast.stop();
    QTRY_VERIFY_WITH_TIMEOUT(PlaybackStatus::isReconnecting(player->status()), 20000);
    QVERIFY(recorder.isRecording());
    QString error;
    QVERIFY2(icecast.start(&error), qPrintable(error));
    QTRY_COMPARE_WITH_TIMEOUT(player->status(), PlaybackStatus::playing, 30000);
    QTRY_COMPARE_WITH_TIMEOUT(recorder.files().size(), 2, 5000);
    const qint64 back = recorder.elapsedMs();
    QTRY_VERIFY_WITH_TIMEOUT(recorder.elapsedMs() >= back + 4000, 10000);
    recorder.stop();

    // The part before the drop was not replaced by the part after it.
    for (const QString &file : recorder.files()) {
        QTRY_VERIFY_WITH_TIMEOUT(written(file), 10000);
        const Probe probed = probe(file);
        QVERIFY2(probed.error.isEmpty(), qPrintable(file + QLatin1Char(' ') + probed.error));
        QCOMPARE(probed.codec, QStringLiteral("mp3"));
        QVERIFY2(probed.seconds >= 3, qPrintable(file + QLatin1Char(' ') + QString::number(probed.seconds)));
    }
}

void TestRecordingE2e::unwritableFolderIsSaidOnceAndTheRadioPlaysOn()
{
    IcecastServer icecast;
    auto player = makeTestPlayer();
    QVERIFY(player);
    QVERIFY(playStation(icecast, *player, QStringLiteral("Titre")));
    // A file where the folder should be: no one, root included, makes a folder there.
    QTemporaryDir music;
    QFile blocker(music.filePath(QStringLiteral("Ondavox")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    StreamRecorder recorder(player->session());
    recorder.setFolder(blocker.fileName());
    QSignalSpy failed(&recorder, &StreamRecorder::failed);
    QVERIFY(!recorder.start());
    QCOMPARE(failed.size(), 1);
    QVERIFY2(
        failed.first().first().toString().contains(blocker.fileName()), qPrintable(failed.first().first().toString()));
    QVERIFY(!recorder.isRecording());
    QVERIFY(recorder.files().isEmpty());
    QCOMPARE(player->status(), PlaybackStatus::playing);
}

QTEST_MAIN(TestRecordingE2e)
#include "tst_recording_e2e.moc"
