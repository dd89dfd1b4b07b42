#include "cataloguetext.h"
#include "core/catalogue/radiobrowser.h"
#include "core/state/statestore.h"
#include "fakecontrols.h"
#include "ui/catalogue/autre.h"
#include "ui/catalogue/pictureslot.h"
#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/kivcheckbox.h"
#include "ui/skin/wheelctl.h"
#include "ui/skin/wheelrouter.h"
#include "urlcatcher.h"
#include "wheelturn.h"

#include <QAccessible>
#include <QDesktopServices>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QUrl>

namespace
{

constexpr int stationCount = 30;

QString stationName(int k)
{
    return QStringLiteral("Station %1").arg(k);
}

QString stationAddress(int k)
{
    return QStringLiteral("http://127.0.0.1:8000/station%1.mp3").arg(k);
}

} // namespace

class TestAutre : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void clickPlaysTheEntryTheInfoPanelShows();
    void clickBeforeAnyHoverGivesEmptyAddressAndName();
    void keyboardLaunchPlaysTheFocusedSlot();
    void showingAgainKeepsTheRow();
    void closeButtonUnloadsAndSetsRadio();
    void filterBoxRefillsThePage();
    void wheelStepsThePage();
    void agrandirOpensTheRadiosPage();
    void directoryButtonSitsClearOfEveryControl();
    void slotsExposeTheStationName();
    void catalogueTextShowsAsWritten();

private:
    void openWindow();
    PictureSlot *slotWidget(int index) const;
    void hover(int index, int station);

    QTemporaryDir m_folder;
    StateStore m_store;
    FakePlayer m_player;
    FakeBrowser m_browser;
    WheelRouter m_router;
    QPointer<Autre> m_window;
};

void TestAutre::initTestCase()
{
    QVERIFY(m_folder.isValid());
    QVERIFY(QDir(m_folder.path()).mkpath(QStringLiteral("logos")));
    QStringList lines { radioHeader };
    for (int k = 1; k <= stationCount; ++k) {
        QImage picture(78, 35, QImage::Format_RGB32);
        picture.fill(QColor::fromHsv(k * 12 % 360, 200, 200));
        QVERIFY(picture.save(m_folder.filePath(QStringLiteral("logos/s%1.png").arg(k))));
        lines.append(QStringLiteral("%1*radio*128*%2*%3*\\logos\\s%1.png*Jazz**")
                         .arg(QString::number(k), stationName(k), stationAddress(k)));
    }
    lines.append(QString());
    m_store.setChemin(m_folder.path());
    m_store.setData(catalogueText(lines));
}

void TestAutre::init()
{
    m_store.setCurl(QStringLiteral("http://127.0.0.1:8000/previous.mp3"));
    m_store.setLecture(QStringLiteral("Ondavox"));
    m_store.setRadioTv(QStringLiteral("TV"));
    m_player.urls.clear();
    m_player.urlPictures.clear();
    m_browser.setVisible(true);
    m_player.setVisible(false);
}

void TestAutre::cleanup()
{
    delete m_window;
}

void TestAutre::openWindow()
{
    m_window = new Autre(m_store, m_player, m_browser, m_router);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    // The first fill comes 100 ms after the window loads.
    QTRY_VERIFY(slotWidget(0)->isVisible());
}

PictureSlot *TestAutre::slotWidget(int index) const
{
    return m_window->findChild<PictureSlot *>(QStringLiteral("Img%1").arg(index));
}

// Moves the mouse onto a slot, which shows the station it holds.
void TestAutre::hover(int index, int station)
{
    QTest::mouseMove(slotWidget(index), QPoint(20, 10));
    QTRY_COMPARE(m_window->findChild<QLabel *>(QStringLiteral("LblNom"))->text(), stationName(station));
}

void TestAutre::clickPlaysTheEntryTheInfoPanelShows()
{
    openWindow();
    hover(4, 5);
    QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("LblInfos"))->text(), QStringLiteral("Jazz"));
    QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("LblLangue"))->text(), QStringLiteral("Français"));
    QTest::mouseClick(slotWidget(4), Qt::LeftButton, {}, QPoint(20, 10));

    QCOMPARE(m_player.urls, QStringList { stationAddress(5) });
    // With the station's picture, for the player's face.
    QCOMPARE(m_player.urlPictures, QStringList { m_folder.filePath(QStringLiteral("logos/s5.png")) });
    QCOMPARE(m_store.lecture(), stationName(5));
    QVERIFY(m_player.isVisible());
    QVERIFY(!m_browser.isVisible());
    QCOMPARE(m_store.radioTv(), QStringLiteral("RADIO"));
    // The refresh button keeps replaying what the previous launcher set.
    QCOMPARE(m_store.curl(), QStringLiteral("http://127.0.0.1:8000/previous.mp3"));
    QVERIFY(m_window);
    QVERIFY(!m_window->isVisible());
}

void TestAutre::clickBeforeAnyHoverGivesEmptyAddressAndName()
{
    openWindow();
    QTest::mouseClick(slotWidget(0), Qt::LeftButton, {}, QPoint(20, 10));
    QCOMPARE(m_player.urls, QStringList { QString() });
    QCOMPARE(m_store.lecture(), QString());
    QCOMPARE(m_store.radioTv(), QStringLiteral("RADIO"));
    QVERIFY(!m_window->isVisible());
}

void TestAutre::keyboardLaunchPlaysTheFocusedSlot()
{
    openWindow();
    hover(0, 1);
    // Reaching a slot with the keyboard shows it, so Enter plays what the
    // panel shows, as a click does.
    slotWidget(7)->setFocus(Qt::TabFocusReason);
    QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("LblNom"))->text(), stationName(8));
    QTest::keyClick(slotWidget(7), Qt::Key_Return);
    QCOMPARE(m_player.urls, QStringList { stationAddress(8) });
    QCOMPARE(m_store.lecture(), stationName(8));
}

void TestAutre::showingAgainKeepsTheRow()
{
    openWindow();
    QTest::mouseClick(m_window->findChild<ImageButtonPair *>(QStringLiteral("Image1")), Qt::LeftButton);
    QCOMPARE(slotWidget(0)->accessibleName(), stationName(7));
    m_window->findChild<KivCheckBox *>(QStringLiteral("CheckInfo"))->click();
    QTRY_COMPARE(slotWidget(0)->accessibleName(), stationName(1)); // refilled at the top
    QTest::mouseClick(m_window->findChild<ImageButtonPair *>(QStringLiteral("Image1")), Qt::LeftButton);
    hover(9, 16);
    QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("LblNom"))->text(), stationName(16));
    QTest::mouseClick(slotWidget(9), Qt::LeftButton, {}, QPoint(20, 10));
    QVERIFY(!m_window->isVisible());

    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QTest::qWait(150); // longer than the first fill's delay: no fill runs
    QCOMPARE(slotWidget(0)->accessibleName(), stationName(7));
    QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("Boule"))->mapTo(m_window, QPoint()).y(),
        RadioBrowser::BouleMiddle);
    QCOMPARE(m_window->findChild<KivCheckBox *>(QStringLiteral("CheckInfo"))->value(), 1);
    QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("LblNom"))->text(), stationName(16));
}

void TestAutre::closeButtonUnloadsAndSetsRadio()
{
    openWindow();
    ImageButtonPair *close = m_window->closePair();
    close->hideNormalImage(); // as hovering it does: the image beneath answers clicks
    QTest::mouseClick(close, Qt::LeftButton);
    QCOMPARE(m_store.radioTv(), QStringLiteral("RADIO"));
    QVERIFY(m_player.urls.isEmpty());
    QTRY_VERIFY(!m_window); // deleted, so that the next showing loads afresh

    openWindow();
    QCOMPARE(slotWidget(0)->accessibleName(), stationName(1));
    const std::pair<RadioFilter::Box, const char *> boxes[] = { { RadioFilter::Box::Toutes, "CheckToutes" },
        { RadioFilter::Box::Info, "CheckInfo" },
        { RadioFilter::Box::Music, "CheckMusic" },
        { RadioFilter::Box::EtrangeresF, "CheckEtrangeresF" },
        { RadioFilter::Box::Etrangeres, "CheckEtrangeres" } };
    const RadioFilter atLoad;
    for (const auto &[box, name] : boxes)
        QCOMPARE(m_window->findChild<KivCheckBox *>(QLatin1String(name))->value() == 1, atLoad.value(box));
}

void TestAutre::filterBoxRefillsThePage()
{
    openWindow();
    auto *toutes = m_window->findChild<KivCheckBox *>(QStringLiteral("CheckToutes"));
    QCOMPARE(toutes->value(), 1);
    toutes->click();
    QCOMPARE(toutes->value(), 0);
    QTRY_VERIFY(!slotWidget(0)->isVisible());
    auto *music = m_window->findChild<KivCheckBox *>(QStringLiteral("CheckMusic"));
    QTest::keyClick(music, Qt::Key_Space);
    QCOMPARE(music->value(), 1);
    QTRY_VERIFY(slotWidget(23)->isVisible());
}

void TestAutre::wheelStepsThePage()
{
    openWindow();
    const QPoint over = m_window->mapToGlobal(QPoint(10, 10));
    turnWheel(m_window, -120, 1000, over);
    QTRY_COMPARE(slotWidget(0)->accessibleName(), stationName(7));
    turnWheel(m_window, 120, 1100, over);
    QTRY_COMPARE(slotWidget(0)->accessibleName(), stationName(1));
}

void TestAutre::agrandirOpensTheRadiosPage()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    openWindow();
    QTest::mouseClick(m_window->findChild<QWidget *>(QStringLiteral("Label6")), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(catcher.urls, QList<QUrl> { QUrl(QStringLiteral(ONDAVOX_SITE_URL "/radios.php")) });
    QVERIFY(m_window->isVisible());
}

void TestAutre::directoryButtonSitsClearOfEveryControl()
{
    openWindow();
    auto *button = m_window->findChild<QPushButton *>(QStringLiteral("Annuaire"));
    QVERIFY(button);
    QVERIFY(button->isVisible());
    QVERIFY(m_window->rect().contains(QRect(button->mapTo(m_window, QPoint()), button->size())));
    const QRect place(button->mapTo(m_window, QPoint()), button->size());
    for (QWidget *other : m_window->findChildren<QWidget *>()) {
        if (other == button || !other->isVisible() || other->isWindow() || other->isAncestorOf(button)
            || button->isAncestorOf(other))
            continue;
        // Its parents hold it; its neighbours must not lie under it.
        if (other->parentWidget() != button->parentWidget())
            continue;
        const QRect taken(other->mapTo(m_window, QPoint()), other->size());
        QVERIFY2(!taken.intersects(place),
            qPrintable(other->objectName() + QLatin1Char(' ') + other->metaObject()->className()));
    }
    QSignalSpy requested(m_window.data(), &Autre::annuaireRequested);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(requested.size(), 1);
}

void TestAutre::slotsExposeTheStationName()
{
    openWindow();
    QAccessibleInterface *slot = QAccessible::queryAccessibleInterface(slotWidget(3));
    QVERIFY(slot);
    QCOMPARE(slot->text(QAccessible::Name), stationName(4));
    QCOMPARE(slot->role(), QAccessible::Button);
    // Pressing the slot through assistive technology plays that slot's station.
    QVERIFY(slot->actionInterface());
    slot->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(m_player.urls, QStringList { stationAddress(4) });
}

void TestAutre::catalogueTextShowsAsWritten()
{
    const QString name = QStringLiteral("<b>Rock</b>");
    const QString information = QStringLiteral("<i>Guitares</i> &amp; basses");
    const QString catalogue = m_store.data();
    m_store.setData(catalogueText({ radioHeader,
        QStringLiteral("1*radio*128*%1*http://127.0.0.1:8000/rock.mp3*\\logos\\s1.png*%2**").arg(name, information),
        QString() }));
    // Every lookup reads the text again: the other tests' catalogue comes back last.
    const auto restore = qScopeGuard([this, catalogue] {
        m_store.setData(catalogue);
    });
    openWindow();

    PictureSlot *slot = slotWidget(0);
    QCOMPARE(QAccessible::queryAccessibleInterface(slot)->text(QAccessible::Name), name);
    // What the tooltip shows, whatever form Qt is handed it in.
    QTextDocument tip;
    tip.setHtml(slot->toolTip());
    QCOMPARE(tip.toPlainText(), name);

    QTest::mouseMove(slot, QPoint(20, 10));
    auto *lblNom = m_window->findChild<QLabel *>(QStringLiteral("LblNom"));
    QTRY_COMPARE(lblNom->text(), name);
    // A label that took the text for markup would show, and expose, "Rock".
    QCOMPARE(QAccessible::queryAccessibleInterface(lblNom)->text(QAccessible::Name), name);
    auto *lblInfos = m_window->findChild<QLabel *>(QStringLiteral("LblInfos"));
    QCOMPARE(QAccessible::queryAccessibleInterface(lblInfos)->text(QAccessible::Name), information);
}

QTEST_MAIN(TestAutre)
#include "tst_autre.moc"
