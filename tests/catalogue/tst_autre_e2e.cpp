#include "cataloguetext.h"
#include "core/state/statestore.h"
#include "fakecontrols.h"
#include "icecastserver.h"
#include "processes.h"
#include "testplayer.h"
#include "ui/catalogue/autre.h"
#include "ui/catalogue/pictureslot.h"
#include "ui/playback/mediaplayer.h"
#include "ui/skin/wheelrouter.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>

// From a click on a station picture to sound: the radio window, the real
// libmpv player (null outputs) and a live icecast2 stream on 127.0.0.1.
class TestAutreEndToEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void clickedStationPlaysItsStream();
    void deadStationGivesAnErrorStatus();
    void cleanupTestCase();

private:
    void launchSlot(int index, const QString &name);

    IcecastServer m_icecast;
    // Bound and not listening: a connection to it is refused.
    TestProcesses::ReservedPort m_deadPort;
    QTemporaryDir m_folder;
    StateStore m_store;
    std::unique_ptr<MediaPlayer> m_player;
    FakeBrowser m_browser;
    WheelRouter m_router;
    QPointer<Autre> m_window;
};

void TestAutreEndToEnd::initTestCase()
{
    const QString missing = IcecastServer::missingTools();
    if (!missing.isEmpty())
        QSKIP(qPrintable(missing));
    QString error;
    QVERIFY2(m_icecast.start(&error), qPrintable(error));

    // libmpv refuses a decimal comma.
    std::setlocale(LC_NUMERIC, "C");
    m_player = makeTestPlayer(QStringLiteral("null"), QStringLiteral("null"), &error);
    QVERIFY2(m_player, qPrintable(error));

    QVERIFY(m_folder.isValid());
    QVERIFY(QDir(m_folder.path()).mkpath(QStringLiteral("logos")));
    QImage picture(78, 35, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QVERIFY(picture.save(m_folder.filePath(QStringLiteral("logos/live.png"))));
    // A station nobody answers for.
    QVERIFY(m_deadPort.port() != 0);
    const QString dead = QStringLiteral("http://127.0.0.1:%1/dead.mp3").arg(m_deadPort.port());
    m_store.setChemin(m_folder.path());
    m_store.setData(catalogueText({ radioHeader,
        QStringLiteral("1*radio*128*Radio Locale*%1*\\logos\\live.png*Sinus**").arg(m_icecast.streamUrl()),
        QStringLiteral("2*radio-info*128*Radio Muette*%1*\\logos\\live.png***").arg(dead),
        QString() }));
}

void TestAutreEndToEnd::launchSlot(int index, const QString &name)
{
    if (!m_window) {
        m_window = new Autre(m_store, *m_player, m_browser, m_router);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    } else {
        m_window->show();
    }
    auto *slot = m_window->findChild<PictureSlot *>(QStringLiteral("Img%1").arg(index));
    QTRY_VERIFY(slot->isVisible());
    // Sent to the slot itself: the suites share one X server, whose pointer
    // another suite may be moving at the same time.
    QMouseEvent move(QEvent::MouseMove,
        QPointF(30, 15),
        slot->mapToGlobal(QPointF(30, 15)),
        Qt::NoButton,
        Qt::NoButton,
        Qt::NoModifier);
    QApplication::sendEvent(slot, &move);
    QTRY_COMPARE(m_window->findChild<QLabel *>(QStringLiteral("LblNom"))->text(), name);
    QTest::mouseClick(slot, Qt::LeftButton, {}, QPoint(30, 15));
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_store.lecture(), name);
    QCOMPARE(m_store.radioTv(), QStringLiteral("RADIO"));
}

void TestAutreEndToEnd::clickedStationPlaysItsStream()
{
    QSignalSpy started(&m_player->session(), &PlaybackSession::playbackStarted);
    launchSlot(0, QStringLiteral("Radio Locale"));
    QCOMPARE(m_player->url(), m_icecast.streamUrl());
    QVERIFY(started.wait(20000));
    QTRY_VERIFY_WITH_TIMEOUT(m_player->status().startsWith(QStringLiteral("Lecture")), 10000);
}

void TestAutreEndToEnd::deadStationGivesAnErrorStatus()
{
    launchSlot(1, QStringLiteral("Radio Muette"));
    // The player's own status text is the only report of a failed stream.
    QTRY_VERIFY_WITH_TIMEOUT(
        !m_player->status().isEmpty() && !m_player->status().startsWith(QStringLiteral("Lec")), 20000);
    QCOMPARE(m_store.lecture(), QStringLiteral("Radio Muette"));
}

void TestAutreEndToEnd::cleanupTestCase()
{
    // The window holds the player: it goes first.
    delete m_window;
}

QTEST_MAIN(TestAutreEndToEnd)
#include "tst_autre_e2e.moc"
