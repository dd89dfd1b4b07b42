#include "core/desktop/keepontoptimer.h"
#include "core/state/statestore.h"
#include "toolbarbutton.h"
#include "ui/shell/radio.h"
#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/twips.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

namespace
{

// The mouse arriving over a widget: it enters, then moves with no button held.
void moveOver(QWidget *widget, QPoint pos = QPoint(2, 2))
{
    const QPointF global = widget->mapToGlobal(QPointF(pos));
    QEnterEvent enter(pos, pos, global);
    QApplication::sendEvent(widget, &enter);
    QMouseEvent move(QEvent::MouseMove, pos, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

} // namespace

// The main window's chrome, without player or browser.
class TestRadio : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void tooSmallWindowComesBackToTheMinimum();
    void playerAndBrowserFillTheAreaBelowTheHeader();
    void toolbarHintStaysUntilTheBareWindow_data();
    void toolbarHintStaysUntilTheBareWindow();
    void windowButtonsHaveTheirTooltips_data();
    void windowButtonsHaveTheirTooltips();
    void enlargeAlternatesTheMode();
    void closeButtonsEndWithoutTheExitSequence();
    void keepOnTopTimerArmsOnceAndDisarms();
    void namesAndStatusShowAsWritten();

private:
    std::unique_ptr<StateStore> m_store;
    std::unique_ptr<Radio> m_radio;
};

void TestRadio::init()
{
    m_store = std::make_unique<StateStore>();
    m_radio = std::make_unique<Radio>(*m_store);
    m_radio->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_radio.get()));
}

void TestRadio::cleanup()
{
    m_radio.reset();
}

void TestRadio::tooSmallWindowComesBackToTheMinimum()
{
    m_radio->setMinimumSize(0, 0);
    m_radio->resize(Twips::toPixels(3000), Twips::toPixels(1500));
    QTRY_VERIFY(Twips::fromPixels(m_radio->width()) >= 4900);
    QVERIFY(Twips::fromPixels(m_radio->height()) >= 2090);
    QVERIFY(Twips::fromPixels(m_radio->width()) < 4900 + Twips::PerPixel);
    QVERIFY(Twips::fromPixels(m_radio->height()) < 2090 + Twips::PerPixel);
}

void TestRadio::playerAndBrowserFillTheAreaBelowTheHeader()
{
    auto *player = new QWidget;
    auto *browser = new QWidget;
    m_radio->setPlayerWidget(player);
    m_radio->setBrowserWidget(browser);
    m_radio->resize(800, 600);
    QTRY_COMPARE(player->geometry(), QRect(0, Radio::headerHeight, 800, 600 - Radio::headerHeight));
    QCOMPARE(browser->geometry(), player->geometry());
}

void TestRadio::toolbarHintStaysUntilTheBareWindow_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("hint");
    QTest::newRow("radios") << "Radios"
                            << "- Sélectionner une radio à écouter";
    QTest::newRow("tv") << "Tv"
                        << "- Sélectionner une émission TV à regarder";
    QTest::newRow("favourites") << "BtnFavoris"
                                << "- Voir et éditer les Favoris";
    QTest::newRow("stop") << "Arret"
                          << "- Arrêter la lecture en cours";
    QTest::newRow("refresh") << "RefreshBtn"
                             << "- Actualiser";
    QTest::newRow("options") << "BoutonOptions"
                             << "- Options";
}

void TestRadio::toolbarHintStaysUntilTheBareWindow()
{
    QFETCH(QString, button);
    QFETCH(QString, hint);

    ImageButtonPair *pair = toolbarButton(*m_radio, button);
    QVERIFY(pair);
    const QImage normalImage = pair->grab().toImage();
    moveOver(pair);
    QCOMPARE(m_store->divers(), hint);
    QVERIFY(pair->grab().toImage() != normalImage);

    moveOver(m_radio.get(), QPoint(m_radio->width() / 2, Radio::headerHeight - 5));
    QCOMPARE(m_store->divers(), QString());
    QCOMPARE(pair->grab().toImage(), normalImage);
}

void TestRadio::windowButtonsHaveTheirTooltips_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("normal");
    QTest::addColumn<QString>("hover");
    QTest::newRow("quit") << "Quitter"
                          << "Quitter"
                          << "Quitter";
    QTest::newRow("enlarge") << "Agrandir"
                             << "Agrandir"
                             << "Agrandir";
    QTest::newRow("minimise") << "Reduire"
                              << "Réduire"
                              << "Réduire";
    QTest::newRow("tray") << "Systray"
                          << "Cacher dans la bare systray"
                          << "Cacher dans la barre systray";
    QTest::newRow("on top") << "PPlan"
                            << "Garder la fenêtre au 1er plan"
                            << "Garder la fenêtre au premier plan.";
}

void TestRadio::windowButtonsHaveTheirTooltips()
{
    QFETCH(QString, button);
    ImageButtonPair *pair = toolbarButton(*m_radio, button);
    QVERIFY(pair);
    QTEST(pair->toolTip(), "normal");
    const QImage normalImage = pair->grab().toImage();
    // Window buttons give no status-line hint.
    moveOver(pair);
    QVERIFY(pair->grab().toImage() != normalImage);
    QTEST(pair->toolTip(), "hover");
    QCOMPARE(m_store->divers(), QString());
}

void TestRadio::enlargeAlternatesTheMode()
{
    // The hover image answers the click, as for the close button.
    ImageButtonPair *pair = toolbarButton(*m_radio, "Agrandir");
    moveOver(pair);
    QTest::mouseClick(pair, Qt::LeftButton);
    QCOMPARE(m_store->modeEcran(), QStringLiteral("Grand"));
    moveOver(pair);
    QTest::mouseClick(pair, Qt::LeftButton);
    QCOMPARE(m_store->modeEcran(), QStringLiteral("Normal"));
}

void TestRadio::closeButtonsEndWithoutTheExitSequence()
{
    QSignalSpy quit(m_radio.get(), &Radio::quitRequested);
    QSignalSpy orderly(m_radio.get(), &Radio::closeRequested);
    ImageButtonPair *pair = toolbarButton(*m_radio, "Quitter");
    moveOver(pair);
    QTest::mouseClick(pair, Qt::LeftButton);
    QCOMPARE(quit.size(), 1);
    QCOMPARE(orderly.size(), 0);

    // The window manager's close runs the orderly exit instead, and the
    // window stays until that sequence ends the program.
    m_radio->close();
    QCOMPARE(orderly.size(), 1);
    QVERIFY(m_radio->isVisible());
}

void TestRadio::keepOnTopTimerArmsOnceAndDisarms()
{
    KeepOnTopTimer timer;
    QSignalSpy fired(&timer, &KeepOnTopTimer::fired);
    // A quick click: mouse-down arms, the click disarms before it fires.
    timer.toggle();
    QCOMPARE(timer.interval(), 50);
    timer.toggle();
    QCOMPARE(timer.interval(), 0);
    QTest::qWait(120);
    QCOMPARE(fired.size(), 0);

    // A held button: it fires once and disarms itself.
    timer.toggle();
    QTRY_COMPARE(fired.size(), 1);
    QCOMPARE(timer.interval(), 0);
    QTest::qWait(120);
    QCOMPARE(fired.size(), 1);
}

void TestRadio::namesAndStatusShowAsWritten()
{
    // A station may be called anything; nothing in its name is markup.
    const QString name = QStringLiteral("<b>Rock</b> <img src=\"x\"> & co");
    m_store->setLecture(name);
    m_store->setDivers(QStringLiteral("Lecture de ") + name);
    for (const char *objectName : { "Lecture", "Divers" }) {
        auto *label = m_radio->findChild<QLabel *>(QLatin1String(objectName));
        QVERIFY(label);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QVERIFY(label->text().endsWith(name));
    }
}

QTEST_MAIN(TestRadio)
#include "tst_radio.moc"
