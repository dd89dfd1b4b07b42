#include "ui/skin/kivcheckbox.h"
#include "ui/skin/kivcommand.h"
#include "ui/skin/kivframe.h"
#include "ui/skin/kivoptionbutton.h"
#include "ui/skin/kivprogressbar.h"
#include "ui/skin/kivtextbox.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

class TestKivControls : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checkBoxClickCarriesNewValue_data();
    void checkBoxClickCarriesNewValue();
    void checkBoxWrittenByCodeRaisesNoClick();
    void checkBoxReportsHoverAndPress();
    void optionGroupKeepsExactlyOneSelected();
    void progressBarClampsWhatItShows_data();
    void progressBarClampsWhatItShows();
    void commandRespondsToKeysAndDisabling_data();
    void commandRespondsToKeysAndDisabling();
    void textBoxKeyCanBeDiscarded();
    void textBoxUsableState();
    void controlsExposeTheirCaption();
};

void TestKivControls::checkBoxClickCarriesNewValue_data()
{
    QTest::addColumn<int>("initial");
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("expected");
    for (const char *how : { "mouse", "space", "enter" }) {
        QTest::addRow("%s from 0", how) << 0 << QString::fromLatin1(how) << 1;
        QTest::addRow("%s from 1", how) << 1 << QString::fromLatin1(how) << 0;
    }
}

void TestKivControls::checkBoxClickCarriesNewValue()
{
    QFETCH(int, initial);
    QFETCH(QString, how);
    QFETCH(int, expected);

    KivCheckBox box(QStringLiteral("Journaux"));
    box.setValue(initial);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QSignalSpy clicks(&box, &KivCheckBox::Click);

    if (how == QLatin1String("mouse"))
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(8, box.height() / 2));
    else if (how == QLatin1String("space"))
        QTest::keyClick(&box, Qt::Key_Space);
    else
        QTest::keyClick(&box, Qt::Key_Return);

    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.first().first().toInt(), expected);
    QCOMPARE(box.value(), expected);
}

void TestKivControls::checkBoxWrittenByCodeRaisesNoClick()
{
    KivCheckBox box(QStringLiteral("Clips"));
    QSignalSpy clicks(&box, &KivCheckBox::Click);
    box.setValue(1);
    QCOMPARE(box.value(), 1);
    box.setValue(0);
    QCOMPARE(box.value(), 0);
    box.setValue(7);
    QCOMPARE(box.value(), 1);
    QCOMPARE(clicks.count(), 0);
}

namespace
{
// An options window: hover help on its boxes, cleared over its bare surface.
struct HelpWindow : QWidget {
    HelpWindow()
        : box(new KivCheckBox(QStringLiteral("Lancer au démarrage"), this))
    {
        setMouseTracking(true);
        box->move(10, 10);
        resize(300, 100);
    }
    void mouseMoveEvent(QMouseEvent *) override { ++bareMoves; }
    KivCheckBox *box;
    int bareMoves = 0;
};
}

void TestKivControls::checkBoxReportsHoverAndPress()
{
    HelpWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    KivCheckBox *box = window.box;
    QSignalSpy moves(box, &KivCheckBox::MouseMove);
    QSignalSpy downs(box, &KivCheckBox::MouseDown);

    QTest::mouseMove(box, QPoint(20, box->height() / 2));
    QTRY_VERIFY(moves.count() >= 1);
    QCOMPARE(window.bareMoves, 0);
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(20, box->height() / 2));
    QCOMPARE(downs.count(), 1);
    QCOMPARE(downs.first().first().value<Qt::MouseButton>(), Qt::LeftButton);
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(20, box->height() / 2));

    QTest::mouseMove(&window, QPoint(250, 80));
    QTRY_VERIFY(window.bareMoves >= 1);
}

void TestKivControls::optionGroupKeepsExactlyOneSelected()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *google = new KivOptionButton(QStringLiteral("Google Videos"), &window);
    auto *youtube = new KivOptionButton(QStringLiteral("Youtube"), &window);
    auto *daily = new KivOptionButton(QStringLiteral("Dailymotion"), &window);
    layout->addWidget(google);
    layout->addWidget(youtube);
    layout->addWidget(daily);
    const auto selectedCount = [&] {
        return google->value() + youtube->value() + daily->value();
    };

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(selectedCount(), 1);
    QCOMPARE(google->value(), 1);

    QSignalSpy clicks(youtube, &KivOptionButton::Click);
    QTest::mouseClick(youtube, Qt::LeftButton, {}, QPoint(8, youtube->height() / 2));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(youtube->value(), 1);
    QCOMPARE(selectedCount(), 1);

    daily->setValue(1);
    QCOMPARE(daily->value(), 1);
    QCOMPARE(selectedCount(), 1);

    // Clearing the selected one would leave the group without a choice.
    daily->setValue(0);
    QCOMPARE(daily->value(), 1);
    QCOMPARE(selectedCount(), 1);

    google->setFocus();
    QTest::keyClick(google, Qt::Key_Space);
    QCOMPARE(google->value(), 1);
    QCOMPARE(selectedCount(), 1);
}

void TestKivControls::progressBarClampsWhatItShows_data()
{
    QTest::addColumn<int>("upperBound");
    QTest::addColumn<int>("progress");
    QTest::addColumn<double>("shown");
    QTest::newRow("half") << 200 << 100 << 0.5;
    QTest::newRow("complete") << 10000 << 10000 << 1.0;
    QTest::newRow("above the bound") << 100 << 250 << 1.0;
    QTest::newRow("negative value") << 100 << -5 << 0.0;
    QTest::newRow("zero bound") << 0 << 50 << 0.0;
    QTest::newRow("negative bound") << -100 << 50 << 0.0;
    QTest::newRow("huge numbers") << 2147483647 << 2147483647 << 1.0;
}

void TestKivControls::progressBarClampsWhatItShows()
{
    QFETCH(int, upperBound);
    QFETCH(int, progress);
    QFETCH(double, shown);

    KivProgressBar bar;
    bar.setUpperBound(upperBound);
    bar.setProgress(progress);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));

    const double displayed = double(bar.value() - bar.minimum()) / (bar.maximum() - bar.minimum());
    QCOMPARE(displayed, shown);
}

void TestKivControls::commandRespondsToKeysAndDisabling_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("space") << int(Qt::Key_Space);
    QTest::newRow("return") << int(Qt::Key_Return);
    QTest::newRow("keypad enter") << int(Qt::Key_Enter);
}

void TestKivControls::commandRespondsToKeysAndDisabling()
{
    QFETCH(int, key);
    KivCommand button(QStringLiteral("Valider"));
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QSignalSpy clicks(&button, &KivCommand::Click);

    QTest::keyClick(&button, Qt::Key(key));
    QCOMPARE(clicks.count(), 1);

    button.setEnabled(false);
    QTest::keyClick(&button, Qt::Key(key));
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);

    button.setEnabled(true);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicks.count(), 2);
}

void TestKivControls::textBoxKeyCanBeDiscarded()
{
    QWidget window;
    auto *field = new KivTextBox(&window);
    // Keeps letters only, as a search field's filter would.
    connect(field, &KivTextBox::KeyPress, field, [](QKeyEvent *event) {
        if (!event->text().isEmpty() && !event->text().at(0).isLetter())
            event->ignore();
    });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    field->setFocus();

    QTest::keyClicks(field, QStringLiteral("a!b."));
    QCOMPARE(field->text(), QStringLiteral("ab"));
}

void TestKivControls::textBoxUsableState()
{
    KivTextBox field;
    field.setText(QStringLiteral("http://radio.example/flux"));
    field.setUsable(false);
    QVERIFY(!field.isEnabled());
    field.show();
    QVERIFY(QTest::qWaitForWindowExposed(&field));
    QTest::keyClicks(&field, QStringLiteral("xyz"));
    QCOMPARE(field.text(), QStringLiteral("http://radio.example/flux"));

    field.setUsable(true);
    QVERIFY(field.isEnabled());
    field.setFocus();
    QTest::keyClick(&field, Qt::Key_End);
    QTest::keyClicks(&field, QStringLiteral("2"));
    QCOMPARE(field.text(), QStringLiteral("http://radio.example/flux2"));
}

void TestKivControls::controlsExposeTheirCaption()
{
    KivCommand command(QStringLiteral("Ajouter aux Favoris"));
    KivCheckBox check(QStringLiteral("Météo"));
    KivOptionButton option(QStringLiteral("Youtube"));
    KivFrame frame(QStringLiteral("Préférences : "));
    // A caption changed later, by either name, is what a screen reader reads.
    command.setCaption(QStringLiteral("Lancer"));
    check.setText(QStringLiteral("Journaux"));

    const auto nameOf = [](QWidget *widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    };
    QCOMPARE(nameOf(&command), QStringLiteral("Lancer"));
    QCOMPARE(nameOf(&check), QStringLiteral("Journaux"));
    QCOMPARE(nameOf(&option), QStringLiteral("Youtube"));
    QCOMPARE(nameOf(&frame), QStringLiteral("Préférences : "));
    for (QWidget *control : std::initializer_list<QWidget *> { &command, &check, &option })
        QCOMPARE(control->focusPolicy(), Qt::StrongFocus);
}

QTEST_MAIN(TestKivControls)
#include "tst_kivcontrols.moc"
