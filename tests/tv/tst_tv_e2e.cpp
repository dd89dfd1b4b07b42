#include "cataloguetext.h"
#include "core/state/statestore.h"
#include "core/tv/editiondate.h"
#include "core/tv/foreignchannels.h"
#include "core/tv/newseditions.h"
#include "core/tv/tvbrowser.h"
#include "fakecontrols.h"
#include "processes.h"
#include "testhttpserver.h"
#include "testplayer.h"
#include "ui/catalogue/pictureslot.h"
#include "ui/playback/mediaplayer.h"
#include "ui/skin/wheelrouter.h"
#include "ui/tv/frmtv.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>

namespace
{

const QString playing = QStringLiteral("(playing)");

} // namespace

// From the TV window's "Lancer" to the real libmpv player (null outputs): a
// dated programme and a programme in two parts, served on 127.0.0.1.
class TestTvEndToEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void datedProgrammePlaysTheDaysFile();
    void partsPlayInOrderFromThePlaylist();
    void cleanupTestCase();

private:
    void launchSlot(int index, const QString &name);

    QTemporaryDir m_folder;
    TestHttpServer m_http;
    QStringList m_requests;
    StateStore m_store;
    std::unique_ptr<MediaPlayer> m_player;
    FakeBrowser m_browser;
    WheelRouter m_router;
    NewsEditions m_editions;
    ForeignChannels m_channels;
    QString m_date; // the day the window's lists give, as "JMA"
    QPointer<frmTV> m_window;
};

void TestTvEndToEnd::initTestCase()
{
    QVERIFY(m_folder.isValid());
    QString error;
    const QString tone = m_folder.filePath(QStringLiteral("tone.mp3"));
    if (!TestProcesses::makeTone(tone, 2, &error))
        QSKIP(qPrintable(QStringLiteral("no test tone: ") + error));

    std::setlocale(LC_NUMERIC, "C");
    m_player = makeTestPlayer(QStringLiteral("null"), QStringLiteral("null"), &error);
    QVERIFY2(m_player, qPrintable(error));

    QVERIFY(QDir(m_folder.path()).mkpath(QStringLiteral("logos")));
    for (int k = 1; k <= 2; ++k) {
        QImage picture(78, 35, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QVERIFY(picture.save(m_folder.filePath(QStringLiteral("logos/tv%1.png").arg(k))));
    }
    QVERIFY(m_http.listen());
    connect(&m_http, &TestHttpServer::requested, this, [this](const QString &path) {
        m_requests.append(path);
    });
    // What the server was asked and when the player played, in one order.
    connect(m_player.get(), &PlayerControl::statusChanged, this, [this](const QString &status) {
        if (status.startsWith(QStringLiteral("Lecture")) && m_requests.value(m_requests.size() - 1) != playing)
            m_requests.append(playing);
    });
    const QString placeholder = QStringLiteral("\u00a4");
    m_store.setChemin(m_folder.path());
    m_store.setUserFolder(m_folder.filePath(QStringLiteral("user")));
    m_store.setDataTV(catalogueText({ tvHeader,
        tvRecord(1, "TV-jt", "Le journal", m_http.url("/jt/jt_" + placeholder + "JMA.mp3"), {}, "oui"),
        tvRecord(2,
            "TV-divertissement",
            "Canal+ : Groland",
            m_http.url("/canal/groland_" + placeholder + "JMA_a.wmv"),
            {},
            "m3u"),
        QString() }));

    m_editions = NewsEditions::builtIn(&error).value();
    m_channels = ForeignChannels::builtIn(&error).value();
    m_window = new frmTV(m_store, *m_player, m_browser, m_router, m_editions, m_channels);
    // The day the window's lists are preset to.
    const auto list = [this](const char *name) {
        return m_window->findChild<QComboBox *>(QLatin1String(name))->currentIndex();
    };
    m_date = EditionDate::ReadEditionDate(list("Jour"), list("Mois"), QDate::currentDate().year())
                 .dateText(u"JMA")
                 .value();
    QVERIFY(m_http.addFile("/jt/jt_" + m_date + ".mp3", tone));
    // Parts with the names the broadcaster gives them; what they hold is MP3.
    QVERIFY(m_http.addFile("/canal/groland_" + m_date + "_a.wmv", tone, "audio/mpeg"));
    QVERIFY(m_http.addFile("/canal/groland_" + m_date + "_b.wmv", tone, "audio/mpeg"));
}

void TestTvEndToEnd::launchSlot(int index, const QString &name)
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    auto *slot = m_window->findChild<PictureSlot *>(QStringLiteral("Img%1").arg(index));
    QTRY_VERIFY(slot->isVisible());
    // Over the window's surface first, so that the click shows this entry.
    // Sent to the window itself: the suites share one X server, whose pointer
    // another suite may be moving at the same time.
    const QPoint surface = slot->geometry().bottomLeft() + QPoint(0, 6);
    QMouseEvent move(QEvent::MouseMove,
        surface,
        slot->parentWidget()->mapToGlobal(surface),
        Qt::NoButton,
        Qt::NoButton,
        Qt::NoModifier);
    QApplication::sendEvent(slot->parentWidget(), &move);
    QTest::mouseMove(slot, QPoint(30, 15));
    QTest::mouseClick(slot, Qt::LeftButton, {}, QPoint(30, 15));
    QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("LblNom"))->text(), name);
    QTest::mouseClick(m_window->findChild<QWidget *>(QStringLiteral("BtnLancer")), Qt::LeftButton);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_store.lecture(), name);
    QCOMPARE(m_store.radioTv(), QStringLiteral("TV"));
}

void TestTvEndToEnd::datedProgrammePlaysTheDaysFile()
{
    QSignalSpy started(&m_player->session(), &PlaybackSession::playbackStarted);
    launchSlot(0, QStringLiteral("Le journal"));
    const QString address = m_http.url("/jt/jt_" + m_date + ".mp3");
    QCOMPARE(m_player->url(), address);
    QCOMPARE(m_store.curl(), QStringLiteral("*") + address);
    QVERIFY(started.wait(20000));
    QTRY_VERIFY_WITH_TIMEOUT(m_player->status().startsWith(QStringLiteral("Lecture")), 10000);
    QVERIFY(m_requests.contains("/jt/jt_" + m_date + ".mp3"));
}

void TestTvEndToEnd::partsPlayInOrderFromThePlaylist()
{
    m_requests.clear();
    launchSlot(1, QStringLiteral("Canal+ : Groland"));
    const QString playlist = m_store.userPath(QStringLiteral("Fractionné.m3u"));
    QCOMPARE(m_player->url(), playlist);
    QFile file(playlist);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray parts = (m_http.url("/canal/groland_" + m_date + "_a.wmv") + "\r\n"
        + m_http.url("/canal/groland_" + m_date + "_b.wmv") + "\r\n")
                                 .toLatin1();
    QCOMPARE(file.readAll(), parts);

    const QString first = "/canal/groland_" + m_date + "_a.wmv";
    const QString second = "/canal/groland_" + m_date + "_b.wmv";
    QTRY_VERIFY_WITH_TIMEOUT(m_requests.contains(second), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(m_requests.last(), playing, 10000);
    // The second part is asked for once the first has played.
    QCOMPARE(m_requests.first(), first);
    const qsizetype firstPlayed = m_requests.indexOf(playing);
    QVERIFY(firstPlayed > 0);
    QVERIFY2(m_requests.indexOf(second) > firstPlayed, qPrintable(m_requests.join(QLatin1Char(' '))));
    QVERIFY(m_player->status().startsWith(QStringLiteral("Lecture")));
}

void TestTvEndToEnd::cleanupTestCase()
{
    delete m_window;
}

QTEST_MAIN(TestTvEndToEnd)
#include "tst_tv_e2e.moc"
