#include "platform/desktop/systrayicon.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

namespace
{
// The logic under test, on a desktop with or without a notification area.
class Tray : public SystrayIcon
{
public:
    Tray(QWidget *window, bool available = true)
        : SystrayIcon(window)
        , m_available(available)
    {
    }

protected:
    bool isTrayAvailable() const override { return m_available; }

private:
    bool m_available;
};
}

class TestSystrayIcon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void onlyADoubleClickShowsTheWindow_data();
    void onlyADoubleClickShowsTheWindow();
    void hidingTwiceLeavesOneIcon();
    void withoutNotificationAreaTheWindowIsMinimised();
    void theIconOffersTheProgramsMenu();
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
    Tray tray(&window);
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
    Tray tray(&window);

    QVERIFY(tray.CacheDansSystray());
    window.show();
    QVERIFY(tray.CacheDansSystray());
    QVERIFY(!window.isVisible());
    QCOMPARE(tray.findChildren<QSystemTrayIcon *>().size(), 1);
    QVERIFY(tray.isIconShown());
    QCOMPARE(tray.icon()->toolTip(), QStringLiteral("Ondavox - France Inter"));

    tray.onActivated(QSystemTrayIcon::DoubleClick);
    QVERIFY(window.isVisible());
    QCOMPARE(tray.findChildren<QSystemTrayIcon *>().size(), 1);
}

void TestSystrayIcon::withoutNotificationAreaTheWindowIsMinimised()
{
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Tray tray(&window, false);

    QVERIFY(!tray.CacheDansSystray());
    QVERIFY(window.isVisible());
    QVERIFY(window.isMinimized());
    QVERIFY(!tray.isIconShown());
}

void TestSystrayIcon::theIconOffersTheProgramsMenu()
{
    QWidget window;
    window.show();
    Tray tray(&window);
    // Entries added before the icon first shows are in its menu.
    QAction *entry = tray.menu()->addAction(QStringLiteral("Annuaire des radios…"));
    QVERIFY(tray.CacheDansSystray());
    QCOMPARE(tray.icon()->contextMenu(), tray.menu());
    QVERIFY(tray.icon()->contextMenu()->actions().contains(entry));
}

QTEST_MAIN(TestSystrayIcon)
#include "tst_systrayicon.moc"
