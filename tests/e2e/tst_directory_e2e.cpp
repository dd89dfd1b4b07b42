#include "app/application.h"
#include "core/directory/directorysearch.h"
#include "core/directory/faviconcache.h"
#include "core/favourites/favouritesstore.h"
#include "core/playback/playercontrol.h"
#include "directorystandin.h"
#include "icecastserver.h"
#include "mprisname.h"
#include "screencolour.h"
#include "toolbarbutton.h"
#include "ui/catalogue/autre.h"
#include "ui/directory/annuaire.h"
#include "ui/directory/directorymodel.h"
#include "ui/shell/radio.h"
#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/kivcommand.h"
#include "ui/skin/kivtextbox.h"

#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDropEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>

// The whole program in one process, asking the stand-in directory on
// 127.0.0.1 (through ONDAVOX_DIRECTORY_URL, as a user would set it) and
// playing its stations from a local icecast2: a person's way from the radio
// window to a station found by its name, heard, and kept.
class TestDirectoryE2e : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void findHearAndKeepFip();
    void playerMenuOpensTheDirectory();
    void listDroppedOnTheMainWindowOpensInTheDirectory();

private:
    Annuaire *shownAnnuaire() const;
    QVariantMap mprisMetadata();

    QTemporaryDir m_home;
    IcecastServer m_icecast;
    DirectoryStandIn m_standIn;
    std::unique_ptr<Application> m_app;
};

void TestDirectoryE2e::initTestCase()
{
    const QString missing = IcecastServer::missingTools();
    if (!missing.isEmpty())
        QSKIP(qPrintable(missing));
    QString error;
    QVERIFY2(m_icecast.start(&error), qPrintable(error));
    QVERIFY2(m_standIn.start(qEnvironmentVariable("ONDAVOX_TEST_DATA") + QStringLiteral("/directory"), 0, &error),
        qPrintable(error));
    m_standIn.setStreamAddress(m_icecast.streamUrl());

    qputenv("XDG_DATA_HOME", m_home.filePath("data").toUtf8());
    qputenv("XDG_CONFIG_HOME", m_home.filePath("config").toUtf8());
    qputenv("XDG_CACHE_HOME", m_home.filePath("cache").toUtf8());
    qputenv("ONDAVOX_DIRECTORY_URL", m_standIn.url().toUtf8());
    m_app = std::make_unique<Application>();
    m_app->start();
    QVERIFY(QTest::qWaitForWindowExposed(&m_app->windows().radio()));
    Preferences preferences = m_app->store().preferences();
    preferences.pseudoCheck = 1;
    m_app->store().setPreferences(preferences);
}

void TestDirectoryE2e::cleanupTestCase()
{
    m_app.reset();
}

Annuaire *TestDirectoryE2e::shownAnnuaire() const
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *annuaire = qobject_cast<Annuaire *>(window); annuaire && annuaire->isVisible())
            return annuaire;
    }
    return nullptr;
}

QVariantMap TestDirectoryE2e::mprisMetadata()
{
    const QString service = mprisNameOf(QCoreApplication::applicationPid());
    QDBusMessage message = QDBusMessage::createMethodCall(service,
        QStringLiteral("/org/mpris/MediaPlayer2"),
        QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    message << QStringLiteral("org.mpris.MediaPlayer2.Player") << QStringLiteral("Metadata");
    // A connection of the test's own: the program answers on its own connection meanwhile.
    QDBusConnection client = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("e2e-client"));
    const QDBusMessage reply = client.call(message, QDBus::BlockWithGui);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    QVariantMap metadata;
    reply.arguments().constFirst().value<QDBusVariant>().variant().value<QDBusArgument>() >> metadata;
    return metadata;
}

void TestDirectoryE2e::findHearAndKeepFip()
{
    // The radio window's button of its own opens the directory.
    toolbarButton(m_app->windows().radio(), QStringLiteral("Radios"))->click();
    Autre &autre = m_app->windows().autre();
    QVERIFY(QTest::qWaitForWindowExposed(&autre));
    autre.findChild<KivCommand *>(QStringLiteral("Annuaire"))->click();
    QTRY_VERIFY(shownAnnuaire());
    Annuaire *annuaire = shownAnnuaire();
    QVERIFY(QTest::qWaitForWindowExposed(annuaire));

    annuaire->searchField()->setFocus();
    QTest::keyClicks(annuaire->searchField(), QStringLiteral("FIP"));
    // The opening list has FIP first too: the typed search is the one to wait for.
    QTRY_VERIFY(m_standIn.lastSearch().queryItemValue(QStringLiteral("name")) == u"FIP" && !annuaire->search().isBusy()
        && annuaire->model().rowCount() > 0);
    QCOMPARE(annuaire->model().station(0).name, QStringLiteral("FIP"));
    const DirectoryStation fip = annuaire->model().station(0);
    QTRY_VERIFY(!annuaire->faviconCache().path(fip.favicon).isEmpty());
    const QString picture = annuaire->faviconCache().path(fip.favicon);
    QVERIFY(picture.startsWith(m_home.filePath("cache")));

    const QRect row = annuaire->results()->visualRect(annuaire->model().index(0));
    QTest::mouseClick(annuaire->results()->viewport(), Qt::LeftButton, {}, row.center());
    QTRY_COMPARE_WITH_TIMEOUT(m_app->store().divers(), QStringLiteral("Lecture de FIP"), 20000);
    QVERIFY(m_app->player().status().startsWith(QStringLiteral("Lecture")));
    QTRY_COMPARE(m_standIn.clicks(fip.uuid), 1);

    annuaire->findChild<KivCommand *>(QStringLiteral("AjouterFavoris"))->click();
    const Favori added = m_app->favourites().slot(0);
    QCOMPARE(added.nom, QStringLiteral("FIP"));
    QCOMPARE(added.type, Favori::Type::Radio);
    QCOMPARE(added.url, m_icecast.streamUrl());
    QFile file(m_app->favourites().path());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("Radio*" + m_icecast.streamUrl().toUtf8() + "*FIP*"));
    annuaire->close();
    autre.hide();
    QTRY_VERIFY(!shownAnnuaire());

    // The player's face shows the station's picture (FIP's is pink), and the
    // desktop's media controls name it while the now-playing option is on.
    QTRY_VERIFY_WITH_TIMEOUT(shareOnScreen(&m_app->windows().radio(), QColor(0xe2, 0x00, 0x7a)) > 0.001, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(
        mprisMetadata().value(QStringLiteral("xesam:title")).toString(), QStringLiteral("FIP - Ondavox"), 5000);
}

void TestDirectoryE2e::playerMenuOpensTheDirectory()
{
    QMenu *menu = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QStringLiteral("playerBarMenu"))
            menu = qobject_cast<QMenu *>(window);
    }
    QVERIFY(menu);
    QAction *open = nullptr;
    for (QAction *action : menu->actions()) {
        if (action->text() == QStringLiteral("Annuaire des radios…"))
            open = action;
    }
    QVERIFY(open);
    open->trigger();
    QTRY_VERIFY(shownAnnuaire());
    shownAnnuaire()->close();
    QTRY_VERIFY(!shownAnnuaire());
}

void TestDirectoryE2e::listDroppedOnTheMainWindowOpensInTheDirectory()
{
    const QString path = m_home.filePath(QStringLiteral("radios.pls"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[playlist]\nNumberOfEntries=2\nFile1=" + m_icecast.streamUrl().toUtf8()
        + "\nTitle1=Rires et chansons\nFile2=http://127.0.0.1:9/none.mp3\nTitle2=Station morte\n");
    file.close();

    QMimeData data;
    data.setUrls({ QUrl::fromLocalFile(path) });
    Radio &radio = m_app->windows().radio();
    const QPoint middle = radio.rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&radio, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(middle, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&radio, &drop);
    QTRY_VERIFY(shownAnnuaire());
    Annuaire *annuaire = shownAnnuaire();
    QTRY_COMPARE(annuaire->model().rowCount(), 2);
    QCOMPARE(annuaire->model().station(0).name, QStringLiteral("Rires et chansons"));
    QCOMPARE(annuaire->model().station(1).name, QStringLiteral("Station morte"));

    // A station that does not answer: the directory window says so, the program goes on.
    annuaire->play(1);
    QTRY_VERIFY_WITH_TIMEOUT(m_app->player().status().startsWith(QStringLiteral("Erreur")), 15000);
    QTRY_VERIFY(
        annuaire->findChild<QLabel *>(QStringLiteral("Avis"))->text().contains(QStringLiteral("Station morte")));
    annuaire->close();
}

int main(int argc, char *argv[])
{
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ondavox"));
    std::setlocale(LC_NUMERIC, "C");
    TestDirectoryE2e test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_directory_e2e.moc"
