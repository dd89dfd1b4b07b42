#include "ui/skin/wheelctl.h"
#include "ui/skin/wheelrouter.h"
#include "wheelturn.h"

#include <QListWidget>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>

namespace
{

// A window filled with a child that ignores wheel turns and a list that
// scrolls, so that Qt hands each turn to the native window, then to the child,
// then to the window widget again; or to the list, which forwards it to its
// scroll bar.
struct BrowserWindow : QWidget {
    BrowserWindow()
    {
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(new QWidget(this));
        auto *list = new QListWidget(this);
        for (int i = 0; i < 100; ++i)
            list->addItem(QString::number(i));
        layout->addWidget(list);
        resize(200, 150);
    }
    QListWidget *list() const { return findChild<QListWidget *>(); }
};

}

class TestWheelRouter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eachTurnReachesEachVisibleWindowOnce();
    void hiddenWindowsAndUnhookedControlsGetNothing();
    void turnOverAScrollingListIsRoutedOnce();
    void turnSentStraightToAWidgetIsRoutedOnce();
    void turnsInAnyWindowAreRouted();
    void sidewaysTurnsAreNotRouted();
    void controlGoneWithItsWindow();
};

void TestWheelRouter::eachTurnReachesEachVisibleWindowOnce()
{
    WheelRouter router;
    BrowserWindow radio;
    WheelCtl control(router, &radio);
    QSignalSpy rotations(&control, &WheelCtl::WheelRotate);
    radio.show();
    QVERIFY(QTest::qWaitForWindowExposed(&radio));
    const QPoint centre = radio.mapToGlobal(QPoint(100, 75));

    turnWheel(&radio, 120, 1000, centre);
    QCOMPARE(rotations.count(), 1);
    const QList<QVariant> first = rotations.takeFirst();
    QCOMPARE(first.at(0).toInt(), 120);
    QCOMPARE(first.at(1).toInt(), 0);
    QCOMPARE(first.at(2).toInt(), centre.x());
    QCOMPARE(first.at(3).toInt(), centre.y());

    // Two notches at the same place, even within one millisecond, are two
    // turns; the sign is the direction.
    turnWheel(&radio, -120, 1010, centre);
    turnWheel(&radio, -120, 1010, centre);
    QCOMPARE(rotations.count(), 2);
    QCOMPARE(rotations.at(0).at(0).toInt(), -120);
    QCOMPARE(rotations.at(1).at(0).toInt(), -120);
}

void TestWheelRouter::hiddenWindowsAndUnhookedControlsGetNothing()
{
    WheelRouter router;
    BrowserWindow radio;
    BrowserWindow tv;
    WheelCtl radioControl(router, &radio);
    WheelCtl tvControl(router, &tv);
    QSignalSpy radioRotations(&radioControl, &WheelCtl::WheelRotate);
    QSignalSpy tvRotations(&tvControl, &WheelCtl::WheelRotate);
    radio.show();
    QVERIFY(QTest::qWaitForWindowExposed(&radio));

    turnWheel(&radio, 120, 2000);
    QCOMPARE(radioRotations.count(), 1);
    QCOMPARE(tvRotations.count(), 0);

    tv.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tv));
    turnWheel(&radio, 120, 2100);
    QCOMPARE(radioRotations.count(), 2);
    QCOMPARE(tvRotations.count(), 1);

    radioControl.unHook();
    turnWheel(&tv, 120, 2200);
    QCOMPARE(radioRotations.count(), 2);
    QCOMPARE(tvRotations.count(), 2);

    radioControl.unHook();
    tv.hide();
    turnWheel(&radio, 120, 2300);
    QCOMPARE(radioRotations.count(), 2);
    QCOMPARE(tvRotations.count(), 2);
}

void TestWheelRouter::turnOverAScrollingListIsRoutedOnce()
{
    WheelRouter router;
    BrowserWindow tv;
    WheelCtl control(router, &tv);
    QSignalSpy rotations(&control, &WheelCtl::WheelRotate);
    tv.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tv));
    QListWidget *list = tv.list();
    const QPoint overList = list->viewport()->mapToGlobal(list->viewport()->rect().center());

    turnWheel(&tv, -120, 1500, overList);
    // The list itself still scrolls: the router only listens.
    QVERIFY(list->verticalScrollBar()->value() > 0);
    QCOMPARE(rotations.count(), 1);
}

void TestWheelRouter::turnSentStraightToAWidgetIsRoutedOnce()
{
    WheelRouter router;
    BrowserWindow radio;
    WheelCtl control(router, &radio);
    QSignalSpy rotations(&control, &WheelCtl::WheelRotate);
    radio.show();
    QVERIFY(QTest::qWaitForWindowExposed(&radio));
    QListWidget *list = radio.list();

    // Not through the native window, as a program (or a test) may send it:
    // the list forwards it to its scroll bar, which must not count again.
    QWheelEvent turn(QPointF(20, 20),
        list->viewport()->mapToGlobal(QPointF(20, 20)),
        QPoint(),
        QPoint(0, -120),
        Qt::NoButton,
        Qt::NoModifier,
        Qt::NoScrollPhase,
        false);
    QCoreApplication::sendEvent(list->viewport(), &turn);
    QCOMPARE(rotations.count(), 1);
    QCOMPARE(rotations.first().first().toInt(), -120);
}

void TestWheelRouter::turnsInAnyWindowAreRouted()
{
    WheelRouter router;
    BrowserWindow radio;
    BrowserWindow mainWindow;
    WheelCtl control(router, &radio);
    QSignalSpy rotations(&control, &WheelCtl::WheelRotate);
    radio.show();
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
    mainWindow.activateWindow();

    turnWheel(&mainWindow, 240, 3000);
    QCOMPARE(rotations.count(), 1);
    QCOMPARE(rotations.first().first().toInt(), 240);
}

void TestWheelRouter::sidewaysTurnsAreNotRouted()
{
    WheelRouter router;
    BrowserWindow radio;
    WheelCtl control(router, &radio);
    QSignalSpy rotations(&control, &WheelCtl::WheelRotate);
    radio.show();
    QVERIFY(QTest::qWaitForWindowExposed(&radio));

    QWheelEvent sideways(QPointF(50, 50),
        radio.mapToGlobal(QPointF(50, 50)),
        QPoint(),
        QPoint(120, 0),
        Qt::NoButton,
        Qt::NoModifier,
        Qt::NoScrollPhase,
        false);
    sideways.setTimestamp(4000);
    QSpontaneKeyEvent::setSpontaneous(&sideways);
    QCoreApplication::sendEvent(radio.windowHandle(), &sideways);
    QCOMPARE(rotations.count(), 0);
}

void TestWheelRouter::controlGoneWithItsWindow()
{
    WheelRouter router;
    BrowserWindow tv;
    tv.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tv));
    {
        // An unloaded browser window takes its control with it.
        BrowserWindow radio;
        auto *control = new WheelCtl(router, &radio);
        QSignalSpy radioRotations(control, &WheelCtl::WheelRotate);
        radio.show();
        QVERIFY(QTest::qWaitForWindowExposed(&radio));
        turnWheel(&radio, 120, 4000);
        QCOMPARE(radioRotations.count(), 1);
    }
    WheelCtl tvControl(router, &tv);
    QSignalSpy rotations(&tvControl, &WheelCtl::WheelRotate);
    turnWheel(&tv, 120, 5000);
    QCOMPARE(rotations.count(), 1);
}

QTEST_MAIN(TestWheelRouter)
#include "tst_wheelrouter.moc"
