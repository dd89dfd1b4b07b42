#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/keepontop.h"
#include "ui/skin/sizingframe.h"
#include "ui/skin/skinnedwindow.h"
#include "ui/skin/twips.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

class TestSkinnedWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void draggingTheTitleMovesTheWindow_data();
    void draggingTheTitleMovesTheWindow();
    void passingOverTheTitleMovesNothing();
    void bareSurfaceShowsTheCloseImageAgain();
    void edgesUnderTheMouse_data();
    void edgesUnderTheMouse();
    void sizingFrameResizesOnlyWhenOn();
    void keepOnTopKeepsPlaceAndSize();
    void twipsConvertWithoutLosingAMinimum_data();
    void twipsConvertWithoutLosingAMinimum();
};

namespace
{
void showAt(SkinnedWindow &window, QPoint position)
{
    window.setTitle(QStringLiteral("RECHERCHE..."));
    window.resize(300, 160);
    window.move(position);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}
}

void TestSkinnedWindow::draggingTheTitleMovesTheWindow_data()
{
    QTest::addColumn<bool>("byLabel");
    QTest::newRow("title strip") << false;
    QTest::newRow("title label") << true;
}

void TestSkinnedWindow::draggingTheTitleMovesTheWindow()
{
    QFETCH(bool, byLabel);
    SkinnedWindow window;
    showAt(window, QPoint(100, 100));
    const QPoint start = window.pos();
    QWidget *area = byLabel ? static_cast<QWidget *>(window.titleLabel()) : window.titleStrip();
    const QPoint grab = byLabel ? QPoint(5, area->height() / 2) : QPoint(area->width() / 2, area->height() / 2);

    QTest::mousePress(area, Qt::LeftButton, {}, grab);
    QTest::mouseMove(area, grab + QPoint(30, 20));
    QTest::mouseMove(area, grab + QPoint(10, 5));
    QTest::mouseRelease(area, Qt::LeftButton, {}, grab);

    QTRY_COMPARE(window.pos(), start + QPoint(40, 25));
}

void TestSkinnedWindow::passingOverTheTitleMovesNothing()
{
    SkinnedWindow window;
    showAt(window, QPoint(120, 90));
    const QPoint start = window.pos();
    QSignalSpy stripMoves(&window, &SkinnedWindow::titleStripMouseMove);

    QTest::mouseMove(window.titleStrip(), QPoint(40, 8));
    QTest::mouseMove(window.titleStrip(), QPoint(90, 10));
    QTRY_VERIFY(stripMoves.count() >= 1);
    QCOMPARE(window.pos(), start);
}

void TestSkinnedWindow::bareSurfaceShowsTheCloseImageAgain()
{
    SkinnedWindow window;
    showAt(window, QPoint(50, 50));
    ImageButtonPair *close = window.closePair();
    // Without a tooltip: on the offscreen platform a tooltip sits under the
    // pointer for ten seconds and takes the next enter.
    close->setToolTips(QString(), QString());
    QSignalSpy formMoves(&window, &SkinnedWindow::formMouseMove);

    // What the pair shows, as drawn.
    const QImage normalImage = close->grab().toImage();
    QTest::mouseMove(close, QPoint(5, 5));
    QTRY_VERIFY(close->grab().toImage() != normalImage);
    QTest::mouseMove(window.content(), QPoint(100, 60));
    QTRY_COMPARE(close->grab().toImage(), normalImage);
    QVERIFY(formMoves.count() >= 1);

    QTest::mouseMove(close, QPoint(5, 5));
    QTRY_VERIFY(close->grab().toImage() != normalImage);
    QTest::mouseMove(window.titleStrip(), QPoint(60, 8));
    QTRY_COMPARE(close->grab().toImage(), normalImage);
}

void TestSkinnedWindow::edgesUnderTheMouse_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<Qt::Edges>("edges");
    // In a window of 200 x 100 pixels.
    QTest::newRow("inside") << QPoint(100, 50) << Qt::Edges();
    QTest::newRow("left") << QPoint(0, 50) << Qt::Edges(Qt::LeftEdge);
    QTest::newRow("right") << QPoint(199, 50) << Qt::Edges(Qt::RightEdge);
    QTest::newRow("top") << QPoint(100, 4) << Qt::Edges(Qt::TopEdge);
    QTest::newRow("just inside the band") << QPoint(100, 5) << Qt::Edges();
    QTest::newRow("bottom") << QPoint(100, 97) << Qt::Edges(Qt::BottomEdge);
    QTest::newRow("top left") << QPoint(2, 2) << (Qt::LeftEdge | Qt::TopEdge);
    QTest::newRow("bottom right") << QPoint(198, 99) << (Qt::RightEdge | Qt::BottomEdge);
    QTest::newRow("outside") << QPoint(-1, 50) << Qt::Edges();
    QTest::newRow("beyond the right") << QPoint(200, 50) << Qt::Edges();
}

void TestSkinnedWindow::edgesUnderTheMouse()
{
    QFETCH(QPoint, pos);
    QFETCH(Qt::Edges, edges);
    QCOMPARE(SizingFrame::edgesAt(pos, QSize(200, 100)), edges);
}

void TestSkinnedWindow::sizingFrameResizesOnlyWhenOn()
{
    SkinnedWindow window;
    showAt(window, QPoint(200, 200));
    const QRect start = window.geometry();
    QWidget *edgeWidget = window.content();
    const QPoint nearRight(edgeWidget->width() - 2, edgeWidget->height() / 2);
    const auto dragRightEdge = [&] {
        QTest::mousePress(edgeWidget, Qt::LeftButton, {}, nearRight);
        QTest::mouseMove(edgeWidget, nearRight + QPoint(40, 0));
        QTest::mouseRelease(edgeWidget, Qt::LeftButton, {}, nearRight + QPoint(40, 0));
    };

    QVERIFY(!window.hasSizingFrame());
    dragRightEdge();
    QCOMPARE(window.geometry(), start);

    window.setSizingFrame(true);
    dragRightEdge();
    QTRY_COMPARE(window.width(), start.width() + 40);
    QCOMPARE(window.pos(), start.topLeft());
    QCOMPARE(window.height(), start.height());
}

void TestSkinnedWindow::keepOnTopKeepsPlaceAndSize()
{
    SkinnedWindow window;
    showAt(window, QPoint(150, 120));
    window.resize(420, 260);
    const QRect before = window.geometry();

    KeepOnTop::apply(&window);
    QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(window.isVisible());
    QCOMPARE(window.geometry(), before);

    // A second request changes nothing but the stacking.
    KeepOnTop::apply(&window);
    QCOMPARE(window.geometry(), before);
}

void TestSkinnedWindow::twipsConvertWithoutLosingAMinimum_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("main window minimum width") << 4900 << 327;
    QTest::newRow("main window minimum height") << 2090 << 140;
    QTest::newRow("search window") << 12000 << 800;
    QTest::newRow("one twip") << 1 << 1;
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("negative") << -30 << -2;
}

void TestSkinnedWindow::twipsConvertWithoutLosingAMinimum()
{
    QFETCH(int, twips);
    QFETCH(int, pixels);
    QCOMPARE(Twips::toPixels(twips), pixels);
    if (twips >= 0)
        QVERIFY(Twips::fromPixels(Twips::toPixels(twips)) >= twips);
}

QTEST_MAIN(TestSkinnedWindow)
#include "tst_skinnedwindow.moc"
