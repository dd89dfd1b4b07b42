#include "core/state/statestore.h"
#include "fakecontrols.h"
#include "ui/search/youtube.h"
#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/kivcommand.h"
#include "ui/skin/kivoptionbutton.h"
#include "ui/skin/kivtextbox.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>

// The video search window over a fake player and browser.
class TestYoutube : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void opensEmptyWithGoogleVideos();
    void keysOutsideTheSetBeepAndAreDropped_data();
    void keysOutsideTheSetBeepAndAreDropped();
    void editingKeysAreNotFiltered();
    void searchShowsTheResultsInPlaceOfThePlayer_data();
    void searchShowsTheResultsInPlaceOfThePlayer();
    void closeImageOnlyHides();

private:
    KivTextBox *field() const { return m_window->findChild<KivTextBox *>(QStringLiteral("txtSearch")); }
    KivOptionButton *option(const char *name) const
    {
        return m_window->findChild<KivOptionButton *>(QLatin1String(name));
    }
    bool deleted();

    std::unique_ptr<StateStore> m_store;
    std::unique_ptr<FakePlayer> m_player;
    std::unique_ptr<FakeBrowser> m_browser;
    std::unique_ptr<QWidget> m_mainWindow;
    QPointer<Youtube> m_window;
    int m_beeps = 0;
};

namespace
{
// Types the characters as a keyboard does, accented ones included, which
// QTest::keyClicks does not take.
void type(QWidget *widget, const QString &text)
{
    for (QChar character : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(character.toUpper().unicode()), QString(character), {});
}

const VideoSearch::Hosts hosts { QStringLiteral("http://127.0.0.1:9/g"),
    QStringLiteral("http://127.0.0.1:9/y"),
    QStringLiteral("http://127.0.0.1:9/d") };
}

void TestYoutube::init()
{
    m_store = std::make_unique<StateStore>();
    m_player = std::make_unique<FakePlayer>();
    m_browser = std::make_unique<FakeBrowser>();
    m_mainWindow = std::make_unique<QWidget>();
    m_mainWindow->resize(500, 300);
    m_window = new Youtube(*m_store, *m_player, *m_browser, *m_mainWindow, hosts);
    m_beeps = 0;
    m_window->setBeep([this] {
        ++m_beeps;
    });
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.data()));
    QApplication::setActiveWindow(m_window);
}

void TestYoutube::cleanup()
{
    delete m_window;
}

bool TestYoutube::deleted()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return m_window.isNull();
}

void TestYoutube::opensEmptyWithGoogleVideos()
{
    QCOMPARE(m_window->titleLabel()->text(), QStringLiteral("RECHERCHE..."));
    QCOMPARE(field()->text(), QString());
    QVERIFY(option("ChoixGoogle")->isChecked());
    QVERIFY(!option("ChoixYoutube")->isChecked());
    QVERIFY(!option("ChoixDaily")->isChecked());
    QCOMPARE(option("ChoixDaily")->text(), QStringLiteral("Dailymotion"));
    QCOMPARE(m_window->findChild<KivCommand *>(QStringLiteral("KivCommand1"))->text(), QStringLiteral("Chercher"));
    // The three are one group: choosing one clears the others.
    option("ChoixDaily")->click();
    QVERIFY(!option("ChoixGoogle")->isChecked());
    QCOMPARE(m_window->engine(), VideoSearch::Engine::Dailymotion);
    // Screen readers name the field by its label.
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(field());
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name).trimmed(), QStringLiteral("Rechercher :"));
}

void TestYoutube::keysOutsideTheSetBeepAndAreDropped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<int>("beeps");

    QTest::newRow("e acute") << QStringLiteral("é") << QString() << 1;
    QTest::newRow("exclamation") << QStringLiteral("!") << QString() << 1;
    QTest::newRow("full stop") << QStringLiteral(".") << QString() << 1;
    QTest::newRow("hyphen") << QStringLiteral("-") << QStringLiteral("-") << 0;
    QTest::newRow("digits") << QStringLiteral("2024") << QStringLiteral("2024") << 0;
    QTest::newRow("words with a refused one") << QStringLiteral("chat été noir") << QStringLiteral("chat t noir") << 2;
}

void TestYoutube::keysOutsideTheSetBeepAndAreDropped()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(int, beeps);

    type(field(), typed);
    QCOMPARE(field()->text(), kept);
    QCOMPARE(m_beeps, beeps);
    // Backspace passes.
    QTest::keyClick(field(), Qt::Key_Backspace);
    QCOMPARE(field()->text(), kept.chopped(std::min<qsizetype>(1, kept.size())));
    QCOMPARE(m_beeps, beeps);
    QVERIFY(m_browser->addresses.isEmpty());
}

void TestYoutube::editingKeysAreNotFiltered()
{
    QTest::keyClicks(field(), QStringLiteral("chat"));
    QTest::keyClick(field(), Qt::Key_Left);
    QTest::keyClick(field(), Qt::Key_Delete);
    QTest::keyClick(field(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field(), Qt::Key_X);
    QCOMPARE(field()->text(), QStringLiteral("x"));
    QCOMPARE(m_beeps, 0);
}

void TestYoutube::searchShowsTheResultsInPlaceOfThePlayer_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<bool>("byEnter");
    QTest::addColumn<QString>("address");

    QTest::newRow("button") << "ChoixGoogle" << false << "http://127.0.0.1:9/g/videosearch?q=chat+noir";
    QTest::newRow("enter") << "ChoixGoogle" << true << "http://127.0.0.1:9/g/videosearch?q=chat+noir";
    QTest::newRow("youtube") << "ChoixYoutube" << true << "http://127.0.0.1:9/y/results?search_query=chat+noir";
    QTest::newRow("dailymotion") << "ChoixDaily" << false << "http://127.0.0.1:9/d/visited/search/chat+noir/1";
}

void TestYoutube::searchShowsTheResultsInPlaceOfThePlayer()
{
    QFETCH(QString, engine);
    QFETCH(bool, byEnter);
    QFETCH(QString, address);

    m_player->setUrl(QStringLiteral("http://127.0.0.1:9/live.mp3"));
    m_store->setCurl(QStringLiteral("http://127.0.0.1:9/live.mp3"));
    m_store->setRadioTv(QStringLiteral("RADIO"));
    option(engine.toLatin1().constData())->click();
    QTest::keyClicks(field(), QStringLiteral("chat noir"));
    if (byEnter)
        QTest::keyClick(field(), Qt::Key_Return);
    else
        m_window->findChild<KivCommand *>(QStringLiteral("KivCommand1"))->click();

    QCOMPARE(m_browser->addresses, QStringList { address });
    QVERIFY(m_browser->isVisible());
    QCOMPARE(m_player->url(), QString());
    QVERIFY(!m_player->isVisible());
    QCOMPARE(m_store->lecture(), QStringLiteral("Recherche manuelle"));
    QCOMPARE(m_store->curl(), address);
    QCOMPARE(m_store->radioTv(), QStringLiteral("WEB"));
    QCOMPARE(m_mainWindow->size(), QSize(800, 600));
    QCOMPARE(m_beeps, 0);
    // Closed for good: the next opening is a new window.
    QVERIFY(!m_window->isVisible());
    QVERIFY(deleted());
}

void TestYoutube::closeImageOnlyHides()
{
    option("ChoixYoutube")->click();
    QTest::keyClicks(field(), QStringLiteral("chat"));
    m_window->closePair()->hideNormalImage();
    m_window->closePair()->click();
    QVERIFY(!m_window->isVisible());
    QVERIFY(!deleted());
    m_window->show();
    QCOMPARE(field()->text(), QStringLiteral("chat"));
    QVERIFY(option("ChoixYoutube")->isChecked());
    QVERIFY(m_browser->addresses.isEmpty());
    QCOMPARE(m_store->radioTv(), QString());
}

QTEST_MAIN(TestYoutube)
#include "tst_youtube.moc"
