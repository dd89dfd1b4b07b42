#include "../favourites/favouritesfixture.h"
#include "core/directory/directoryclient.h"
#include "core/directory/directorysearch.h"
#include "core/directory/faviconcache.h"
#include "core/favourites/favouritescontroller.h"
#include "directorystandin.h"
#include "ui/directory/annuaire.h"
#include "ui/directory/directorymodel.h"
#include "ui/skin/kivcommand.h"
#include "ui/skin/kivtextbox.h"

#include <QApplication>
#include <QJsonObject>
#include <QLabel>
#include <QListView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

// The directory window over the stand-in directory, with the favourites'
// real logic and fakes of the player and the browser.
class TestAnnuaire : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void opensWithFranceThenFrenchLanguage();
    void typingSearchesOnceThePauseComes();
    void aClickPlaysTheStationAsACatalogueStationPlays();
    void addingTakesTheFavouritesPath();
    void fullFavouritesRefuseAsTheyStand();
    void listFilesTakeTheResultsPlace_data();
    void listFilesTakeTheResultsPlace();
    void noServerSaysSo();
    void scrollingToTheEndBringsTheNextPage();

private:
    void open(const QList<QUrl> &servers);
    QStringList names() const;
    QString field(int row, const char *key) const;
    QString status() const { return m_window->findChild<QLabel *>(QStringLiteral("Etat"))->text(); }
    QString notice() const { return m_window->findChild<QLabel *>(QStringLiteral("Avis"))->text(); }
    void clickRow(int row);
    QString writeList(const QString &name, const QByteArray &bytes);

    DirectoryStandIn m_standIn;
    QTemporaryDir m_cache;
    std::unique_ptr<FavouritesFixture> m_fixture;
    std::unique_ptr<FavouritesController> m_controller;
    QPointer<Annuaire> m_window;
};

void TestAnnuaire::initTestCase()
{
    QString error;
    QVERIFY2(m_standIn.start(qEnvironmentVariable("ONDAVOX_TEST_DATA") + QStringLiteral("/directory"), 0, &error),
        qPrintable(error));
    m_standIn.setStreamAddress(QStringLiteral("http://127.0.0.1:9/live.mp3"));
    // Of a country and a language apart, so that the opening list is the fixture's.
    m_standIn.addMadeUpStations(250, QStringLiteral("Made up"), QStringLiteral("DE"), QStringLiteral("german"));
}

void TestAnnuaire::init()
{
    m_fixture = std::make_unique<FavouritesFixture>();
    m_controller = std::make_unique<FavouritesController>(
        m_fixture->state, m_fixture->favourites, m_fixture->player, m_fixture->browser);
}

void TestAnnuaire::cleanup()
{
    delete m_window;
    m_controller.reset();
    m_fixture.reset();
}

void TestAnnuaire::open(const QList<QUrl> &servers)
{
    Annuaire::Services services;
    services.directory.sources.configured = servers;
    services.directory.attemptTimeoutMs = 2000;
    services.faviconFolder = m_cache.filePath(QStringLiteral("favicons"));
    m_window = new Annuaire(m_fixture->state, m_fixture->player, m_fixture->browser, *m_controller, services);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

QStringList TestAnnuaire::names() const
{
    QStringList names;
    for (int row = 0; row < m_window->model().rowCount(); ++row)
        names.append(m_window->model().station(row).name);
    return names;
}

// A field of the stand-in's record for the station of `row`.
QString TestAnnuaire::field(int row, const char *key) const
{
    const QString uuid = m_window->model().station(row).uuid;
    for (const QJsonValue &station : m_standIn.stations()) {
        if (station.toObject().value(QStringLiteral("stationuuid")).toString() == uuid)
            return station.toObject().value(QLatin1String(key)).toString();
    }
    return {};
}

void TestAnnuaire::clickRow(int row)
{
    QListView *view = m_window->results();
    const QRect rect = view->visualRect(m_window->model().index(row));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}

QString TestAnnuaire::writeList(const QString &name, const QByteArray &bytes)
{
    QFile file(m_cache.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return file.fileName();
}

void TestAnnuaire::opensWithFranceThenFrenchLanguage()
{
    open({ QUrl(m_standIn.url()) });
    QTRY_VERIFY(!m_window->search().isBusy() && m_window->model().rowCount() > 0);
    const int rows = m_window->model().rowCount();
    int firstElsewhere = rows;
    for (int row = 0; row < rows; ++row) {
        if (field(row, "countrycode") != u"FR") {
            firstElsewhere = row;
            break;
        }
    }
    QVERIFY2(firstElsewhere > 0 && firstElsewhere < rows, "no stations of France, or none from elsewhere");
    QCOMPARE(m_window->model().station(0).name, QStringLiteral("FIP"));
    QSet<QString> seen;
    for (int row = 0; row < rows; ++row) {
        const DirectoryStation &station = m_window->model().station(row);
        QVERIFY2(!seen.contains(station.uuid), qPrintable(station.name));
        seen.insert(station.uuid);
        if (row >= firstElsewhere) {
            QVERIFY2(field(row, "countrycode") != u"FR", qPrintable(station.name));
            QVERIFY2(field(row, "language").contains(QStringLiteral("french")), qPrintable(station.name));
        }
        // Each part the most played first.
        if (row > 0 && row != firstElsewhere)
            QVERIFY(station.clickCount <= m_window->model().station(row - 1).clickCount);
    }
    // A station the directory marks as broken is not offered.
    QVERIFY(!names().contains(QStringLiteral("Radio Grenouille")));
}

void TestAnnuaire::typingSearchesOnceThePauseComes()
{
    open({ QUrl(m_standIn.url()) });
    QTRY_VERIFY(!m_window->search().isBusy() && m_window->model().rowCount() > 0);
    QSignalSpy searched(&m_standIn, &DirectoryStandIn::searched);
    m_window->searchField()->setFocus();
    QTest::keyClicks(m_window->searchField(), QStringLiteral("fip"), {}, 20);
    QTRY_COMPARE(searched.size(), 1);
    QCOMPARE(searched.at(0).at(0).value<QUrlQuery>().queryItemValue(QStringLiteral("name")), QStringLiteral("fip"));
    QTRY_VERIFY(!m_window->search().isBusy());
    const QStringList found = names();
    QCOMPARE(found.size(), 11);
    QCOMPARE(found.constFirst(), QStringLiteral("FIP"));
    for (const QString &name : found)
        QVERIFY2(name.contains(QStringLiteral("FIP")), qPrintable(name));
    QVERIFY(!status().isEmpty());
    // A space typed after the words asks nothing new.
    QTest::keyClick(m_window->searchField(), Qt::Key_Space);
    QTest::qWait(DirectorySearch::typingPause * 2);
    QCOMPARE(searched.size(), 1);
}

void TestAnnuaire::aClickPlaysTheStationAsACatalogueStationPlays()
{
    open({ QUrl(m_standIn.url()) });
    QTRY_VERIFY(m_window->model().rowCount() > 0);
    const DirectoryStation fip = m_window->model().station(0);
    // The row's picture is fetched as it is drawn, into the cache folder.
    QTRY_VERIFY(!m_window->faviconCache().path(fip.favicon).isEmpty());
    const QString picture = m_window->faviconCache().path(fip.favicon);
    QVERIFY(picture.startsWith(m_cache.filePath(QStringLiteral("favicons"))));

    QSignalSpy clicked(&m_standIn, &DirectoryStandIn::clicked);
    clickRow(0);
    QCOMPARE(m_fixture->player.urls.constLast(), QStringLiteral("http://127.0.0.1:9/live.mp3"));
    QCOMPARE(m_fixture->player.urlPictures.constLast(), picture);
    QCOMPARE(m_fixture->state.lecture(), QStringLiteral("FIP"));
    QCOMPARE(m_fixture->state.radioTv(), QStringLiteral("RADIO"));
    QCOMPARE(m_fixture->state.curl(), QStringLiteral("http://127.0.0.1:9/live.mp3"));
    QVERIFY(m_fixture->player.isVisible());
    QVERIFY(clicked.wait());
    QCOMPARE(clicked.at(0).at(0).toString(), fip.uuid);

    // A station that cannot be heard is said to be so.
    m_fixture->player.setStatus(QStringLiteral("Erreur : connexion refusée"));
    QVERIFY(notice().contains(QStringLiteral("FIP")));
    QVERIFY(notice().contains(QStringLiteral("connexion refusée")));
}

void TestAnnuaire::addingTakesTheFavouritesPath()
{
    open({ QUrl(m_standIn.url()) });
    QTRY_VERIFY(m_window->model().rowCount() > 0);
    m_window->results()->setCurrentIndex(m_window->model().index(0));
    m_window->findChild<KivCommand *>(QStringLiteral("AjouterFavoris"))->click();
    const Favori added = m_fixture->favourites.slot(0);
    QCOMPARE(added.nom, QStringLiteral("FIP"));
    QCOMPARE(added.type, Favori::Type::Radio);
    QCOMPARE(added.url, QStringLiteral("http://127.0.0.1:9/live.mp3"));
    // Adding is not playing.
    QVERIFY(m_fixture->player.urls.isEmpty());
    QVERIFY(m_fixture->fileBytes().contains("Radio*http://127.0.0.1:9/live.mp3*FIP*"));
}

void TestAnnuaire::fullFavouritesRefuseAsTheyStand()
{
    for (int i = 0; i < FavouritesRecord::slotCount; ++i)
        m_fixture->favourites.fill(i, QStringLiteral("F%1").arg(i), QStringLiteral("http://h/%1").arg(i), {});
    const QString list = writeList(QStringLiteral("refused.m3u"), "#EXTINF:-1,Jazz * Blues\nhttp://h/jb\n");
    open({ QUrl(m_standIn.url()) });
    QSignalSpy opened(m_window, &Annuaire::stationListsOpened);
    m_window->openStationLists({ list });
    QVERIFY(opened.wait());
    // The favourites window shows these messages; here nothing else does.
    QSignalSpy messages(m_controller.get(), &FavouritesController::messageRequested);
    m_window->addToFavourites(0);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).at(0).toString(), FavouritesController::storeFullDialogMessage);

    // With room, a name the favourites file cannot carry is refused, as in the add dialog.
    m_fixture->favourites.clear(23);
    m_window->addToFavourites(0);
    QCOMPARE(messages.size(), 2);
    QCOMPARE(messages.at(1).at(0).toString(), FavouritesController::refusal(QStringLiteral("Jazz * Blues"), {}));
    QVERIFY(!m_fixture->favourites.slot(23).isInUse());
    QVERIFY(notice().isEmpty());
}

void TestAnnuaire::listFilesTakeTheResultsPlace_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<int>("rows");

    QTest::newRow("pls") << QByteArray("[playlist]\nFile1=http://h/1\nTitle1=<b>Jazz</b> & co\nFile2=http://h/2\n")
                         << QStringList { "<b>Jazz</b> & co", "http://h/2" } << 2;
    QByteArray lines;
    for (int i = 0; i < 100000; ++i)
        lines += "http://127.0.0.1:9/" + QByteArray::number(i) + "\n";
    QTest::newRow("100,000 lines") << lines << QStringList { "http://127.0.0.1:9/0" }
                                   << int(DirectorySearch::maximumStations);
    QByteArray garbage(4096, '\x01');
    garbage[17] = '\0';
    QTest::newRow("binary garbage") << garbage << QStringList {} << 0;
}

void TestAnnuaire::listFilesTakeTheResultsPlace()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, first);
    QFETCH(int, rows);

    open({ QUrl(m_standIn.url()) });
    QTRY_VERIFY(!m_window->search().isBusy());
    const int before = m_window->model().rowCount();
    QSignalSpy opened(m_window, &Annuaire::stationListsOpened);
    m_window->openStationLists({ writeList(QStringLiteral("list.pls"), bytes) });
    QVERIFY(opened.wait(20000));
    QVERIFY(!status().isEmpty());
    if (rows == 0) {
        // Nothing read: the results stay, and the status says why.
        QCOMPARE(m_window->model().rowCount(), before);
        QVERIFY(status().contains(QStringLiteral("list.pls")));
        return;
    }
    QCOMPARE(m_window->model().rowCount(), rows);
    QCOMPARE(names().mid(0, first.size()), first);
    // A list's station plays like any other, and no click is counted for it.
    clickRow(0);
    QCOMPARE(m_fixture->state.lecture(), first.constFirst());
    QCOMPARE(m_fixture->state.radioTv(), QStringLiteral("RADIO"));
}

void TestAnnuaire::noServerSaysSo()
{
    QTcpServer reserved;
    QVERIFY(reserved.listen(QHostAddress::LocalHost));
    const QUrl refused(QStringLiteral("http://127.0.0.1:%1").arg(reserved.serverPort()));
    reserved.close();
    open({ refused });
    QTRY_COMPARE(status(), DirectoryClient::noServerMessage);
    QCOMPARE(m_window->model().rowCount(), 0);
    QVERIFY(m_fixture->player.urls.isEmpty());
}

void TestAnnuaire::scrollingToTheEndBringsTheNextPage()
{
    open({ QUrl(m_standIn.url()) });
    m_window->searchField()->setText(QStringLiteral("Made up"));
    QTRY_VERIFY(
        m_standIn.lastSearch().queryItemValue(QStringLiteral("name")) == u"Made up" && !m_window->search().isBusy());
    QCOMPARE(m_window->model().rowCount(), DirectoryQuery::pageSize);
    QScrollBar *bar = m_window->results()->verticalScrollBar();
    bar->setValue(bar->maximum());
    QTRY_COMPARE(m_window->model().rowCount(), 2 * DirectoryQuery::pageSize);
    bar->setValue(bar->maximum());
    QTRY_COMPARE(m_window->model().rowCount(), 250);
    QCOMPARE(m_standIn.lastSearch().queryItemValue(QStringLiteral("offset")), QStringLiteral("200"));
    bar->setValue(bar->maximum());
    QTest::qWait(300);
    QCOMPARE(m_window->model().rowCount(), 250);
}

QTEST_MAIN(TestAnnuaire)
#include "tst_annuaire.moc"
