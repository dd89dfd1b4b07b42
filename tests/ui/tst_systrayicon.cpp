#include "ui/systrayicon.h"

#include <QSignalSpy>
#include <QTest>
#include <QWidget>

class TestSystrayIcon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void onlyADoubleClickShowsTheWindow_data();
    void onlyADoubleClickShowsTheWindow();
    void hidingTwiceLeavesOneIcon();
};

void TestSystrayIcon::onlyADoubleClickShowsTheWindow_data()
{
    QTest::addColumn<QSystemTrayIcon::ActivationReason>("reason");
    QTest::addColumn<bool>("shows");
    QTest::newRow("single click") << QSystemTrayIcon::Trigger << false;
    QTest::newRow("double click") << QSystemTrayIcon::DoubleClick << true;
    QTest::newRow("middle click") << QSystemTrayIcon::MiddleClick << false;
    QTest::newRow("context menu") << QSystemTrayIcon::Context << false;
    QTest::newRow("unknown") << QSystemTrayIcon::Unknown << false;
}

void TestSystrayIcon::onlyADoubleClickShowsTheWindow()
{
    QFETCH(QSystemTrayIcon::ActivationReason, reason);
    QFETCH(bool, shows);

    QWidget window;
    window.show();
    SystrayIcon tray(&window);
    QSignalSpy shown(&tray, &SystrayIcon::windowShown);
    tray.CacheDansSystray();
    QVERIFY(!window.isVisible());

    Q_EMIT tray.icon()->activated(reason);
    QCOMPARE(window.isVisible(), shows);
    QCOMPARE(shown.count(), shows ? 1 : 0);
    QVERIFY(tray.isIconShown());
}

void TestSystrayIcon::hidingTwiceLeavesOneIcon()
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("Ondavox - France Inter"));
    window.show();
    SystrayIcon tray(&window);

    tray.CacheDansSystray();
    window.show();
    tray.CacheDansSystray();
    QVERIFY(!window.isVisible());
    QCOMPARE(tray.findChildren<QSystemTrayIcon *>().size(), 1);
    QVERIFY(tray.isIconShown());
    QCOMPARE(tray.icon()->toolTip(), QStringLiteral("Ondavox - France Inter"));

    tray.onActivated(QSystemTrayIcon::DoubleClick);
    QVERIFY(window.isVisible());
    QCOMPARE(tray.findChildren<QSystemTrayIcon *>().size(), 1);
}

QTEST_MAIN(TestSystrayIcon)
#include "tst_systrayicon.moc"
