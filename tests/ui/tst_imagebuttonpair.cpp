#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/skin.h"

#include <QAccessible>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

Q_DECLARE_METATYPE(ImageButtonPair::Image)

namespace
{

const QString RadioTip = QStringLiteral("Sélectionner une radio à écouter");
const QString RadioHint = QStringLiteral("- Sélectionner une radio à écouter");

// A toolbar with one pair and the status line its hint goes to.
struct Toolbar : QWidget {
    Toolbar()
        : pair(new ImageButtonPair(QStringLiteral("radio"), this))
        , status(new QLabel(this))
    {
        auto *layout = new QHBoxLayout(this);
        layout->addWidget(pair);
        layout->addWidget(status);
        layout->addStretch();
        pair->setToolTips(RadioTip, RadioTip);
        pair->setHint(RadioHint);
        connect(pair, &ImageButtonPair::hovered, status, [this](const QString &hint) {
            if (!hint.isEmpty())
                status->setText(hint);
        });
        resize(300, 60);
    }
    ImageButtonPair *pair;
    QLabel *status;
};

}

class TestImageButtonPair : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hoverRevealsHoverImageAndWritesHint();
    void clicksReachOnlyTheConfiguredImage_data();
    void clicksReachOnlyTheConfiguredImage();
    void keyboardRunsThePairsAction_data();
    void keyboardRunsThePairsAction();
    void accessibleNameIsTheNormalToolTip();
    void skinImagesAndStyleSheetResolve();
};

void TestImageButtonPair::hoverRevealsHoverImageAndWritesHint()
{
    Toolbar toolbar;
    toolbar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&toolbar));
    QVERIFY(toolbar.pair->isNormalImageShown());
    QCOMPARE(toolbar.pair->size(), QSize(44, 44));

    QTest::mouseMove(toolbar.pair, QPoint(10, 10));
    QTRY_VERIFY(!toolbar.pair->isNormalImageShown());
    QCOMPARE(toolbar.status->text(), RadioHint);

    // The window's bare surface brings the normal image back.
    toolbar.pair->showNormalImage();
    QVERIFY(toolbar.pair->isNormalImageShown());
}

void TestImageButtonPair::clicksReachOnlyTheConfiguredImage_data()
{
    QTest::addColumn<ImageButtonPair::Images>("clickImages");
    QTest::addColumn<ImageButtonPair::Images>("mouseDownImages");
    QTest::addColumn<bool>("normalShownAtPress");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("mouseDowns");

    using P = ImageButtonPair;
    // The close pair of the browsers: only the hover image closes.
    QTest::newRow("hover click, hover pressed") << P::Images(P::HoverImage) << P::Images() << false << 1 << 0;
    QTest::newRow("hover click, normal pressed") << P::Images(P::HoverImage) << P::Images() << true << 0 << 0;
    // Minimise: both click, the normal image also reacts to the press.
    QTest::newRow("minimise, normal pressed")
        << P::Images(P::BothImages) << P::Images(P::NormalImage) << true << 1 << 1;
    QTest::newRow("minimise, hover pressed")
        << P::Images(P::BothImages) << P::Images(P::NormalImage) << false << 1 << 0;
    // Options: the normal image clicks, the hover image reacts to the press.
    QTest::newRow("options, hover pressed") << P::Images(P::NormalImage) << P::Images(P::HoverImage) << false << 0 << 1;
}

void TestImageButtonPair::clicksReachOnlyTheConfiguredImage()
{
    QFETCH(ImageButtonPair::Images, clickImages);
    QFETCH(ImageButtonPair::Images, mouseDownImages);
    QFETCH(bool, normalShownAtPress);
    QFETCH(int, clicks);
    QFETCH(int, mouseDowns);

    Toolbar toolbar;
    toolbar.pair->setClickImages(clickImages);
    toolbar.pair->setMouseDownImages(mouseDownImages);
    toolbar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&toolbar));
    QSignalSpy clickSpy(toolbar.pair, &ImageButtonPair::Click);
    QSignalSpy downSpy(toolbar.pair, &ImageButtonPair::MouseDown);

    QTest::mouseMove(toolbar.pair, QPoint(20, 20));
    QTRY_VERIFY(!toolbar.pair->isNormalImageShown());
    if (normalShownAtPress)
        toolbar.pair->showNormalImage();
    const auto pressed = normalShownAtPress ? ImageButtonPair::NormalImage : ImageButtonPair::HoverImage;
    QTest::mouseClick(toolbar.pair, Qt::LeftButton, {}, QPoint(20, 20));

    QCOMPARE(clickSpy.count(), clicks);
    QCOMPARE(downSpy.count(), mouseDowns);
    if (clicks)
        QCOMPARE(clickSpy.first().first().value<ImageButtonPair::Image>(), pressed);
    if (mouseDowns)
        QCOMPARE(downSpy.first().first().value<ImageButtonPair::Image>(), pressed);
}

void TestImageButtonPair::keyboardRunsThePairsAction_data()
{
    QTest::addColumn<ImageButtonPair::Images>("clickImages");
    QTest::addColumn<ImageButtonPair::Images>("mouseDownImages");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("expectClick");
    QTest::addColumn<ImageButtonPair::Image>("image");

    using P = ImageButtonPair;
    QTest::newRow("both click, space") << P::Images(P::BothImages) << P::Images() << int(Qt::Key_Space) << true
                                       << P::NormalImage;
    QTest::newRow("enlarge: hover click only, enter")
        << P::Images(P::HoverImage) << P::Images() << int(Qt::Key_Return) << true << P::HoverImage;
    QTest::newRow("press only") << P::Images() << P::Images(P::HoverImage) << int(Qt::Key_Space) << false
                                << P::HoverImage;
}

void TestImageButtonPair::keyboardRunsThePairsAction()
{
    QFETCH(ImageButtonPair::Images, clickImages);
    QFETCH(ImageButtonPair::Images, mouseDownImages);
    QFETCH(int, key);
    QFETCH(bool, expectClick);
    QFETCH(ImageButtonPair::Image, image);

    Toolbar toolbar;
    toolbar.pair->setClickImages(clickImages);
    toolbar.pair->setMouseDownImages(mouseDownImages);
    toolbar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&toolbar));
    QSignalSpy clickSpy(toolbar.pair, &ImageButtonPair::Click);
    QSignalSpy downSpy(toolbar.pair, &ImageButtonPair::MouseDown);

    QTest::keyClick(&toolbar, Qt::Key_Tab);
    QVERIFY(toolbar.pair->hasFocus());
    // Wherever the mouse was left, the keyboard finds the normal image shown.
    toolbar.pair->showNormalImage();
    QTest::keyClick(toolbar.pair, Qt::Key(key));

    QSignalSpy &fired = expectClick ? clickSpy : downSpy;
    QCOMPARE(fired.count(), 1);
    QCOMPARE(fired.first().first().value<ImageButtonPair::Image>(), image);
    QCOMPARE((expectClick ? downSpy : clickSpy).count(), 0);
}

void TestImageButtonPair::accessibleNameIsTheNormalToolTip()
{
    Toolbar toolbar;
    toolbar.pair->setToolTips(
        QStringLiteral("Cacher dans la bare systray"), QStringLiteral("Cacher dans la barre systray"));
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(toolbar.pair);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Cacher dans la bare systray"));
    QCOMPARE(accessible->role(), QAccessible::Button);
    QCOMPARE(toolbar.pair->toolTip(), QStringLiteral("Cacher dans la bare systray"));
    toolbar.pair->hideNormalImage();
    QCOMPARE(toolbar.pair->toolTip(), QStringLiteral("Cacher dans la barre systray"));

    QSignalSpy clickSpy(toolbar.pair, &ImageButtonPair::Click);
    accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(clickSpy.count(), 1);
}

void TestImageButtonPair::skinImagesAndStyleSheetResolve()
{
    const QStringList pairs { QStringLiteral("close"),
        QStringLiteral("enlarge"),
        QStringLiteral("minimise"),
        QStringLiteral("tray"),
        QStringLiteral("ontop"),
        QStringLiteral("radio"),
        QStringLiteral("tv"),
        QStringLiteral("favourites"),
        QStringLiteral("stop"),
        QStringLiteral("refresh"),
        QStringLiteral("options"),
        QStringLiteral("arrow-up"),
        QStringLiteral("arrow-down") };
    for (const QString &name : pairs) {
        const QPixmap normal(Skin::imagePath(name));
        const QPixmap hover(Skin::imagePath(name + QLatin1String("-hover")));
        QVERIFY2(!normal.isNull() && !hover.isNull(), qPrintable(name));
        QCOMPARE(hover.size(), normal.size());
    }
    for (const char *single : { "resize-grip",
             "scroll-ball",
             "refresh-icon",
             "message-information",
             "message-question",
             "message-warning",
             "message-critical" })
        QVERIFY2(!QPixmap(Skin::imagePath(QLatin1String(single))).isNull(), single);
    QVERIFY(!Skin::applicationIcon().pixmap(64, 64).isNull());

    // Every image the style sheet names exists.
    const QString sheet = Skin::styleSheet();
    QVERIFY(!sheet.isEmpty());
    static const QRegularExpression url(QStringLiteral(R"(url\((:[^)]+)\))"));
    int urls = 0;
    for (const QRegularExpressionMatch &match : url.globalMatch(sheet)) {
        QVERIFY2(!QPixmap(match.captured(1)).isNull(), qPrintable(match.captured(1)));
        ++urls;
    }
    QVERIFY(urls > 10);

    // Message boxes take the skin's icons once the skin is applied.
    Skin::apply(*qApp);
    const QImage shown = qApp->style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32).toImage();
    QCOMPARE(shown, QIcon(Skin::imagePath(QStringLiteral("message-warning"))).pixmap(32, 32).toImage());
}

QTEST_MAIN(TestImageButtonPair)
#include "tst_imagebuttonpair.moc"
