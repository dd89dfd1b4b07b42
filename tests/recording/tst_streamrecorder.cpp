#include "core/playback/playbacksession.h"
#include "core/recording/streamrecorder.h"
#include "fakeengine.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace
{

const QString station = QStringLiteral("http://127.0.0.1:1/live");

// mpv's news of a live stream whose sound is coming out.
void streamPlays(FakeEngine &engine)
{
    engine.events().fileStarted();
    engine.events().fileLoaded();
    engine.events().playbackRestarted();
    engine.events().liveStreamKnown(true);
}

// What mpv would have written into the file it was given last.
void fileReceives(FakeEngine &engine)
{
    for (auto call = engine.calls.crbegin(); call != engine.calls.crend(); ++call) {
        if (call->startsWith(QLatin1String("record /"))) {
            QFile file(call->mid(7));
            QVERIFY(file.open(QIODevice::Append));
            file.write("data");
            return;
        }
    }
}

} // namespace

// The recorder follows what plays, through a stand-in for libmpv: mpv must
// never be left writing into a file that the next address, or the same
// address opened again, would replace.
class TestStreamRecorder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fileIsClosedBeforeWhatFollows_data();
    void fileIsClosedBeforeWhatFollows();
};

void TestStreamRecorder::fileIsClosedBeforeWhatFollows_data()
{
    QTest::addColumn<QString>("event");
    // Still recording afterwards; files made; failures told.
    QTest::addColumn<bool>("recording");
    QTest::addColumn<int>("files");
    QTest::addColumn<int>("failures");

    QTest::newRow("the user stops the radio") << "stop" << false << 1 << 0;
    QTest::newRow("another station") << "url" << false << 1 << 0;
    QTest::newRow("the stream drops and comes back") << "drop" << true << 2 << 0;
    QTest::newRow("the disk is full") << "full" << false << 1 << 1;
    // mpv holds what it records and writes it out as the file closes.
    QTest::newRow("the disk is full as the file closes") << "full at the end" << false << 1 << 1;
}

void TestStreamRecorder::fileIsClosedBeforeWhatFollows()
{
    QFETCH(QString, event);
    QFETCH(bool, recording);
    QFETCH(int, files);
    QFETCH(int, failures);

    PlaybackSession session;
    auto made = std::make_unique<FakeEngine>();
    FakeEngine &engine = *made;
    engine.codec = QStringLiteral("mp3");
    session.attachEngine(std::move(made));
    QTemporaryDir music;
    StreamRecorder recorder(session);
    recorder.setFolder(music.path());
    recorder.setStationName(QStringLiteral("Essai"));
    QSignalSpy failed(&recorder, &StreamRecorder::failed);

    QVERIFY(!recorder.canStart());
    session.setUrl(station);
    streamPlays(engine);
    QVERIFY2(recorder.canStart(), qPrintable(recorder.unavailableReason()));
    QVERIFY(recorder.start());
    fileReceives(engine);
    engine.calls.clear();

    if (event == QLatin1String("stop")) {
        session.stop();
    } else if (event == QLatin1String("url")) {
        session.setUrl(QStringLiteral("http://127.0.0.1:1/other"));
    } else if (event == QLatin1String("drop")) {
        engine.events().fileEnded(PlaybackStatus::EndReason::EndOfStream);
        QVERIFY(PlaybackStatus::isReconnecting(session.status()));
        QTRY_VERIFY_WITH_TIMEOUT(engine.calls.contains(QStringLiteral("load ") + station), 15000);
        streamPlays(engine);
        fileReceives(engine);
    } else if (event == QLatin1String("full")) {
        for (int i = 0; i < 3; ++i)
            engine.events().logMessage(QStringLiteral("recorder: Failed writing packet."));
    } else if (event == QLatin1String("full at the end")) {
        recorder.stop();
        engine.events().logMessage(QStringLiteral("recorder: Writing trailer failed."));
        engine.events().logMessage(QStringLiteral("recorder: Closing file failed"));
    }

    // The file was closed before mpv was given anything to open.
    const QString calls = engine.calls.join(QLatin1String(" | "));
    const qsizetype closed = engine.calls.indexOf(QStringLiteral("record "));
    QVERIFY2(closed >= 0, qPrintable(calls));
    for (qsizetype i = 0; i < closed; ++i)
        QVERIFY2(!engine.calls.at(i).startsWith(QLatin1String("load ")), qPrintable(calls));
    QCOMPARE(engine.calls.count(QStringLiteral("record ")), 1);
    QCOMPARE(recorder.isRecording(), recording);
    QCOMPARE(recorder.files().size(), files);
    QCOMPARE(failed.size(), failures);
    QCOMPARE(recorder.files().removeDuplicates(), 0);
    QCOMPARE(session.playbackState(),
        event == QLatin1String("stop") ? PlaybackSession::PlaybackState::Stopped
                                       : PlaybackSession::PlaybackState::Playing);
}

QTEST_GUILESS_MAIN(TestStreamRecorder)
#include "tst_streamrecorder.moc"
