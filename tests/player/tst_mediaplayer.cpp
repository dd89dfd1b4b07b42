#include "processes.h"
#include "testplayer.h"
#include "ui/playback/mediaplayer.h"
#include "ui/playback/playerbar.h"
#include "ui/playback/playerface.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <clocale>
#include <mpv/client.h>

namespace
{

QString mpvString(MediaPlayer &player, const char *property)
{
    char *value = mpv_get_property_string(player.session().engine()->handle(), property);
    const QString text = value ? QString::fromUtf8(value) : QString();
    mpv_free(value);
    return text;
}

std::unique_ptr<MediaPlayer> makePlayer(QString *error = nullptr)
{
    return makeTestPlayer(QStringLiteral("null"), QStringLiteral("null"), error);
}

} // namespace

// The player with null outputs, no network: creation, its widget, local files.
class TestMediaPlayer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refusesADecimalCommaWithoutAborting();
    void startsWithItsCreationSettings();
    void pictureMouseAndContextMenu();
    void faceBeforeAnythingPlays();
    void controlBarShowsTitlesAsWritten();
    void localFilePlaysToItsEnd();
    void missingLocalFileGivesAnError();
};

void TestMediaPlayer::refusesADecimalCommaWithoutAborting()
{
    // This suite runs under a French locale: libmpv refuses its decimal comma.
    QVERIFY(std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"));
    QString error;
    std::unique_ptr<MediaPlayer> refused = makePlayer(&error);
    std::setlocale(LC_NUMERIC, "C");
    QVERIFY(!refused);
    QVERIFY2(error.contains(QLatin1String("LC_NUMERIC")), qPrintable(error));
    QVERIFY(makePlayer());
}

void TestMediaPlayer::startsWithItsCreationSettings()
{
    auto player = makePlayer();
    QVERIFY(player);
    QCOMPARE(player->status(), QString());
    QCOMPARE(player->url(), QString());
    QCOMPARE(player->volume(), 50);
    QCOMPARE(mpvString(*player, "volume").toDouble(), 50.0);
    QCOMPARE(mpvString(*player, "mute"), QStringLiteral("no"));
    QVERIFY(player->stretchToFit());
    QCOMPARE(mpvString(*player, "keepaspect"), QStringLiteral("yes"));
    QCOMPARE(mpvString(*player, "video-unscaled"), QStringLiteral("no"));
    QVERIFY(player->isEnabled());
    QCOMPARE(player->playbackState(), PlayerControl::PlaybackState::Stopped);

    // Stopping before anything was loaded leaves the status empty.
    player->setUrl(QString());
    QCOMPARE(player->status(), QString());

    // Never distorted: only the scaling changes.
    player->setStretchToFit(false);
    QTRY_COMPARE(mpvString(*player, "video-unscaled"), QStringLiteral("downscale-big"));
    QCOMPARE(mpvString(*player, "keepaspect"), QStringLiteral("yes"));
    player->setStretchToFit(true);
    QTRY_COMPARE(mpvString(*player, "video-unscaled"), QStringLiteral("no"));
    QSignalSpy volumes(player.get(), &PlayerControl::volumeChanged);
    player->setVolume(130);
    QCOMPARE(player->volume(), 100);
    QTRY_COMPARE(mpvString(*player, "volume").toDouble(), 100.0);
    QCOMPARE(volumes.count(), 1);
    player->setMuted(true);
    QTRY_COMPARE(mpvString(*player, "mute"), QStringLiteral("yes"));
}

void TestMediaPlayer::pictureMouseAndContextMenu()
{
    auto player = makePlayer();
    QVERIFY(player);
    QWidget *widget = player->widget();
    widget->resize(320, 240);
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget));
    QWidget *picture = widget->findChild<QWidget *>(QStringLiteral("picture"));
    QVERIFY(picture);
    QVERIFY(player->controlBar());
    // The face over the picture lets the mouse through to it.
    QVERIFY(player->face()->isVisible());
    QCOMPARE(widget->childAt(picture->geometry().center()), picture);

    QSignalSpy downs(player.get(), &PlayerControl::mouseDown);
    QSignalSpy moves(player.get(), &PlayerControl::mouseMove);
    QTest::mousePress(picture, Qt::RightButton);
    QCOMPARE(downs.count(), 1);
    QCOMPARE(downs.last().at(0).toInt(), 2);
    QTest::mouseMove(picture, QPoint(10, 10));
    QTRY_VERIFY(!moves.isEmpty());

    QContextMenuEvent menuRequest(QContextMenuEvent::Mouse, QPoint(5, 5), picture->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(picture, &menuRequest);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QCOMPARE(QApplication::activePopupWidget()->objectName(), QStringLiteral("playerMenu"));
    QApplication::activePopupWidget()->close();

    player->setEnabled(false);
    QVERIFY(!player->isEnabled());
    QTest::mousePress(picture, Qt::RightButton);
    QCOMPARE(downs.count(), 1);
    QContextMenuEvent refusedRequest(QContextMenuEvent::Mouse, QPoint(5, 5), picture->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(picture, &refusedRequest);
    QTest::qWait(50);
    QVERIFY(!QApplication::activePopupWidget());

    player->setEnabled(true);
    QTest::mousePress(picture, Qt::LeftButton);
    QCOMPARE(downs.count(), 2);
    QCOMPARE(downs.last().at(0).toInt(), 1);
}

void TestMediaPlayer::faceBeforeAnythingPlays()
{
    QPixmap programPicture(64, 64);
    programPicture.fill(Qt::darkCyan);
    QApplication::setWindowIcon(QIcon(programPicture));
    auto player = makePlayer();
    QVERIFY(player);
    player->setDisplayName(QStringLiteral("Ondavox"));
    QWidget *widget = player->widget();
    widget->resize(480, 300);
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget));
    PlayerFace *face = player->face();
    QVERIFY(face->isVisible());
    QVERIFY(face->isWelcome());
    auto *hint = face->findChild<QLabel *>(QStringLiteral("faceHint"));
    QVERIFY(hint->isVisible());
    QCOMPARE(hint->text(), PlayerFace::welcomeLine);
    QVERIFY(!face->findChild<QLabel *>(QStringLiteral("faceName"))->isVisible());
    // The program's picture: a station's would need a file.
    QVERIFY(!face->showsGivenPicture());
    QVERIFY(!face->findChild<QLabel *>(QStringLiteral("facePicture"))->pixmap().isNull());

    // A stop with nothing chosen still welcomes.
    player->setUrl(QString());
    QVERIFY(face->isWelcome());
}

void TestMediaPlayer::controlBarShowsTitlesAsWritten()
{
    PlayerBar bar;
    const QString title = QStringLiteral("<b>Hits</b> <img src=\"x\"> & <i>more</i>");
    bar.setStatus(PlaybackStatus::playing, title);
    auto *status = bar.findChild<QLabel *>();
    QCOMPARE(status->textFormat(), Qt::PlainText);
    QCOMPARE(bar.statusText(), PlaybackStatus::playing + QStringLiteral(" – ") + title);
    // The tool tip reads the same, whatever Qt takes for markup in it.
    const QString tip = bar.statusToolTip();
    QString shown = tip;
    if (Qt::mightBeRichText(tip)) {
        QTextDocument document;
        document.setHtml(tip);
        shown = document.toPlainText();
    }
    QCOMPARE(shown, bar.statusText());
}

void TestMediaPlayer::localFilePlaysToItsEnd()
{
    if (QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty())
        QSKIP("ffmpeg is not installed");
    QTemporaryDir folder;
    const QString tone = folder.filePath(QStringLiteral("tone.mp3"));
    QString error;
    QVERIFY2(TestProcesses::makeTone(tone, 2, &error), qPrintable(error));

    const QString logo = folder.filePath(QStringLiteral("logo.png"));
    QImage logoImage(104, 35, QImage::Format_RGB32);
    logoImage.fill(Qt::yellow);
    QVERIFY(logoImage.save(logo));

    auto player = makePlayer();
    QVERIFY(player);
    player->widget();
    QSignalSpy statuses(player.get(), &PlayerControl::statusChanged);
    player->setPicture(logo);
    player->setUrl(tone);
    player->setDisplayName(QStringLiteral("<b>Rock</b> & <i>co</i>"));
    QTRY_COMPARE_WITH_TIMEOUT(player->status(), PlaybackStatus::playing, 10000);
    // No video: the face shows the station, its name as it was written.
    PlayerFace *face = player->face();
    QVERIFY(!face->isHidden());
    QVERIFY(!face->isWelcome());
    QVERIFY(face->showsGivenPicture());
    auto *name = face->findChild<QLabel *>(QStringLiteral("faceName"));
    QCOMPARE(name->text(), QStringLiteral("<b>Rock</b> & <i>co</i>"));
    QCOMPARE(name->textFormat(), Qt::PlainText);
    QCOMPARE(player->controlBar()->statusText(), PlaybackStatus::playing);
    QCOMPARE(statuses.first().at(0).toString(), PlaybackStatus::connecting);
    // A file that ends is not a failure.
    QTRY_COMPARE_WITH_TIMEOUT(player->status(), PlaybackStatus::ready, 10000);
    QCOMPARE(player->playbackState(), PlayerControl::PlaybackState::Stopped);
    QCOMPARE(player->url(), tone);

    // The picture goes with its address: kept by a stop and a replay, not
    // lent to an address given without one.
    player->stop();
    player->play();
    QVERIFY(face->showsGivenPicture());
    player->setUrl(tone + QStringLiteral(".other"));
    QVERIFY(!face->showsGivenPicture());
}

void TestMediaPlayer::missingLocalFileGivesAnError()
{
    auto player = makePlayer();
    QVERIFY(player);
    player->setUrl(QStringLiteral("/nonexistent/ondavox/nothing.mp3"));
    const QString missing = QStringLiteral("Erreur : fichier introuvable");
    QTRY_VERIFY2_WITH_TIMEOUT(player->status() == missing, qPrintable(messagesOf(*player)), 10000);
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    TestMediaPlayer test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mediaplayer.moc"
