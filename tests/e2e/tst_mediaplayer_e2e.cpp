#include "icecastserver.h"
#include "processes.h"
#include "testhttpserver.h"
#include "testplayer.h"
#include "ui/playback/mediaplayer.h"
#include "ui/playback/playerbar.h"
#include "ui/playback/playerface.h"

#include <QApplication>
#include <QFile>
#include <QOpenGLWidget>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <clocale>
#include <mpv/client.h>

namespace
{

constexpr int startTimeoutMs = 20000;

QString mpvString(MediaPlayer &player, const char *property)
{
    char *value = mpv_get_property_string(player.session().engine()->handle(), property);
    const QString text = value ? QString::fromUtf8(value) : QString();
    mpv_free(value);
    return text;
}

// Where the picture is in a frame grabbed from the surface: the bounding box
// of the pixels brighter than the bars around it.
QRect brightArea(const QImage &image)
{
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                continue;
            left = qMin(left, x);
            right = qMax(right, x);
            top = qMin(top, y);
            bottom = qMax(bottom, y);
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// The player's widget as the whole of a window, shown.
void showInWindow(QWidget &window, MediaPlayer &player, const QSize &size)
{
    window.resize(size);
    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(player.widget());
    window.show();
}

bool isMostlyBlack(const QImage &image)
{
    qint64 sum = 0;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            sum += qGray(image.pixel(x, y));
    const qint64 samples = qint64(image.height() / 4 + 1) * (image.width() / 4 + 1);
    return sum / samples < 8;
}

} // namespace

// The real player on real servers on 127.0.0.1: icecast2 for live radio, a
// small HTTP server for files, errors, playlists and HLS video.
class TestMediaPlayerEndToEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void icecastStreamPlaysAndStops();
    void accentedStreamTitleArrivesDecoded();
    void brokenStreamsGiveAnErrorStatus_data();
    void brokenStreamsGiveAnErrorStatus();
    void windowsMediaPlaylistPlaysItsFirstEntry_data();
    void windowsMediaPlaylistPlaysItsFirstEntry();
    void hlsVideoShowsMovingPictures();
    void noSoundDevice_data();
    void noSoundDevice();
    void pictureKeepsItsProportions_data();
    void pictureKeepsItsProportions();

private:
    QTemporaryDir m_media;
    QString m_tone;
};

void TestMediaPlayerEndToEnd::initTestCase()
{
    const QString missing = IcecastServer::missingTools();
    if (!missing.isEmpty())
        QSKIP(qPrintable(missing));
    QVERIFY(m_media.isValid());
    m_tone = m_media.filePath(QStringLiteral("tone.mp3"));
    QString error;
    QVERIFY2(TestProcesses::makeTone(m_tone, 6, &error), qPrintable(error));
}

void TestMediaPlayerEndToEnd::icecastStreamPlaysAndStops()
{
    IcecastServer icecast;
    QString error;
    QVERIFY2(icecast.start(&error), qPrintable(error));
    auto player = makeTestPlayer();
    QVERIFY(player);
    QSignalSpy started(&player->session(), &PlaybackSession::playbackStarted);
    QSignalSpy states(player.get(), &PlayerControl::playbackStateChanged);

    player->setUrl(icecast.streamUrl());
    QCOMPARE(player->url(), icecast.streamUrl());
    QTRY_COMPARE_WITH_TIMEOUT(player->status(), PlaybackStatus::playing, startTimeoutMs);
    QVERIFY(player->status().startsWith(QLatin1String("Lecture")));
    QVERIFY(started.count() >= 1);
    // mpv decodes audio: the output has a format.
    QTRY_VERIFY(mpvString(*player, "audio-params/samplerate").toInt() > 0);
    QCOMPARE(player->playbackState(), PlayerControl::PlaybackState::Playing);
    QTRY_VERIFY(mpvString(*player, "time-pos").toDouble() > 0.5);

    player->pause();
    QTRY_COMPARE(player->playbackState(), PlayerControl::PlaybackState::Paused);
    QVERIFY(!player->status().startsWith(QLatin1String("Lec")));
    player->play();
    QTRY_COMPARE(player->status(), PlaybackStatus::playing);

    player->stop();
    QCOMPARE(player->status(), PlaybackStatus::ready);
    QTRY_COMPARE(mpvString(*player, "idle-active"), QStringLiteral("yes"));
    QCOMPARE(player->status(), PlaybackStatus::ready);
    QCOMPARE(player->playbackState(), PlayerControl::PlaybackState::Stopped);
    QCOMPARE(player->url(), icecast.streamUrl());

    // Writing the empty address stops and unloads.
    player->play();
    QTRY_COMPARE_WITH_TIMEOUT(player->status(), PlaybackStatus::playing, startTimeoutMs);
    player->setUrl(QString());
    QCOMPARE(player->url(), QString());
    QTRY_COMPARE(mpvString(*player, "idle-active"), QStringLiteral("yes"));
    QCOMPARE(player->status(), PlaybackStatus::ready);
    QVERIFY(states.count() >= 4);
}

void TestMediaPlayerEndToEnd::accentedStreamTitleArrivesDecoded()
{
    IcecastServer icecast;
    QString error;
    QVERIFY2(icecast.start(&error), qPrintable(error));
    auto player = makeTestPlayer();
    QVERIFY(player);
    const QString title = QStringLiteral("Café crème à Noël");
    QSignalSpy titles(player.get(), &PlayerControl::streamTitleChanged);

    player->setUrl(icecast.streamUrl());
    QTRY_COMPARE_WITH_TIMEOUT(player->status(), PlaybackStatus::playing, startTimeoutMs);
    QVERIFY2(icecast.setTitle(title, &error), qPrintable(error));
    QTRY_COMPARE_WITH_TIMEOUT(player->session().streamTitle(), title, 15000);
    QVERIFY(!titles.isEmpty());
    QCOMPARE(titles.last().at(0).toString(), title);

    // The control bar shows the song beside the status, the face under the
    // name of the station, and both follow the next song.
    player->widget();
    QVERIFY(player->controlBar()->statusText().contains(title));
    QCOMPARE(player->face()->titleText(), title);
    const QString next = QStringLiteral("<img src=x> Suite");
    QVERIFY2(icecast.setTitle(next, &error), qPrintable(error));
    QTRY_COMPARE_WITH_TIMEOUT(player->face()->titleText(), next, 15000);
    QVERIFY(player->controlBar()->statusText().endsWith(next));
}

void TestMediaPlayerEndToEnd::brokenStreamsGiveAnErrorStatus_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("status");

    QTest::newRow("refused connection") << QString() << "Erreur : connexion refusée";
    QTest::newRow("missing stream") << "/missing.mp3"
                                    << "Erreur : flux introuvable (404)";
    QTest::newRow("not a stream at all") << "/page.html"
                                         << "Erreur : format non reconnu";
}

void TestMediaPlayerEndToEnd::brokenStreamsGiveAnErrorStatus()
{
    QFETCH(QString, path);
    QFETCH(QString, status);

    TestHttpServer server;
    QVERIFY(server.listen());
    server.addStatus(QStringLiteral("/missing.mp3"), 404);
    server.addData(QStringLiteral("/page.html"), QByteArray(2048, 'x'), "text/plain");
    // Bound and not listening: the connection is refused.
    const TestProcesses::ReservedPort closed;
    const QString address
        = path.isEmpty() ? QStringLiteral("http://127.0.0.1:%1/live.mp3").arg(closed.port()) : server.url(path);

    auto player = makeTestPlayer();
    QVERIFY(player);
    player->setUrl(address);
    QTRY_VERIFY2_WITH_TIMEOUT(player->status() == status, qPrintable(messagesOf(*player)), startTimeoutMs);
    QCOMPARE(player->playbackState(), PlayerControl::PlaybackState::Stopped);
    player->widget();
    QCOMPARE(player->controlBar()->statusText(), status);

    // The player is still usable afterwards.
    player->setUrl(QString());
    QCOMPARE(player->status(), PlaybackStatus::ready);
}

void TestMediaPlayerEndToEnd::windowsMediaPlaylistPlaysItsFirstEntry_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("named .asx") << "/radio.asx";
    QTest::newRow("named .wax, reference form") << "/radio.wax";
    QTest::newRow("found by its content") << "/listen";
}

void TestMediaPlayerEndToEnd::windowsMediaPlaylistPlaysItsFirstEntry()
{
    QFETCH(QString, path);
    TestHttpServer server;
    QVERIFY(server.listen());
    QVERIFY(server.addFile(QStringLiteral("/one.mp3"), m_tone));
    QVERIFY(server.addFile(QStringLiteral("/two.mp3"), m_tone));
    const QByteArray asx = "<ASX version=\"3.0\">\r\n<Title>Essai &amp; test</Title>\r\n<Entry><Ref href=\""
        + server.url(QStringLiteral("/one.mp3")).toUtf8()
        + "\"/></Entry>\r\n<ENTRY><REF HREF=\"two.mp3\"></ENTRY>\r\n</ASX>";
    server.addData(QStringLiteral("/radio.asx"), asx, "video/x-ms-asf");
    server.addData(QStringLiteral("/listen"), asx, "text/plain");
    server.addData(QStringLiteral("/radio.wax"),
        "[Reference]\r\nRef1=" + server.url(QStringLiteral("/one.mp3")).toUtf8()
            + "\r\nRef2=" + server.url(QStringLiteral("/two.mp3")).toUtf8() + "\r\n",
        "audio/x-ms-wax");

    auto player = makeTestPlayer();
    QVERIFY(player);
    player->setUrl(server.url(path));
    QTRY_COMPARE_WITH_TIMEOUT(player->status(), PlaybackStatus::playing, startTimeoutMs);
    QCOMPARE(mpvString(*player, "path"), server.url(QStringLiteral("/one.mp3")));
    QCOMPARE(mpvString(*player, "playlist-count"), QStringLiteral("2"));
    QCOMPARE(mpvString(*player, "playlist/1/filename"), server.url(QStringLiteral("/two.mp3")));
    QCOMPARE(player->url(), server.url(path));
}

void TestMediaPlayerEndToEnd::hlsVideoShowsMovingPictures()
{
    const QString folder = m_media.filePath(QStringLiteral("hls"));
    QVERIFY(QDir().mkpath(folder));
    QString error;
    QVERIFY2(TestProcesses::ffmpeg({ QStringLiteral("-f"),
                                       QStringLiteral("lavfi"),
                                       QStringLiteral("-i"),
                                       QStringLiteral("testsrc=size=320x240:rate=25"),
                                       QStringLiteral("-t"),
                                       QStringLiteral("12"),
                                       QStringLiteral("-c:v"),
                                       QStringLiteral("libx264"),
                                       QStringLiteral("-preset"),
                                       QStringLiteral("ultrafast"),
                                       QStringLiteral("-g"),
                                       QStringLiteral("25"),
                                       QStringLiteral("-f"),
                                       QStringLiteral("hls"),
                                       QStringLiteral("-hls_time"),
                                       QStringLiteral("2"),
                                       QStringLiteral("-hls_playlist_type"),
                                       QStringLiteral("vod"),
                                       folder + QStringLiteral("/index.m3u8") },
                 &error),
        qPrintable(error));
    TestHttpServer server;
    QVERIFY(server.listen());
    server.addFolder(QStringLiteral("/hls"), folder);

    auto player = makeTestPlayer(QStringLiteral("libmpv"));
    QVERIFY(player);
    QWidget window;
    showInWindow(window, *player, QSize(320, 280));
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Nothing of OpenGL before a video comes.
    QVERIFY(!player->videoSurface());

    player->setUrl(server.url(QStringLiteral("/hls/index.m3u8")));
    QTRY_COMPARE_WITH_TIMEOUT(player->status(), PlaybackStatus::playing, startTimeoutMs);
    MpvSurface *surface = player->videoSurface();
    QVERIFY(surface);
    QVERIFY(surface->hasRenderContext());
    auto *picture = qobject_cast<QOpenGLWidget *>(surface->widget());
    QVERIFY(picture);
    QTRY_VERIFY(mpvString(*player, "time-pos").toDouble() > 1.0);
    const QImage first = picture->grabFramebuffer();
    QTRY_VERIFY_WITH_TIMEOUT(mpvString(*player, "time-pos").toDouble() > 2.5, 10000);
    const QImage second = picture->grabFramebuffer();
    QVERIFY(!first.isNull());
    QVERIFY(!isMostlyBlack(first));
    QVERIFY(!isMostlyBlack(second));
    QVERIFY(first != second);
    // A video that can seek gets the position bar.
    QTRY_VERIFY(player->controlBar()->isPositionShown());

    // Full screen by a double click, back by Escape: the picture keeps coming.
    QTest::mouseDClick(picture, Qt::LeftButton);
    QVERIFY(player->isFullScreen());
    QTRY_VERIFY(player->widget()->isFullScreen());
    QTest::keyClick(player->controlBar(), Qt::Key_Escape);
    QVERIFY(!player->isFullScreen());
    QTRY_VERIFY(!player->widget()->isWindow());
    QCOMPARE(player->widget()->parentWidget(), &window);
    QTRY_VERIFY(surface->hasRenderContext());
    const double before = mpvString(*player, "time-pos").toDouble();
    QTRY_VERIFY_WITH_TIMEOUT(mpvString(*player, "time-pos").toDouble() > before + 0.5, 10000);
    const QImage third = picture->grabFramebuffer();
    QTest::qWait(400);
    QVERIFY(!isMostlyBlack(third));
    QVERIFY(third != picture->grabFramebuffer());
}

void TestMediaPlayerEndToEnd::noSoundDevice_data()
{
    // Outputs that exist but cannot open, as on a machine whose sound server
    // is missing or has no sound card (not the null output, which always opens).
    QTest::addColumn<QString>("audioOutput");
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<QString>("value");
    QTest::newRow("PulseAudio, no server") << "pulse" << QByteArray("PULSE_SERVER")
                                           << m_media.filePath(QStringLiteral("no-server/native")).prepend("unix:");
    QTest::newRow("ALSA, no device") << "alsa" << QByteArray("ALSA_CONFIG_PATH")
                                     << m_media.filePath(QStringLiteral("empty-alsa.conf"));
}

void TestMediaPlayerEndToEnd::noSoundDevice()
{
    QFETCH(QString, audioOutput);
    QFETCH(QByteArray, variable);
    QFETCH(QString, value);
    QFile emptyConfiguration(m_media.filePath(QStringLiteral("empty-alsa.conf")));
    QVERIFY(emptyConfiguration.open(QIODevice::WriteOnly));
    emptyConfiguration.close();
    const QString video = m_media.filePath(QStringLiteral("sounding.mp4"));
    QString error;
    if (!QFile::exists(video))
        QVERIFY2(TestProcesses::makeVideo(video, QStringLiteral("testsrc=size=320x240:rate=25"), true, 20, &error),
            qPrintable(error));
    qputenv(variable.constData(), value.toLocal8Bit());
    const auto restore = qScopeGuard([&variable] {
        qunsetenv(variable.constData());
    });

    // Sound alone cannot play: the player says why, not that a file is missing.
    auto player = makeTestPlayer(QStringLiteral("libmpv"), audioOutput);
    QVERIFY(player);
    player->setUrl(m_tone);
    QTRY_VERIFY2_WITH_TIMEOUT(
        player->status() == PlaybackStatus::noAudioOutput, qPrintable(messagesOf(*player)), startTimeoutMs);
    QCOMPARE(player->playbackState(), PlayerControl::PlaybackState::Stopped);

    // A video goes on without sound, and says so.
    QWidget window;
    showInWindow(window, *player, QSize(320, 280));
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    player->setUrl(video);
    QTRY_COMPARE_WITH_TIMEOUT(player->status(), PlaybackStatus::playingWithoutSound, startTimeoutMs);
    MpvSurface *surface = player->videoSurface();
    QVERIFY(surface);
    auto *picture = qobject_cast<QOpenGLWidget *>(surface->widget());
    QVERIFY(picture);
    QVERIFY(player->status().startsWith(QLatin1String("Lec")));
    QCOMPARE(player->controlBar()->statusText(), PlaybackStatus::playingWithoutSound);
    QTRY_VERIFY(player->face()->isHidden());
    QTRY_VERIFY(mpvString(*player, "time-pos").toDouble() > 1.0);
    const QImage first = picture->grabFramebuffer();
    QTRY_VERIFY_WITH_TIMEOUT(mpvString(*player, "time-pos").toDouble() > 2.0, 10000);
    const QImage second = picture->grabFramebuffer();
    QVERIFY(!isMostlyBlack(first));
    QVERIFY(first != second);
    QCOMPARE(player->status(), PlaybackStatus::playingWithoutSound);
    player->stop();
    QTRY_VERIFY(!player->face()->isHidden());
}

void TestMediaPlayerEndToEnd::pictureKeepsItsProportions_data()
{
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<bool>("stretchToFit");
    QTest::newRow("larger frame, fitted") << QSize(800, 560) << true;
    QTest::newRow("larger frame, own size") << QSize(800, 560) << false;
    QTest::newRow("smaller frame, fitted") << QSize(480, 320) << true;
    QTest::newRow("smaller frame, own size") << QSize(480, 320) << false;
    QTest::newRow("taller frame, fitted") << QSize(400, 600) << true;
}

void TestMediaPlayerEndToEnd::pictureKeepsItsProportions()
{
    QFETCH(QSize, frame);
    QFETCH(bool, stretchToFit);
    const QSize source(640, 360);
    const QString video = m_media.filePath(QStringLiteral("white.mp4"));
    QString error;
    if (!QFile::exists(video))
        QVERIFY2(
            TestProcesses::makeVideo(video, QStringLiteral("color=c=white:size=640x360:rate=25"), false, 30, &error),
            qPrintable(error));

    auto player = makeTestPlayer(QStringLiteral("libmpv"));
    QVERIFY(player);
    player->setStretchToFit(stretchToFit);
    QWidget window;
    showInWindow(window, *player, frame);
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.resize(frame.width(), frame.height() + player->controlBar()->sizeHint().height());

    player->setUrl(video);
    QTRY_COMPARE_WITH_TIMEOUT(player->status(), PlaybackStatus::playing, startTimeoutMs);
    MpvSurface *surface = player->videoSurface();
    QVERIFY(surface);
    auto *drawn = qobject_cast<QOpenGLWidget *>(surface->widget());
    QVERIFY(drawn);
    QTRY_COMPARE(drawn->size(), frame);
    QTRY_VERIFY(mpvString(*player, "time-pos").toDouble() > 0.5);
    const qreal fill = qMin(qreal(frame.width()) / source.width(), qreal(frame.height()) / source.height());
    const qreal scale = stretchToFit ? fill : qMin<qreal>(1, fill);
    const QSize expected = (QSizeF(source) * scale).toSize();
    QRect picture;
    // The first frames may be drawn before the new scaling reaches the renderer.
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            picture = brightArea(drawn->grabFramebuffer());
            return qAbs(picture.width() - expected.width()) <= 2 && qAbs(picture.height() - expected.height()) <= 2;
        }(),
        5000);
    // Centred, never distorted.
    QVERIFY(qAbs(picture.center().x() - frame.width() / 2) <= 2);
    QVERIFY(qAbs(picture.center().y() - frame.height() / 2) <= 2);
    QVERIFY(qAbs(qreal(picture.width()) / picture.height() - qreal(source.width()) / source.height()) < 0.02);
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // libmpv refuses a numeric locale with a decimal comma (this suite runs
    // under a French one).
    std::setlocale(LC_NUMERIC, "C");
    TestMediaPlayerEndToEnd test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mediaplayer_e2e.moc"
