#include "ui/playback/mediaplayer.h"
#include "ui/playback/playerkeys.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

// The player's keys in a window that holds it, as the main window does.
class TestPlayerKeys : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keysActOnThePlayer()
    {
        MediaPlayer player;
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *field = new QLineEdit(&window);
        layout->addWidget(field);
        layout->addWidget(player.widget());
        PlayerKeys keys(player, &window);
        QSignalSpy steps(&keys, &PlayerKeys::favouriteStepRequested);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        player.widget()->setFocus();

        const int volume = player.volume();
        QTest::keyClick(&window, Qt::Key_Up);
        QCOMPARE(player.volume(), volume + PlayerKeys::volumeStep);
        QTest::keyClick(&window, Qt::Key_Down);
        QTest::keyClick(&window, Qt::Key_Down);
        QCOMPARE(player.volume(), volume - PlayerKeys::volumeStep);
        QTest::keyClick(&window, Qt::Key_M);
        QVERIFY(player.isMuted());
        QTest::keyClick(&window, Qt::Key_Right, Qt::ControlModifier);
        QTest::keyClick(&window, Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(steps.size(), 2);
        QCOMPARE(steps.at(0).first().toInt(), 1);
        QCOMPARE(steps.at(1).first().toInt(), -1);

        // A text field keeps the letters typed into it.
        field->setFocus();
        QTest::keyClicks(field, QStringLiteral("fm"));
        QCOMPARE(field->text(), QStringLiteral("fm"));
        QVERIFY(player.isMuted());
        QVERIFY(!player.isFullScreen());

        // F both ways: the picture filling the screen is a window of its own.
        player.widget()->setFocus();
        QTest::keyClick(&window, Qt::Key_F);
        QVERIFY(player.isFullScreen());
        // The offscreen platform does not hand activation over by itself.
        QApplication::setActiveWindow(player.widget());
        QTRY_COMPARE(QApplication::activeWindow(), player.widget());
        QTest::keyClick(player.widget(), Qt::Key_M);
        QVERIFY(!player.isMuted());
        QTest::keyClick(player.widget(), Qt::Key_F);
        QVERIFY(!player.isFullScreen());
    }
};

QTEST_MAIN(TestPlayerKeys)
#include "tst_playerkeys.moc"
