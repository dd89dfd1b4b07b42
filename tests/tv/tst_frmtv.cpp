#include "cataloguetext.h"
#include "core/state/statestore.h"
#include "core/tv/editiondate.h"
#include "core/tv/foreignchannels.h"
#include "core/tv/newseditions.h"
#include "core/tv/tvfilter.h"
#include "fakecontrols.h"
#include "messageboxanswerer.h"
#include "ui/catalogue/pictureslot.h"
#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/kivcheckbox.h"
#include "ui/skin/kivcommand.h"
#include "ui/skin/wheelctl.h"
#include "ui/skin/wheelrouter.h"
#include "ui/tv/frmtv.h"
#include "wheelturn.h"

#include <QAccessible>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

namespace
{

const QString placeholder = QStringLiteral("\u00a4");

QString programmeName(int k)
{
    return QStringLiteral("Programme %1").arg(k);
}

} // namespace

class TestFrmTV : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void loadPresetsTheDayListsAndFillsLater_data();
    void loadPresetsTheDayListsAndFillsLater();
    void secondClickWithoutPassingOverTheWindowKeepsTheInfo();
    void keyboardPicksEverySlotAfresh();
    void datedEntryShowsItsDayLists();
    void launchHidesAndKeepsTheWindow();
    void playlistLaunchLeavesTheHourglass();
    void closeButtonUnloads();
    void nationalEditionUnloads();
    void searchButtonAsksForTheSearchAndUnloads();
    void regionalEditionFromTheRegionList();
    void basseNormandieKeepsTheWindowOpen();
    void foreignChannelList();
    void controlsAreReachableAndNamed();
    void catalogueTextShowsAsWritten();

private:
    void openWindow();
    PictureSlot *slotWidget(int index) const;
    QLabel *label(const char *name) const { return m_window->findChild<QLabel *>(QLatin1String(name)); }
    QWidget *control(const char *name) const { return m_window->findChild<QWidget *>(QLatin1String(name)); }
    void clickSlot(int index);
    void useCatalogue(const QStringList &records);

    QTemporaryDir m_folder;
    StateStore m_store;
    FakePlayer m_player;
    FakeBrowser m_browser;
    WheelRouter m_router;
    NewsEditions m_editions;
    ForeignChannels m_channels;
    QString m_catalogue;
    QPointer<frmTV> m_window;
};

void TestFrmTV::initTestCase()
{
    QVERIFY(m_folder.isValid());
    QVERIFY(QDir(m_folder.path()).mkpath(QStringLiteral("logos")));
    QString error;
    m_editions = NewsEditions::builtIn(&error).value();
    m_channels = ForeignChannels::builtIn(&error).value();
    QStringList lines { tvHeader };
    for (int k = 1; k <= 16; ++k) {
        QImage picture(78, 35, QImage::Format_RGB32);
        picture.fill(QColor::fromHsv(k * 20 % 360, 200, 200));
        QVERIFY(picture.save(m_folder.filePath(QStringLiteral("logos/tv%1.png").arg(k))));
    }
    lines.append(tvRecord(
        1, "TV-jt", NewsEditions::middayName, "http://127.0.0.1:8000/f3_" + placeholder + "JMA.wmv", {}, "oui"));
    lines.append(tvRecord(2, "TV-jt", programmeName(2)));
    lines.append(
        tvRecord(3, "TV-jt", programmeName(3), "http://127.0.0.1:8000/p3_" + placeholder + "BMJ.wmv", {}, "oui"));
    lines.append(tvRecord(
        4, "TV-divertissement", "Canal+ : Groland", "http://127.0.0.1:8000/g_" + placeholder + "JMA_a.wmv", {}, "m3u"));
    for (int k = 5; k <= 16; ++k)
        lines.append(tvRecord(k, "TV-divers", programmeName(k)));
    lines.append(QString());
    m_catalogue = catalogueText(lines);
    m_store.setChemin(m_folder.path());
    m_store.setUserFolder(m_folder.filePath(QStringLiteral("user")));
}

void TestFrmTV::init()
{
    m_store.setDataTV(m_catalogue);
    m_store.setCurl(QStringLiteral("http://127.0.0.1:8000/previous.mp3"));
    m_store.setLecture(QStringLiteral("Ondavox"));
    m_store.setRadioTv(QStringLiteral("RADIO"));
    m_player.setUrl(QStringLiteral("http://127.0.0.1:8000/previous.mp3"));
    m_player.urls.clear();
}

void TestFrmTV::cleanup()
{
    delete m_window;
}

void TestFrmTV::useCatalogue(const QStringList &records)
{
    m_store.setDataTV(catalogueText(QStringList { tvHeader } + records + QStringList { QString() }));
}

void TestFrmTV::openWindow()
{
    m_window = new frmTV(m_store, m_player, m_browser, m_router, m_editions, m_channels);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QTRY_VERIFY(slotWidget(0)->isVisible());
}

PictureSlot *TestFrmTV::slotWidget(int index) const
{
    return m_window->findChild<PictureSlot *>(QStringLiteral("Img%1").arg(index));
}

// A real click: the pointer arrives on the slot, then presses and releases.
void TestFrmTV::clickSlot(int index)
{
    QTest::mouseMove(slotWidget(index), QPoint(30, 20));
    QTest::mouseClick(slotWidget(index), Qt::LeftButton, {}, QPoint(30, 20));
}

void TestFrmTV::loadPresetsTheDayListsAndFillsLater_data()
{
    QTest::addColumn<int>("check3");
    QTest::newRow("today") << 0;
    QTest::newRow("yesterday") << 1;
}

void TestFrmTV::loadPresetsTheDayListsAndFillsLater()
{
    QFETCH(int, check3);
    Preferences preferences = m_store.preferences();
    preferences.check3 = check3;
    m_store.setPreferences(preferences);
    // Created hidden, as at start-up.
    m_window = new frmTV(m_store, m_player, m_browser, m_router, m_editions, m_channels);
    const DateListPositions expected = CalcDate(QDate::currentDate(), check3);
    QCOMPARE(m_window->findChild<QComboBox *>(QStringLiteral("Jour"))->currentIndex(), expected.Jour);
    QCOMPARE(m_window->findChild<QComboBox *>(QStringLiteral("Mois"))->currentIndex(), expected.Mois);
    QCOMPARE(m_window->findChild<QComboBox *>(QStringLiteral("Mois"))->count(), 12);
    QCOMPARE(m_window->findChild<QComboBox *>(QStringLiteral("Mois"))->itemText(7), QStringLiteral("Août"));
    QCOMPARE(m_window->findChild<QComboBox *>(QStringLiteral("Jour"))->itemText(30), QStringLiteral("31"));
    QCOMPARE(slotWidget(0)->accessibleName(), QString());
    QTRY_COMPARE(slotWidget(11)->accessibleName(), programmeName(12));

    // Its wheel control is hooked from the start: once shown, a turn steps the page.
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    turnWheel(m_window, -120, 1000, m_window->mapToGlobal(QPoint(10, 10)));
    QTRY_COMPARE(slotWidget(0)->accessibleName(), programmeName(5));
}

void TestFrmTV::secondClickWithoutPassingOverTheWindowKeepsTheInfo()
{
    openWindow();
    clickSlot(0);
    QCOMPARE(label("LblNom")->text(), NewsEditions::middayName);
    QVERIFY(!control("BtnLancer")->isVisible());
    // Straight onto the next picture: the info stays, "Lancer" shows.
    clickSlot(1);
    QCOMPARE(label("LblNom")->text(), NewsEditions::middayName);
    QVERIFY(control("Jour")->isVisible());
    QVERIFY(control("BtnLancer")->isVisible());

    // Over the gap between two pictures: the window's own surface.
    const QPoint gap = slotWidget(2)->geometry().topRight() + QPoint(5, 10);
    QTest::mouseMove(slotWidget(2)->parentWidget(), gap);
    clickSlot(2);
    QCOMPARE(label("LblNom")->text(), programmeName(3));
    QVERIFY(control("Jour")->isVisible());
}

void TestFrmTV::keyboardPicksEverySlotAfresh()
{
    openWindow();
    slotWidget(4)->setFocus(Qt::TabFocusReason);
    // Reaching a slot shows nothing yet: a TV slot shows its entry when pressed.
    QCOMPARE(label("LblNom")->text(), QString());
    QTest::keyClick(slotWidget(4), Qt::Key_Return);
    QCOMPARE(label("LblNom")->text(), programmeName(5));
    slotWidget(5)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(slotWidget(5), Qt::Key_Space);
    QCOMPARE(label("LblNom")->text(), programmeName(6));
    QVERIFY(m_window->isVisible());
}

void TestFrmTV::datedEntryShowsItsDayLists()
{
    openWindow();
    QVERIFY(!control("Jour")->isVisible());
    clickSlot(2);
    QVERIFY(control("Jour")->isVisible());
    QVERIFY(control("Mois")->isVisible());
    QVERIFY(control("LabelDate")->isVisible());
    QVERIFY(control("BtnLancer")->isVisible());
    QVERIFY(!control("BoutonNat")->isVisible());
    // The picture at its own size, centred in the panel (3580 twips wide).
    auto *imageOne = label("ImageOne");
    QCOMPARE(imageOne->size(), QSize(78, 35));
    const int panelLeft = m_window->content()->mapTo(m_window, imageOne->pos()).x() - 81;
    QCOMPARE(panelLeft, label("LblInfos")->mapTo(m_window, QPoint()).x());
    QCOMPARE(imageOne->accessibleName(), programmeName(3));
}

void TestFrmTV::launchHidesAndKeepsTheWindow()
{
    openWindow();
    auto *mois = m_window->findChild<QComboBox *>(QStringLiteral("Mois"));
    auto *jour = m_window->findChild<QComboBox *>(QStringLiteral("Jour"));
    mois->setCurrentIndex(11);
    jour->setCurrentIndex(4);
    clickSlot(2);
    QTest::mouseClick(control("BtnLancer"), Qt::LeftButton);
    const QString year = QString::number(QDate::currentDate().year());
    QCOMPARE(m_player.urls, QStringList { "http://127.0.0.1:8000/p3_" + year + "1205.wmv" });
    QCOMPARE(m_store.curl(), "*http://127.0.0.1:8000/p3_" + year + "1205.wmv");
    QCOMPARE(m_store.lecture(), programmeName(3));
    QVERIFY(m_window);
    QVERIFY(!m_window->isVisible());

    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QCOMPARE(label("LblNom")->text(), programmeName(3));
    QCOMPARE(mois->currentIndex(), 11);
}

void TestFrmTV::playlistLaunchLeavesTheHourglass()
{
    openWindow();
    clickSlot(3);
    QCOMPARE(label("LblNom")->text(), QStringLiteral("Canal+ : Groland"));
    QTest::mouseClick(control("BtnLancer"), Qt::LeftButton);
    QCOMPARE(m_player.urls, QStringList { m_store.userPath(QStringLiteral("Fractionné.m3u")) });
    QVERIFY(!m_window->isVisible());
    // Until the toolbar shows the window again.
    QCOMPARE(m_window->cursor().shape(), Qt::WaitCursor);
}

void TestFrmTV::closeButtonUnloads()
{
    openWindow();
    QTest::mouseClick(m_window->findChild<ImageButtonPair *>(QStringLiteral("Image1")), Qt::LeftButton);
    QCOMPARE(slotWidget(0)->accessibleName(), programmeName(5));
    m_window->findChild<KivCheckBox *>(QStringLiteral("CheckEtrangeres"))->click();
    QPointer<WheelCtl> wheel = m_window->findChild<WheelCtl *>();
    ImageButtonPair *close = m_window->closePair();
    close->hideNormalImage();
    QTest::mouseClick(close, Qt::LeftButton);
    QTRY_VERIFY(!m_window);
    QVERIFY(!wheel); // gone with the window, and off the router
    QVERIFY(m_player.urls.isEmpty());

    // Loaded afresh: the first row, the boxes as at load, no foreign list.
    openWindow();
    QCOMPARE(slotWidget(0)->accessibleName(), NewsEditions::middayName);
    const std::pair<TvFilter::Box, const char *> boxes[] = { { TvFilter::Box::Toutes, "CheckToutes" },
        { TvFilter::Box::JT, "CheckJT" },
        { TvFilter::Box::Meteo, "CheckMeteo" },
        { TvFilter::Box::Clips, "CheckClips" },
        { TvFilter::Box::Divertissements, "CheckDivertissements" },
        { TvFilter::Box::Divers, "CheckDivers" },
        { TvFilter::Box::EtrangeresF, "CheckEtrangeresF" },
        { TvFilter::Box::Etrangeres, "CheckEtrangeres" } };
    const TvFilter atLoad;
    for (const auto &[box, name] : boxes)
        QCOMPARE(m_window->findChild<KivCheckBox *>(QLatin1String(name))->value() == 1, atLoad.value(box));
    QVERIFY(!control("AutresChaines")->isVisible());
}

void TestFrmTV::nationalEditionUnloads()
{
    openWindow();
    clickSlot(0);
    QVERIFY(control("BoutonNat")->isVisible());
    QVERIFY(control("BoutonReg")->isVisible());
    QVERIFY(control("LblLocal")->isVisible());
    QVERIFY(!control("BtnLancer")->isVisible());
    QTest::mouseClick(control("BoutonNat"), Qt::LeftButton);
    QCOMPARE(m_player.urls.size(), 1);
    QVERIFY(m_player.urls.first().startsWith(m_editions.StreamBase + "siege/infos/f3/1214/HD_1214_"));
    QCOMPARE(m_store.lecture(), NewsEditions::middayName);
    QTRY_VERIFY(!m_window);
}

void TestFrmTV::searchButtonAsksForTheSearchAndUnloads()
{
    openWindow();
    QSignalSpy search(m_window.data(), &frmTV::searchRequested);
    QTest::mouseClick(control("KivCommand1"), Qt::LeftButton);
    QCOMPARE(search.size(), 1);
    QTRY_VERIFY(!m_window);
    QVERIFY(m_player.urls.isEmpty());
}

void TestFrmTV::regionalEditionFromTheRegionList()
{
    openWindow();
    clickSlot(0);
    auto *region = m_window->findChild<QComboBox *>(QStringLiteral("region"));
    QVERIFY(!region->isVisible());
    QTest::mouseClick(control("BoutonReg"), Qt::LeftButton);
    QVERIFY(region->isVisible());
    QCOMPARE(region->count(), 24);
    QCOMPARE(region->currentIndex(), -1);
    QCOMPARE(region->placeholderText(), QStringLiteral("Votre région..."));
    // Picking with the keyboard: the first region.
    region->setFocus();
    QTest::keyClick(region, Qt::Key_Down);
    QCOMPARE(m_player.urls.size(), 1);
    QVERIFY(m_player.urls.first().contains(QStringLiteral("grenoble_midipile_")));
    QCOMPARE(m_store.curl(), QStringLiteral("PAS_FAVORIS"));
    QCOMPARE(m_store.lecture(), QStringLiteral("Edition Régionnale - Fr3"));
    QVERIFY(!m_window->isVisible());
}

void TestFrmTV::basseNormandieKeepsTheWindowOpen()
{
    openWindow();
    clickSlot(0);
    QTest::mouseClick(control("BoutonReg"), Qt::LeftButton);
    MessageBoxAnswerer answerer;
    Q_EMIT m_window->findChild<QComboBox *>(QStringLiteral("region"))->activated(4);
    QCOMPARE(answerer.messages.size(), 1);
    QCOMPARE(answerer.messages.first().title, QStringLiteral("Ondavox"));
    QCOMPARE(answerer.messages.first().text,
        QStringLiteral("L'édition de basse Normandie n'est pour l'instant pas disponible"));
    QCOMPARE(answerer.messages.first().buttons, 1);
    QVERIFY(m_window->isVisible());
    QVERIFY(m_player.urls.isEmpty());
    QCOMPARE(m_store.lecture(), QStringLiteral("Ondavox"));
}

void TestFrmTV::foreignChannelList()
{
    openWindow();
    auto *list = m_window->findChild<QComboBox *>(QStringLiteral("AutresChaines"));
    QVERIFY(!list->isVisible());
    m_window->findChild<KivCheckBox *>(QStringLiteral("CheckEtrangeres"))->click();
    QVERIFY(list->isVisible());
    QVERIFY(!control("BtnLancer")->isVisible());
    for (const char *box : { "CheckToutes", "CheckJT", "CheckDivers", "CheckEtrangeresF" })
        QCOMPARE(m_window->findChild<KivCheckBox *>(QLatin1String(box))->value(), 0);
    QCOMPARE(list->count(), 47);
    QCOMPARE(list->placeholderText(), QStringLiteral("Veuillez sélectionner une chaine."));
    QCOMPARE(list->itemText(17), QStringLiteral("City Cable 5  (USA)"));

    // The arrows do nothing under the list.
    QTest::mouseClick(m_window->findChild<ImageButtonPair *>(QStringLiteral("Image1")), Qt::LeftButton);
    QCOMPARE(slotWidget(0)->accessibleName(), NewsEditions::middayName);

    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(m_player.urls, (QStringList { QString(), m_channels.channels.at(0).address }));
    QCOMPARE(m_store.lecture(), QStringLiteral("Bloomberg Allemagne"));
    QCOMPARE(m_store.radioTv(), QStringLiteral("TV"));
    QVERIFY(!m_window->isVisible());

    // Ticking "Divers" takes the list away again.
    m_window->show();
    m_window->findChild<KivCheckBox *>(QStringLiteral("CheckDivers"))->click();
    QVERIFY(!list->isVisible());
}

void TestFrmTV::controlsAreReachableAndNamed()
{
    openWindow();
    clickSlot(0);
    QTest::mouseClick(control("BoutonReg"), Qt::LeftButton);
    for (const char *name : { "CheckToutes",
             "CheckEtrangeres",
             "Jour",
             "Mois",
             "region",
             "BoutonNat",
             "BoutonReg",
             "KivCommand1",
             "Img0",
             "Image1",
             "Image2" }) {
        QWidget *widget = control(name);
        QVERIFY2(widget, name);
        QVERIFY2(widget->focusPolicy() & Qt::TabFocus, name);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY2(accessible && !accessible->text(QAccessible::Name).isEmpty(), name);
    }
    QCOMPARE(QAccessible::queryAccessibleInterface(slotWidget(0))->text(QAccessible::Name), NewsEditions::middayName);
    // Enter presses the buttons, as a click does.
    control("BoutonNat")->setFocus();
    QTest::keyClick(control("BoutonNat"), Qt::Key_Return);
    QTRY_VERIFY(!m_window);
}

void TestFrmTV::catalogueTextShowsAsWritten()
{
    const QString name = QStringLiteral("<b>Rock</b>");
    const QString information = QStringLiteral("<i>Concerts</i> &amp; clips");
    useCatalogue({ tvRecord(1, "TV-clip", name, {}, {}, {}, information) });
    openWindow();
    QCOMPARE(QAccessible::queryAccessibleInterface(slotWidget(0))->text(QAccessible::Name), name);
    QTextDocument tip;
    tip.setHtml(slotWidget(0)->toolTip());
    QCOMPARE(tip.toPlainText(), name);
    clickSlot(0);
    QCOMPARE(label("LblNom")->text(), name);
    QCOMPARE(QAccessible::queryAccessibleInterface(label("LblNom"))->text(QAccessible::Name), name);
    QCOMPARE(QAccessible::queryAccessibleInterface(label("LblInfos"))->text(QAccessible::Name), information);
    QCOMPARE(label("ImageOne")->accessibleName(), name);
}

QTEST_MAIN(TestFrmTV)
#include "tst_frmtv.moc"
