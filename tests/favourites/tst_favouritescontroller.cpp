#include "core/favourites/favouritescontroller.h"
#include "core/favourites/favouritesstore.h"
#include "core/state/statestore.h"
#include "core/state/textfile.h"
#include "favouritesfixture.h"

#include <QSignalSpy>
#include <QTest>

namespace
{

const QString freeGroup = QStringLiteral(" ***");

QString radioGroup(int i)
{
    return QStringLiteral("Radio*http://h/%1*Station %1*").arg(i);
}

} // namespace

class TestFavouritesController : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void creationShowsTheLoadedSlots();
    void emptyListNoticeComesWithTheFirstRefresh();
    void freeRowDoesNothing();
    void playingAFavourite_data();
    void playingAFavourite();
    void deletingTheOnlyFavouriteShowsTheNoticeWithinASecond();
    void deletingOneOfThirteenHidesTheSeparatorAtOnce_data();
    void deletingOneOfThirteenHidesTheSeparatorAtOnce();
    void deletingTheLastSlotWaitsForTheRefresh();
    void addButtonIsEnabledWithin200msOfTheFirstLaunch();
    void addButtonEnabledWhenSomethingWasPlayedBefore();
    void watcherEmptiesTheModeWord_data();
    void watcherEmptiesTheModeWord();
    void firstLaunchKeepsItsModeWord_data();
    void firstLaunchKeepsItsModeWord();

    void fullStoreRefusesBothPaths();
    void additionAfterADeletionTakesTheFirstFreeSlot();
    void addingThePlayingStream_data();
    void addingThePlayingStream();
    void webModeIsRefusedWithAStreamLoaded();
    void datedProgrammeIsStoredWithoutItsMark();
    void dialogAddition_data();
    void dialogAddition();
    void dialogNamelessSlotStaysFreeButIsWritten();
    void refusedCharacters_data();
    void refusedCharacters();
    void thirteenthAdditionShowsTheSeparator();
    void failedWriteIsSaidOnce();

private:
    void writeFavourites(int count);
    void create();
    int deleteControlsShown() const;
    // The playback watcher runs no more: with nothing named as played and a
    // player that says nothing, a tick of it would empty the mode word.
    void watcherHasStopped();

    std::unique_ptr<FavouritesFixture> m_f;
    std::unique_ptr<FavouritesController> m_controller;
    std::unique_ptr<QSignalSpy> m_messages;
};

void TestFavouritesController::init()
{
    m_f = std::make_unique<FavouritesFixture>();
    m_controller = std::make_unique<FavouritesController>(m_f->state, m_f->favourites, m_f->player, m_f->browser);
    m_messages = std::make_unique<QSignalSpy>(m_controller.get(), &FavouritesController::messageRequested);
}

void TestFavouritesController::cleanup()
{
    m_messages.reset();
    m_controller.reset();
    m_f.reset();
}

void TestFavouritesController::writeFavourites(int count)
{
    QString text;
    for (int i = 0; i < 24; ++i)
        text += i < count ? radioGroup(i) : freeGroup;
    QVERIFY(m_f->writeFile(text + QStringLiteral("\r\n")));
}

void TestFavouritesController::create()
{
    m_controller->create();
}

void TestFavouritesController::watcherHasStopped()
{
    const QString mode = m_f->state.radioTv();
    m_f->state.setLecture(QStringLiteral("Ondavox"));
    m_f->player.setStatus(QString());
    QTest::qWait(FavouritesController::lectureEnCoursPeriod + 100);
    QCOMPARE(m_f->state.radioTv(), mode);
}

int TestFavouritesController::deleteControlsShown() const
{
    const auto &shown = m_controller->display().deleteShown;
    return int(std::count(shown.begin(), shown.end(), true));
}

void TestFavouritesController::creationShowsTheLoadedSlots()
{
    writeFavourites(13);
    create();
    QCOMPARE(deleteControlsShown(), 13);
    QVERIFY(m_controller->display().deleteShown.at(12));
    QVERIFY(m_controller->display().line1Shown);
    QVERIFY(!m_controller->display().videShown);
}

void TestFavouritesController::emptyListNoticeComesWithTheFirstRefresh()
{
    create();
    QVERIFY(!m_controller->display().videShown);
    QTRY_VERIFY_WITH_TIMEOUT(m_controller->display().videShown, 1500);
    QCOMPARE(deleteControlsShown(), 0);
}

void TestFavouritesController::freeRowDoesNothing()
{
    writeFavourites(2);
    create();
    QSignalSpy hidden(m_controller.get(), &FavouritesController::hideRequested);
    m_controller->Nom_Click(2);
    QVERIFY(m_f->player.urls.isEmpty());
    QCOMPARE(m_f->state.lecture(), QStringLiteral("Ondavox"));
    QCOMPARE(m_f->state.curl(), QString());
    QCOMPARE(hidden.count(), 0);
}

void TestFavouritesController::playingAFavourite_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("mode");

    QTest::newRow("radio") << "Radio"
                           << "RADIO";
    QTest::newRow("tv") << "Tv"
                        << "TV";
    QTest::newRow("none leaves the mode word") << " "
                                               << "WEB";
}

void TestFavouritesController::playingAFavourite()
{
    QFETCH(QString, type);
    QVERIFY(m_f->writeFile(type + QStringLiteral("*http://h/a*Chaîne A*")));
    create();
    m_f->state.setRadioTv(QStringLiteral("WEB"));
    // A page is shown: playing a favourite leaves it so.
    m_f->browser.setVisible(true);
    m_f->player.setVisible(false);
    QSignalSpy hidden(m_controller.get(), &FavouritesController::hideRequested);

    m_controller->Nom_Click(0);
    QCOMPARE(m_f->player.urls, QStringList { "http://h/a" });
    QCOMPARE(m_f->state.curl(), QStringLiteral("http://h/a"));
    QCOMPARE(m_f->state.lecture(), QStringLiteral("Chaîne A"));
    QTEST(m_f->state.radioTv(), "mode");
    QCOMPARE(hidden.count(), 1);
    QVERIFY(m_f->browser.isVisible());
    QVERIFY(!m_f->player.isVisible());
}

void TestFavouritesController::deletingTheOnlyFavouriteShowsTheNoticeWithinASecond()
{
    writeFavourites(1);
    create();
    m_controller->Delete_Click(0);
    QVERIFY(!m_f->favourites.slot(0).isInUse());
    QCOMPARE(deleteControlsShown(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(m_controller->display().videShown, 1100);
    QCOMPARE(m_f->fileBytes(), freeGroup.repeated(24).toLatin1() + "\r\n");
}

void TestFavouritesController::deletingOneOfThirteenHidesTheSeparatorAtOnce_data()
{
    QTest::addColumn<int>("deleted");
    QTest::newRow("first") << 0;
    QTest::newRow("middle") << 6;
    QTest::newRow("the right column's only one") << 12;
}

void TestFavouritesController::deletingOneOfThirteenHidesTheSeparatorAtOnce()
{
    QFETCH(int, deleted);
    writeFavourites(13);
    create();
    QVERIFY(m_controller->display().line1Shown);
    m_controller->Delete_Click(deleted);
    QVERIFY(!m_controller->display().line1Shown);
    QCOMPARE(deleteControlsShown(), 12);
    QCOMPARE(m_f->favourites.slot(11).nom, deleted == 12 ? QStringLiteral("Station 11") : QStringLiteral("Station 12"));
}

void TestFavouritesController::deletingTheLastSlotWaitsForTheRefresh()
{
    writeFavourites(24);
    create();
    m_controller->Delete_Click(23);
    QVERIFY(!m_f->favourites.slot(23).isInUse());
    QCOMPARE(m_f->favourites.slot(22).nom, QStringLiteral("Station 22"));
    QVERIFY(m_controller->display().deleteShown.at(23));
    QTRY_VERIFY_WITH_TIMEOUT(!m_controller->display().deleteShown.at(23), 1100);
    QCOMPARE(deleteControlsShown(), 23);
}

void TestFavouritesController::addButtonIsEnabledWithin200msOfTheFirstLaunch()
{
    create();
    QVERIFY(!m_controller->display().kivCommand2Enabled);
    QTest::qWait(300);
    QVERIFY(!m_controller->display().kivCommand2Enabled);

    m_f->state.setLecture(QStringLiteral("FIP"));
    QTRY_VERIFY_WITH_TIMEOUT(m_controller->display().kivCommand2Enabled, 300);
    m_f->state.setRadioTv(QStringLiteral("RADIO"));
    watcherHasStopped();
}

void TestFavouritesController::addButtonEnabledWhenSomethingWasPlayedBefore()
{
    m_f->state.setLecture(QStringLiteral("FIP"));
    create();
    QVERIFY(m_controller->display().kivCommand2Enabled);
    m_f->state.setRadioTv(QStringLiteral("RADIO"));
    watcherHasStopped();
}

void TestFavouritesController::watcherEmptiesTheModeWord_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("divers");
    QTest::addColumn<QString>("mode");

    QTest::newRow("Stopped") << "Stopped"
                             << ""
                             << "";
    QTest::newRow("Prêt") << "Prêt"
                          << "Arrêté"
                          << "";
    QTest::newRow("Ready") << "Ready"
                           << ""
                           << "";
    QTest::newRow("Arrété") << "Arrété"
                            << ""
                            << "";
    QTest::newRow("nothing loaded") << ""
                                    << ""
                                    << "";
    QTest::newRow("connecting: the status line begins with ' de'") << "Connexion..."
                                                                   << " de Ondavox"
                                                                   << "";
    QTest::newRow("playing keeps it") << "Lecture en cours"
                                      << "Lecture de Ondavox"
                                      << "RADIO";
    QTest::newRow("comparison is case-sensitive") << "stopped"
                                                  << ""
                                                  << "RADIO";
}

void TestFavouritesController::watcherEmptiesTheModeWord()
{
    QFETCH(QString, status);
    QFETCH(QString, divers);

    create();
    m_f->player.setStatus(status);
    m_f->state.setDivers(divers);
    m_f->state.setRadioTv(QStringLiteral("RADIO"));
    QTest::qWait(FavouritesController::lectureEnCoursPeriod + 100);
    QTEST(m_f->state.radioTv(), "mode");
    QCOMPARE(m_controller->display().kivCommand2Enabled, false);
}

void TestFavouritesController::firstLaunchKeepsItsModeWord_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("divers");
    QTest::addColumn<QString>("mode");

    QTest::newRow("radio still connecting") << "Connexion..."
                                            << " de FIP"
                                            << "RADIO";
    QTest::newRow("page in the player's place") << ""
                                                << "Visualisation avec Internet Explorer"
                                                << "WEB";
}

void TestFavouritesController::firstLaunchKeepsItsModeWord()
{
    QFETCH(QString, status);
    QFETCH(QString, divers);
    QFETCH(QString, mode);

    create();
    m_f->player.setStatus(status);
    m_f->state.setDivers(divers);
    m_f->state.setLecture(QStringLiteral("FIP"));
    m_f->state.setRadioTv(mode);
    QTRY_VERIFY_WITH_TIMEOUT(m_controller->display().kivCommand2Enabled, 500);
    QCOMPARE(m_f->state.radioTv(), mode);
    watcherHasStopped();
}

void TestFavouritesController::fullStoreRefusesBothPaths()
{
    writeFavourites(24);
    m_f->state.setLecture(QStringLiteral("FIP"));
    create();
    const QByteArray before = m_f->fileBytes();
    m_f->player.setUrl(QStringLiteral("http://h/new"));
    m_f->state.setRadioTv(QStringLiteral("RADIO"));

    m_controller->KivCommand2_Click();
    QVERIFY(!m_controller->KivCommand1_Click(QStringLiteral("N"), QStringLiteral("http://n"), 0));
    QCOMPARE(m_messages->count(), 2);
    QCOMPARE(m_messages->at(0).at(0).toString(),
        QStringLiteral("Il n'y a plus de place pour ajouter cette chaîne. Veuillez faire le ménage."));
    QCOMPARE(m_messages->at(1).at(0).toString(), QStringLiteral("Il n'y a plus de place pour ajouter cette chaîne."));
    QCOMPARE(m_f->fileBytes(), before);
}

void TestFavouritesController::additionAfterADeletionTakesTheFirstFreeSlot()
{
    writeFavourites(5);
    create();
    m_controller->Delete_Click(2);
    QVERIFY(m_controller->KivCommand1_Click(QStringLiteral("Nouvelle"), QStringLiteral("http://n"), 1));
    QCOMPARE(m_f->favourites.slot(4).nom, QStringLiteral("Nouvelle"));
    QCOMPARE(m_f->favourites.slot(4).type, Favori::Type::Tv);
    QCOMPARE(m_f->favourites.slot(3).nom, QStringLiteral("Station 4"));
    QCOMPARE(deleteControlsShown(), 5);
}

void TestFavouritesController::addingThePlayingStream_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("curl");
    QTest::addColumn<int>("type");

    QTest::newRow("radio") << "RADIO"
                           << "http://curl" << int(Favori::Type::Radio);
    QTest::newRow("tv") << "TV"
                        << "http://curl" << int(Favori::Type::Tv);
    QTest::newRow("empty mode gives none") << ""
                                           << "http://curl" << int(Favori::Type::None);
    // A radio never carries the dated programme's mark.
    QTest::newRow("radio with a starred current address") << "RADIO"
                                                          << "*http://curl" << int(Favori::Type::Radio);
}

void TestFavouritesController::addingThePlayingStream()
{
    QFETCH(QString, mode);
    QFETCH(QString, curl);
    QFETCH(int, type);

    create();
    m_f->player.setUrl(QStringLiteral("http://player/stream"));
    m_f->state.setLecture(QStringLiteral("Rires et chansons"));
    m_f->state.setCurl(curl);
    m_f->state.setRadioTv(mode);

    m_controller->KivCommand2_Click();
    QCOMPARE(m_messages->count(), 0);
    const Favori &slot = m_f->favourites.slot(0);
    QCOMPARE(slot.nom, QStringLiteral("Rires et chansons"));
    QCOMPARE(slot.url, QStringLiteral("http://player/stream"));
    QCOMPARE(int(slot.type), type);
    QVERIFY(m_controller->display().deleteShown.at(0));
    QVERIFY(m_f->fileBytes().startsWith(TextFile::encode(FavouritesRecord::saveText(m_f->favourites.slots()))));
}

void TestFavouritesController::webModeIsRefusedWithAStreamLoaded()
{
    create();
    m_f->player.setUrl(QStringLiteral("http://player/stream"));
    m_f->state.setLecture(QStringLiteral("Une page"));
    m_f->state.setRadioTv(QStringLiteral("WEB"));
    m_controller->KivCommand2_Click();
    QCOMPARE(m_messages->count(), 1);
    QCOMPARE(m_messages->at(0).at(0).toString(),
        QStringLiteral("Il est impossible d'ajouter cette chaîne aux favoris car elle n'est pas reconnue par Windows "
                       "media Player"));
    QVERIFY(!m_f->favourites.slot(0).isInUse());
}

void TestFavouritesController::datedProgrammeIsStoredWithoutItsMark()
{
    create();
    m_f->player.setUrl(m_f->folder.filePath(QStringLiteral("Fractionné.m3u")));
    m_f->state.setLecture(QStringLiteral("JT 13H"));
    m_f->state.setCurl(QStringLiteral("*http://tv/jt13/20240301.asx"));
    m_f->state.setRadioTv(QStringLiteral("TV"));
    m_controller->KivCommand2_Click();
    QCOMPARE(m_messages->count(), 1);
    QCOMPARE(m_messages->at(0).at(0).toString(),
        QStringLiteral("L'émission que vous avez souhaité ajouter aux Favoris se met à jour toute seule et ne pourra "
                       "fonctionner correctement."));
    QCOMPARE(m_f->favourites.slot(0).url, QStringLiteral("http://tv/jt13/20240301.asx"));
    QCOMPARE(m_f->favourites.slot(0).type, Favori::Type::Tv);
    QVERIFY(m_f->fileBytes().startsWith("Tv*http://tv/jt13/20240301.asx*JT 13H*"));
}

void TestFavouritesController::dialogAddition_data()
{
    QTest::addColumn<int>("typeIndex");
    QTest::addColumn<QByteArray>("group");

    QTest::newRow("Radio") << 0 << QByteArray("Radio*http://n*Nouvelle cha\xeene*");
    QTest::newRow("TV") << 1 << QByteArray("Tv*http://n*Nouvelle cha\xeene*");
    QTest::newRow("no type picked is a space") << -1 << QByteArray(" *http://n*Nouvelle cha\xeene*");
}

void TestFavouritesController::dialogAddition()
{
    QFETCH(int, typeIndex);
    QFETCH(QByteArray, group);

    create();
    QVERIFY(m_controller->KivCommand1_Click(QStringLiteral("Nouvelle chaîne"), QStringLiteral("http://n"), typeIndex));
    QCOMPARE(m_messages->count(), 0);
    QCOMPARE(m_f->fileBytes(), group + freeGroup.repeated(23).toLatin1() + "\r\n");
}

void TestFavouritesController::dialogNamelessSlotStaysFreeButIsWritten()
{
    writeFavourites(1);
    create();
    QVERIFY(m_controller->KivCommand1_Click(QString(), QStringLiteral("http://n"), 0));
    QVERIFY(!m_f->favourites.slot(1).isInUse());
    QVERIFY(!m_controller->display().deleteShown.at(1));
    QVERIFY(m_f->fileBytes().startsWith((radioGroup(0) + QStringLiteral("Radio*http://n**")).toLatin1()));
    // The next addition takes the same slot.
    QVERIFY(m_controller->KivCommand1_Click(QStringLiteral("B"), QStringLiteral("http://b"), -1));
    QCOMPARE(m_f->favourites.slot(1).nom, QStringLiteral("B"));
    QCOMPARE(m_f->favourites.slot(1).type, Favori::Type::Radio);
    QVERIFY(!m_f->favourites.slot(2).isInUse());
}

void TestFavouritesController::refusedCharacters_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("message");

    const QString star
        = QStringLiteral("Le caractère « * » ne peut pas figurer dans le nom ni dans l'adresse d'un favori.");
    QTest::newRow("star in the address") << "A"
                                         << "http://h/a*b" << star;
    QTest::newRow("star in the name") << "A*"
                                      << "http://h/a" << star;
    QTest::newRow("not in Windows-1252")
        << "Radio Ω"
        << "http://h/a"
        << QStringLiteral("Le caractère « Ω » ne peut pas figurer dans le nom ni dans l'adresse d'un favori.");
    QTest::newRow("line break") << "A\nB"
                                << "http://h/a"
                                << QStringLiteral(
                                       "Le nom et l'adresse d'un favori ne peuvent pas contenir de saut de ligne.");
}

void TestFavouritesController::refusedCharacters()
{
    QFETCH(QString, nom);
    QFETCH(QString, url);

    create();
    QVERIFY(!m_controller->KivCommand1_Click(nom, url, 0));
    // The stream being played is refused the same way.
    m_f->player.setUrl(url);
    m_f->state.setLecture(nom);
    m_f->state.setRadioTv(QStringLiteral("RADIO"));
    m_controller->KivCommand2_Click();

    QCOMPARE(m_messages->count(), 2);
    QTEST(m_messages->at(0).at(0).toString(), "message");
    QTEST(m_messages->at(1).at(0).toString(), "message");
    QCOMPARE(m_f->favourites.slot(0), Favori());
}

void TestFavouritesController::thirteenthAdditionShowsTheSeparator()
{
    writeFavourites(12);
    create();
    QVERIFY(!m_controller->display().line1Shown);
    QVERIFY(m_controller->KivCommand1_Click(QStringLiteral("M"), QStringLiteral("http://m"), 0));
    QVERIFY(m_controller->display().line1Shown);
}

void TestFavouritesController::failedWriteIsSaidOnce()
{
    QVERIFY(m_f->blockWrites());
    create();
    QSignalSpy notices(m_controller.get(), &FavouritesController::noticeRequested);
    QVERIFY(m_controller->KivCommand1_Click(QStringLiteral("A"), QStringLiteral("http://a"), 0));
    QVERIFY(m_controller->KivCommand1_Click(QStringLiteral("B"), QStringLiteral("http://b"), 0));
    QCOMPARE(notices.count(), 1);
    QVERIFY(notices.at(0).at(0).toString().contains(m_f->favourites.path()));
    QCOMPARE(m_messages->count(), 0);
}

QTEST_GUILESS_MAIN(TestFavouritesController)
#include "tst_favouritescontroller.moc"
