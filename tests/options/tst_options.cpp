#include "core/desktop/keepontoptimer.h"
#include "core/state/preferences.h"
#include "core/state/startup.h"
#include "core/state/statestore.h"
#include "core/state/textfile.h"
#include "fakecontrols.h"
#include "messageboxanswerer.h"
#include "ui/shell/about.h"
#include "ui/shell/options.h"
#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/kivcheckbox.h"
#include "ui/skin/kivcommand.h"
#include "ui/skin/kivtextbox.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace
{

const QString testAddress = QStringLiteral("http://127.0.0.1:9/ovx_online/test_connexion.php");

class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public Q_SLOTS:
    void open(const QUrl &url) { urls.append(url); }
};

}

Q_DECLARE_METATYPE(Preferences)

class TestOptions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<QTemporaryDir>();
        m_store = std::make_unique<StateStore>();
        m_store->setUserFolder(m_folder->path());
        m_timerPPlan = std::make_unique<KeepOnTopTimer>();
        m_browser = std::make_unique<FakeBrowser>();
        m_options = std::make_unique<Options>(*m_store, *m_timerPPlan, *m_browser, nullptr, testAddress);
        m_options->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_options.get()));
    }

    void cleanup()
    {
        m_options.reset();
        m_browser.reset();
        m_timerPPlan.reset();
        m_store.reset();
        m_folder.reset();
    }

    void initialValuesAndCaptions()
    {
        QVERIFY(m_options->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(label("Label8")->text(), QStringLiteral("OPTIONS"));
        QCOMPARE(box("Check1")->text(), QStringLiteral("Lancer l'application au démarrage de l'ordinateur"));
        QCOMPARE(
            box("Check2")->text(), QStringLiteral("Lancer une radio ou une émission au démarrage de l'application "));
        QCOMPARE(box("Check3")->value(), 1);
        QCOMPARE(box("CheckCadre")->value(), 1);
        QCOMPARE(box("PseudoCheck")->value(), 0);
        QCOMPARE(box("KivCheckBox1")->value(), 0);
        QCOMPARE(fenetre()->currentIndex(), -1);
        QCOMPARE(fenetre()->count(), 3);
        QCOMPARE(fenetre()->itemText(0), QStringLiteral("Normale"));
        QCOMPARE(fenetre()->itemText(1), QStringLiteral("En Plein écran"));
        QCOMPARE(fenetre()->itemText(2), QStringLiteral("Dans la barre Systray"));
        QCOMPARE(label("Connected")->text(), QStringLiteral("Ondavox ne peut pas accéder à Internet."));
        QCOMPARE(urlDem()->text(), Preferences().urlDem);
        QCOMPARE(m_options->findChild<KivTextBox *>(QStringLiteral("URLMAJ"))->text(), Preferences().urlMaj);
        QVERIFY(label("Info")->text().isEmpty());
    }

    // What the user sets is what "Valider" writes, and a window created over
    // the record read back shows it again.
    void valuesRoundTripThroughTheRecord_data()
    {
        QTest::addColumn<Preferences>("wanted");

        Preferences all;
        all.check1 = 1;
        all.check2 = 1;
        all.urlDem = QStringLiteral("http://127.0.0.1:8000/live.mp3");
        all.fenetre = 2;
        all.check3 = 0;
        all.checkCadre = 0;
        all.pseudoCheck = 1;
        all.kivCheckBox1 = 1;
        QTest::newRow("everything changed") << all;

        Preferences some;
        some.check2 = 0;
        some.urlDem = QStringLiteral("mms://radio.example/flux 2");
        some.fenetre = 0;
        some.pseudoCheck = 1;
        QTest::newRow("address kept while its box is off") << some;

        Preferences fullScreen;
        fullScreen.fenetre = 1;
        fullScreen.urlDem = QString();
        QTest::newRow("empty address, full screen") << fullScreen;
    }

    void valuesRoundTripThroughTheRecord()
    {
        QFETCH(Preferences, wanted);
        MessageBoxAnswerer answerer;

        // The address can be typed only while its box is ticked.
        setBox("Check2", 1);
        QTRY_VERIFY(urlDem()->isEnabled());
        urlDem()->selectAll();
        QTest::keyClick(urlDem(), Qt::Key_Delete);
        QTest::keyClicks(urlDem(), wanted.urlDem);
        setBox("Check1", wanted.check1);
        setBox("Check2", wanted.check2);
        setBox("Check3", wanted.check3);
        setBox("CheckCadre", wanted.checkCadre);
        setBox("PseudoCheck", wanted.pseudoCheck);
        setBox("KivCheckBox1", wanted.kivCheckBox1);
        selectEntry(wanted.fenetre);

        clickCommand("Command2");
        QVERIFY(!m_options->isVisible());

        QFile file(m_store->userPath(Startup::preferencesName));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.endsWith("*\r\n"));
        QCOMPARE(bytes.count("\r\n"), 1);
        QCOMPARE(TextFile::decode(bytes.chopped(2)), EcritFichier(wanted));

        StateStore reread;
        Preferences read;
        QCOMPARE(readPreferencesRecord(TextFile::decode(bytes.chopped(2)), read), 9);
        reread.setPreferences(read);
        FakeBrowser browser;
        Options fresh(reread, *m_timerPPlan, browser, nullptr, testAddress);
        const auto value = [&fresh](const char *name) {
            return fresh.findChild<KivCheckBox *>(QLatin1String(name))->value();
        };
        QCOMPARE(value("Check1"), wanted.check1);
        QCOMPARE(value("Check2"), wanted.check2);
        QCOMPARE(fresh.findChild<KivTextBox *>(QStringLiteral("URLdem"))->text(), wanted.urlDem);
        QCOMPARE(fresh.findChild<QComboBox *>(QStringLiteral("Fenetre"))->currentIndex(), wanted.fenetre);
        QCOMPARE(value("Check3"), wanted.check3);
        QCOMPARE(value("CheckCadre"), wanted.checkCadre);
        QCOMPARE(value("PseudoCheck"), wanted.pseudoCheck);
        QCOMPARE(value("KivCheckBox1"), wanted.kivCheckBox1);
    }

    void preferencesLoadedLaterAreShown()
    {
        Preferences loaded;
        readPreferencesRecord(u"1*0*http://x/y*1*AideOVX.txt*0*0*1*0*", loaded);
        m_store->setPreferences(loaded);
        QCOMPARE(box("Check1")->value(), 1);
        QCOMPARE(urlDem()->text(), QStringLiteral("http://x/y"));
        QCOMPARE(fenetre()->currentIndex(), 1);
        QCOMPARE(box("Check3")->value(), 0);
        QCOMPARE(box("PseudoCheck")->value(), 1);
    }

    void cancelKeepsTheChange_data()
    {
        QTest::addColumn<QString>("closer");
        QTest::newRow("Annuler") << QStringLiteral("Command1");
        QTest::newRow("close pair") << QStringLiteral("Quitter2");
    }

    void cancelKeepsTheChange()
    {
        QFETCH(QString, closer);
        setBox("Check3", 0);
        if (closer == QStringLiteral("Command1"))
            clickCommand("Command1");
        else
            m_options->closePair()->click();
        QVERIFY(!m_options->isVisible());
        QCOMPARE(m_store->preferences().check3, 0);
        QVERIFY(!QFile::exists(m_store->userPath(Startup::preferencesName)));

        // Shown again, the window still has it; the orderly exit writes it.
        m_options->show();
        QCOMPARE(box("Check3")->value(), 0);
        QVERIFY(Startup::writePreferences(*m_store));
        const std::optional<QStringList> lines = TextFile::readLines(m_store->userPath(Startup::preferencesName));
        QVERIFY(lines);
        Preferences written;
        readPreferencesRecord(lines->join(QString()), written);
        QCOMPARE(written.check3, 0);
    }

    void unwritableRecordIsSaidAndTheWindowStays()
    {
        MessageBoxAnswerer answerer;
        // A folder where the file should be: it cannot be replaced.
        QVERIFY(QDir(m_folder->path()).mkdir(Startup::preferencesName));
        clickCommand("Command2");
        QCOMPARE(answerer.messages.size(), 1);
        QVERIFY(answerer.messages.first().text.contains(Startup::preferencesName));
        QVERIFY(m_options->isVisible());
    }

    void whatTheRecordCannotHoldIsRefusedInTheAddress_data()
    {
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("refused");
        QTest::addColumn<QString>("message");
        const QString star = QStringLiteral("Le caractère « * » ne peut pas figurer dans l'adresse.");
        QTest::newRow("star typed") << false << "b*c" << star;
        QTest::newRow("star pasted") << true << "x*y" << star;
        // Written as "?" in the Windows-1252 record, it would come back changed.
        QTest::newRow("outside Windows-1252, pasted")
            << true << QStringLiteral("/радио")
            << QStringLiteral("Le caractère « р » ne peut pas figurer dans l'adresse.");
    }

    void whatTheRecordCannotHoldIsRefusedInTheAddress()
    {
        QFETCH(bool, paste);
        QFETCH(QString, refused);
        MessageBoxAnswerer answerer;
        setBox("Check2", 1);
        QTRY_VERIFY(urlDem()->isEnabled());
        urlDem()->selectAll();
        QTest::keyClick(urlDem(), Qt::Key_Delete);
        QTest::keyClicks(urlDem(), QStringLiteral("http://a"));
        if (paste) {
            QGuiApplication::clipboard()->setText(refused);
            QTest::keyClick(urlDem(), Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(urlDem(), refused);
        }
        const QString expected = paste ? QStringLiteral("http://a")
                                       : QString(QStringLiteral("http://a") + refused).remove(QLatin1Char('*'));
        QCOMPARE(urlDem()->text(), expected);
        QCOMPARE(m_store->preferences().urlDem, expected);
        QCOMPARE(answerer.messages.size(), 1);
        QCOMPARE(answerer.messages.first().title, QStringLiteral("Ondavox"));
        QTEST(answerer.messages.first().text, "message");
        QCOMPARE(answerer.messages.first().buttons, 1);
        // The record keeps its nine fields.
        QCOMPARE(EcritFichier(m_store->preferences()).count(QLatin1Char('*')), 9);
    }

    void addressUsableExactlyWhileItsBoxIsTicked()
    {
        QTRY_VERIFY(!urlDem()->isEnabled());
        setBox("Check2", 1);
        QTRY_VERIFY(urlDem()->isEnabled());
        setBox("Check2", 0);
        QTRY_VERIFY(!urlDem()->isEnabled());
        // The store, however it changed, is what counts.
        Preferences preferences = m_store->preferences();
        preferences.check2 = 1;
        m_store->setPreferences(preferences);
        QTRY_VERIFY(urlDem()->isEnabled());
    }

    void keepOnTopBoxRearmsTheMainWindowTimer_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("armed");
        QTest::addColumn<bool>("message");
        QTest::addColumn<int>("interval");

        QTest::newRow("ticked, timer idle") << 0 << false << false << 50;
        QTest::newRow("ticked, timer armed") << 0 << true << false << 0;
        QTest::newRow("unticked, timer idle") << 1 << false << true << 50;
    }

    void keepOnTopBoxRearmsTheMainWindowTimer()
    {
        QFETCH(int, before);
        QFETCH(bool, armed);
        QFETCH(bool, message);
        QFETCH(int, interval);

        Preferences preferences = m_store->preferences();
        preferences.kivCheckBox1 = before;
        m_store->setPreferences(preferences);
        MessageBoxAnswerer answerer;
        if (armed)
            m_timerPPlan->setInterval(50);
        box("KivCheckBox1")->click();
        QCOMPARE(m_timerPPlan->interval(), interval);
        QCOMPARE(m_store->preferences().kivCheckBox1, 1 - before);
        QCOMPARE(answerer.messages.size(), message ? 1 : 0);
        if (message) {
            QCOMPARE(answerer.messages.first().title, QStringLiteral("Ondavox"));
            QCOMPARE(answerer.messages.first().text,
                QStringLiteral(
                    "Pour que les changements soient pris en compte, un redémarrage de l'application sera nécessaire"));
            QCOMPARE(answerer.messages.first().buttons, 1);
        }
    }

    void helpFollowsTheMouse_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("press");
        QTest::addColumn<QString>("help");

        QTest::newRow("Check1") << "Check1" << false
                                << "Cochez si vous voulez que le logiciel se lance à chaque démarrage de votre "
                                   "ordinateur.";
        QTest::newRow("Check2") << "Check2" << false
                                << "Cochez pour qu'une émission/radio se lance à chaque démarrage de l'application. "
                                   "Pourcela, spécifiez l'URL dans la zone de texte indiquée";
        QTest::newRow("Check3") << "Check3" << false
                                << "Cochez si vous voulez que la date de la veille s'affiche dans les menus, pour "
                                   "regarder les émissions d'hier";
        QTest::newRow("CheckCadre pressed")
            << "CheckCadre" << true
            << "Cochez si vous souhaitez que la vidéo que vous regarder se redimensionne toute seule en fonction de la "
               "taille de la fenêtre.";
        QTest::newRow("CheckCadre hovered") << "CheckCadre" << false << "";
        QTest::newRow("PseudoCheck") << "PseudoCheck" << false
                                     << "Si vous avez MSN Messenger, vous pouvez afficher votre lecture dans votre "
                                        "pseudo (il faut que la fonction 'activer ce que j'écoute' soit activée sur "
                                        "MSN)";
        QTest::newRow("Label3") << "Label3" << false
                                << "Spécifiez l'état de l'application à son lançement : Normalement, en plein écran "
                                   "ou caché dans la barre systray (près de l'horloge).";
        QTest::newRow("KivCheckBox1") << "KivCheckBox1" << false << "La fenêtre principale sera toujours visible.";
        QTest::newRow("Connected while untested") << "Connected" << false << "";
    }

    void helpFollowsTheMouse()
    {
        QFETCH(QString, control);
        QFETCH(bool, press);
        QFETCH(QString, help);

        auto *widget = m_options->findChild<QWidget *>(control);
        QVERIFY(widget);
        const QPoint inside(widget->width() / 2, widget->height() / 2);
        if (press) {
            QTest::mousePress(widget, Qt::RightButton, {}, inside);
            QTest::mouseRelease(widget, Qt::RightButton, {}, inside);
        } else {
            hover(widget, inside);
        }
        QTRY_COMPARE(label("Info")->text(), help);

        // The bare window empties the line.
        if (!help.isEmpty()) {
            hover(m_options.get(), bareWindowPoint());
            QTRY_VERIFY(label("Info")->text().isEmpty());
        }
    }

    // Only the bare window empties the help line, not the title strip.
    void titleStripKeepsTheHelp()
    {
        hover(box("Check1"), QPoint(8, 4));
        QTRY_VERIFY(!label("Info")->text().isEmpty());
        hover(label("Label8"), QPoint(4, 4));
        QTest::qWait(20);
        QVERIFY(!label("Info")->text().isEmpty());
    }

    void bareWindowShowsTheClosePairAgain()
    {
        ImageButtonPair *pair = m_options->closePair();
        const QImage normalImage = pair->grab().toImage();
        hover(pair, QPoint(pair->width() / 2, pair->height() / 2));
        QTRY_VERIFY(pair->grab().toImage() != normalImage);
        hover(m_options.get(), bareWindowPoint());
        QTRY_COMPARE(pair->grab().toImage(), normalImage);
    }

    void connectionResultIsShown_data()
    {
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QString>("help");

        QTest::newRow("loaded") << true << "Ondavox est bien connecté à Internet" << QColor(0, 128, 0) << "";
        QTest::newRow("failed") << false << "Ondavox ne peut pas accéder à Internet" << QColor(255, 0, 0)
                                << "Vérifiez que vous êtes bien connecté et que votre pare-feu ne bloque pas "
                                   "l'accès à Internet";
    }

    void connectionResultIsShown()
    {
        QFETCH(bool, loaded);
        QFETCH(QString, text);
        QFETCH(QColor, colour);
        QFETCH(QString, help);

        m_options->startConnectionTest();
        QCOMPARE(m_browser->addresses, QStringList { testAddress });
        if (loaded)
            Q_EMIT m_browser->navigateComplete(testAddress);
        else
            Q_EMIT m_browser->navigateError(testAddress, 0);
        QLabel *connected = label("Connected");
        QCOMPARE(connected->text(), text);
        connected->ensurePolished();
        QCOMPARE(connected->palette().color(connected->foregroundRole()), colour);

        hover(connected, QPoint(5, connected->height() / 2));
        QTRY_COMPARE(label("Info")->text(), help);

        m_options->findChild<QToolButton *>(QStringLiteral("RefreshBtn"))->click();
        QCOMPARE(m_browser->addresses, (QStringList { testAddress, testAddress }));
    }

    void buttonsOpenTheirWindows()
    {
        QSignalSpy annexe(m_options.get(), &Options::annexeRequested);
        QSignalSpy update(m_options.get(), &Options::updateRequested);
        clickCommand("Command3");
        QCOMPARE(annexe.size(), 1);
        clickCommand("KivCommand2");
        QCOMPARE(update.size(), 1);

        clickCommand("KivCommand3");
        QWidget *about = nullptr;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QStringLiteral("About") && window->isVisible())
                about = window;
        }
        QVERIFY(about);
        QCOMPARE(about->findChild<QLabel *>(QStringLiteral("Version"))->text(), QStringLiteral("0.64.1"));
    }

    void aboutOpensThePublishersPages()
    {
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &recorder, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &recorder, "open");
        About about(QStringLiteral("http://www.example.org"));
        about.show();
        for (const char *name : { "Dons", "Site", "Mail" })
            QTest::mouseClick(about.findChild<KivCommand *>(QLatin1String(name)), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QCOMPARE(recorder.urls,
            (QList<QUrl> { QUrl(QStringLiteral("http://www.example.org/dons.php")),
                QUrl(QStringLiteral("http://www.example.org/index-ovx.php")),
                QUrl(QStringLiteral("mailto:contact@example.org")) }));
        about.closePair()->click();
        QVERIFY(!about.isVisible());
    }

private:
    KivCheckBox *box(const char *name) { return m_options->findChild<KivCheckBox *>(QLatin1String(name)); }
    QLabel *label(const char *name) { return m_options->findChild<QLabel *>(QLatin1String(name)); }
    KivTextBox *urlDem() { return m_options->findChild<KivTextBox *>(QStringLiteral("URLdem")); }
    QComboBox *fenetre() { return m_options->findChild<QComboBox *>(QStringLiteral("Fenetre")); }

    void setBox(const char *name, int value)
    {
        if (box(name)->value() != value)
            QTest::mouseClick(box(name), Qt::LeftButton, {}, QPoint(8, box(name)->height() / 2));
        QCOMPARE(box(name)->value(), value);
    }

    void clickCommand(const char *name)
    {
        QTest::mouseClick(m_options->findChild<KivCommand *>(QLatin1String(name)), Qt::LeftButton);
    }

    // The user's way to a list entry: the keyboard, from the first entry down.
    void selectEntry(int index)
    {
        if (index < 0)
            return;
        QTest::keyClick(fenetre(), Qt::Key_Home);
        for (int step = 0; step < index; ++step)
            QTest::keyClick(fenetre(), Qt::Key_Down);
        QCOMPARE(fenetre()->currentIndex(), index);
    }

    // A move to where the pointer already is raises no event: come from beside.
    void hover(QWidget *widget, QPoint position)
    {
        QTest::mouseMove(widget, position + QPoint(1, 0));
        QTest::mouseMove(widget, position);
    }

    // A point of the window between its frames, on no control.
    QPoint bareWindowPoint()
    {
        QWidget *content = m_options->content();
        const QPoint point = content->mapTo(m_options.get(), QPoint(4, content->height() - 4));
        return m_options->childAt(point) == content ? point : QPoint(-1, -1);
    }

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<StateStore> m_store;
    std::unique_ptr<KeepOnTopTimer> m_timerPPlan;
    std::unique_ptr<FakeBrowser> m_browser;
    std::unique_ptr<Options> m_options;
};

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
