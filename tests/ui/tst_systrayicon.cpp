#include "platform/desktop/systrayicon.h"

#include <QMenu>
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

// The icon in the notification area, once there is one.
QSystemTrayIcon *iconOf(const SystrayIcon &tray)
{
    return tray.findChild<QSystemTrayIcon *>();
}

bool iconShown(const SystrayIcon &tray)
{
    return iconOf(tray) && iconOf(tray)->isVisible();
}
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
    tray.CacheDansSystray();
    QVERIFY(!window.isVisible());

    Q_EMIT iconOf(tray)->activated(reason);
    QCOMPARE(window.isVisible(), shows);
    QVERIFY(iconShown(tray));
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
    QVERIFY(iconShown(tray));
    QCOMPARE(iconOf(tray)->toolTip(), QStringLiteral("Ondavox - France Inter"));

    Q_EMIT iconOf(tray)->activated(QSystemTrayIcon::DoubleClick);
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
    QVERIFY(!iconShown(tray));
}

void TestSystrayIcon::theIconOffersTheProgramsMenu()
{
    QWidget window;
    window.show();
    Tray tray(&window);
    // A menu given before the icon first shows is its menu.
    QMenu menu;
    tray.setMenu(&menu);
    QVERIFY(tray.CacheDansSystray());
    auto *icon = tray.findChild<QSystemTrayIcon *>();
    QVERIFY(icon);
    QCOMPARE(icon->contextMenu(), &menu);
}

QTEST_MAIN(TestSystrayIcon)
#include "tst_systrayicon.moc"
