#include "core/playback/sleeptimer.h"
#include "fakecontrols.h"

#include <QTest>

using namespace std::chrono_literals;

// What the user notices of the sleep timer when it is changed during its fade:
// the volume must never stay where the fade left it.
class TestSleepTimer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void changeDuringFadeGivesTheVolumeBack_data()
    {
        QTest::addColumn<bool>("newChoice");
        QTest::newRow("Désactiver") << false;
        QTest::newRow("another duration") << true;
    }

    void changeDuringFadeGivesTheVolumeBack()
    {
        QFETCH(bool, newChoice);
        FakePlayer player;
        player.setUrl(QStringLiteral("http://127.0.0.1:1/live"));
        player.setVolume(80);
        SleepTimer timer(player);
        timer.setFadeLength(10s);
        timer.start(9s);
        QTRY_VERIFY(player.volume() < 70);
        if (newChoice)
            timer.startMinutes(15);
        else
            timer.cancel();
        QCOMPARE(player.volume(), 80);
        QCOMPARE(timer.isActive(), newChoice);
        QCOMPARE(timer.chosenMinutes(), newChoice ? 15 : 0);
        QCOMPARE(player.playbackState(), PlayerControl::PlaybackState::Playing);
    }
};

QTEST_GUILESS_MAIN(TestSleepTimer)
#include "tst_sleeptimer.moc"
