#include "ui/playback/playerface.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

// The face of the player while a stream without pictures plays.
class TestPlayerFace : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stationPictureGrowsAtMostTwice_data();
    void stationPictureGrowsAtMostTwice();
};

void TestPlayerFace::stationPictureGrowsAtMostTwice_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("face");

    QTest::newRow("small logo in a large face") << QSize(104, 35) << QSize(1200, 900);
    QTest::newRow("tall logo") << QSize(30, 60) << QSize(1200, 900);
}

// Enlarged further, a small picture shows blurred.
void TestPlayerFace::stationPictureGrowsAtMostTwice()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, face);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("logo.png"));
    QImage image(picture, QImage::Format_RGB32);
    image.fill(Qt::yellow);
    QVERIFY(image.save(path));

    PlayerFace view;
    view.setWelcome(false);
    view.setPicture(path);
    view.resize(face);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QVERIFY(view.showsGivenPicture());
    const QPixmap shown = view.findChild<QLabel *>(QStringLiteral("facePicture"))->pixmap();
    const QSize size = (QSizeF(shown.size()) / shown.devicePixelRatio()).toSize();
    QVERIFY2(
        size.width() > picture.width() && size.width() <= 2 * picture.width() && size.height() <= 2 * picture.height(),
        qPrintable(QStringLiteral("%1x%2").arg(size.width()).arg(size.height())));
}

QTEST_MAIN(TestPlayerFace)
#include "tst_playerface.moc"
