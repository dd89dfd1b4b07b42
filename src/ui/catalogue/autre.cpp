#include "ui/catalogue/autre.h"

#include "core/catalogue/radiobrowser.h"
#include "core/playback/playrequest.h"
#include "core/state/statestore.h"
#include "ui/catalogue/cataloguepageview.h"
#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/kivcheckbox.h"
#include "ui/skin/kivcommand.h"
#include "ui/skin/wheelctl.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace
{

// Geometry of the client area, in pixels.
constexpr QSize clientSize(653, 518);
constexpr int titleStripHeight = 33;

CataloguePageView::Layout pageLayout()
{
    CataloguePageView::Layout layout;
    layout.columns = { 25, 120, 216, 311, 406, 501 };
    layout.rows = { 78, 127, 175, 228 };
    layout.slotSize = QSize(78, 35);
    layout.panel = QRect(14, 67, 576, 207);
    layout.upperArrow = QPoint(591, 91);
    layout.lowerArrow = QPoint(591, 231);
    layout.rail = QRect(614, 112, 4, 134);
    layout.indicatorX = 608;
    return layout;
}

struct FilterBoxPlace {
    RadioFilter::Box box;
    const char *objectName;
    QString caption;
    QPoint position;
};

} // namespace

Autre::Autre(
    StateStore &store, PlayerControl &player, BrowserControl &browser, WheelRouter &wheelRouter, QWidget *parent)
    : SkinnedWindow(parent)
    , m_store(store)
    , m_player(player)
    , m_browser(browser)
    , m_radioBrowser(new RadioBrowser(
          store,
          [this](const QString &path) {
              return m_pictures.canLoad(path);
          },
          this))
    , m_wheelCtl(new WheelCtl(wheelRouter, this))
{
    setObjectName(QStringLiteral("Autre"));
    setAttribute(Qt::WA_DeleteOnClose);
    setTitle(QStringLiteral("Radios"));
    titleLabel()->setText(QStringLiteral("RADIOS"));
    titleStrip()->setFixedHeight(titleStripHeight);
    setFixedSize(clientSize);
    // Children are placed in client-area coordinates: the content area's
    // position is known once the window's layout has run.
    layout()->activate();

    m_radioBrowser->setVisibilityQuery([this] {
        return isVisible();
    });
    m_page = new CataloguePageView(*m_radioBrowser, m_pictures, pageLayout(), *this);
    connect(m_page, &CataloguePageView::slotMouseMove, m_radioBrowser, &RadioBrowser::Img_MouseMove);
    connect(m_page, &CataloguePageView::slotActivated, this, [this](int index, bool byMouse) {
        // The mouse showed the slot's entry when it moved onto it; the
        // keyboard or an assistive technology shows it now.
        if (!byMouse)
            m_radioBrowser->Img_MouseMove(index);
        Img_Click();
    });
    buildFilters();
    buildInfoPanel();
    buildDirectoryButton();

    connect(m_radioBrowser, &RadioBrowser::infoChanged, this, &Autre::showInfo);
    connect(m_radioBrowser, &RadioBrowser::filterChanged, this, &Autre::showFilter);
    connect(m_wheelCtl, &WheelCtl::WheelRotate, m_radioBrowser, &RadioBrowser::WheelCtl1_WheelRotate);
    connect(closePair(), &ImageButtonPair::Click, this, &Autre::Quit2_Click);

    showInfo();
    showFilter();
}

Autre::~Autre() = default;

void Autre::buildFilters()
{
    addLabel(QStringLiteral("Afficher : "), { 20, 329 });
    const FilterBoxPlace boxes[] = {
        { RadioFilter::Box::Toutes, "CheckToutes", QStringLiteral("Toutes"), { 84, 329 } },
        { RadioFilter::Box::Info, "CheckInfo", QStringLiteral("Informatives"), { 147, 330 } },
        { RadioFilter::Box::Music, "CheckMusic", QStringLiteral("Musicales"), { 240, 330 } },
        { RadioFilter::Box::EtrangeresF,
            "CheckEtrangeresF",
            QStringLiteral("Etrangères francophones (Belges)"),
            { 84, 348 } },
        { RadioFilter::Box::Etrangeres, "CheckEtrangeres", QStringLiteral("Etrangères non francophones"), { 84, 368 } },
    };
    QRect previous;
    for (const FilterBoxPlace &place : boxes) {
        auto *check = new KivCheckBox(place.caption, content());
        check->setObjectName(QLatin1String(place.objectName));
        check->adjustSize();
        // Boxes sharing a row keep their places unless the captions, wider in
        // this font, would run into the next box.
        int x = place.position.x();
        if (qAbs(place.position.y() - previous.top()) < previous.height())
            x = qMax(x, previous.right() + 12);
        placeAt(check, { x, place.position.y() });
        previous = QRect(QPoint(x, place.position.y()), check->size());
        const RadioFilter::Box box = place.box;
        connect(check, &KivCheckBox::Click, m_radioBrowser, [this, box](int value) {
            m_radioBrowser->Check_Click(box, value != 0);
        });
        m_checks.append(check);
    }
}

void Autre::buildInfoPanel()
{
    addLabel(QStringLiteral("Nom : "), { 20, 393 });
    m_lblNom = addLabel(QString(), { 62, 393 }, QStringLiteral("LblNom"));
    m_lblNom->setFixedWidth(197 - 62 - 4);
    addLabel(QStringLiteral("Langue : "), { 20, 412 });
    m_lblLangue = addLabel(QString(), { 79, 412 }, QStringLiteral("LblLangue"));
    m_lblLangue->setFixedWidth(197 - 79 - 4);
    addLabel(QStringLiteral("Infos / Type de musique :"), { 20, 430 })->setProperty("muted", true);
    m_lblInfos = addLabel(QString(), { 20, 445 }, QStringLiteral("LblInfos"));
    m_lblInfos->setFixedSize(285, 34);
    m_lblInfos->setWordWrap(true);
    m_lblInfos->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_imageOne = new QLabel(content());
    m_imageOne->setObjectName(QStringLiteral("ImageOne"));
    m_imageOne->setScaledContents(true);
    m_imageOne->setFixedSize(104, 35);
    placeAt(m_imageOne, { 197, 390 });

    m_label6 = new QPushButton(QStringLiteral("Agrandir"), content());
    m_label6->setObjectName(QStringLiteral("Label6"));
    m_label6->setCursor(Qt::PointingHandCursor);
    m_label6->setFlat(true);
    m_label6->setStyleSheet(QStringLiteral("#Label6 { color: #3da9fc; background: transparent; border: none; "
                                           "padding: 0; text-decoration: underline; }"
                                           "#Label6:hover, #Label6:focus { color: #8fd0ff; }"));
    m_label6->setFixedSize(m_label6->sizeHint().expandedTo(QSize(46, 18)));
    placeAt(m_label6, { 569, 479 });
    connect(m_label6, &QPushButton::clicked, this, &Autre::Label6_Click);
}

void Autre::buildDirectoryButton()
{
    // In the free space right of the info panel, clear of every control of
    // the window: the catalogue's stations stay where they are.
    m_annuaire = new KivCommand(QStringLiteral("Toutes les radios du monde…"), content());
    m_annuaire->setObjectName(QStringLiteral("Annuaire"));
    m_annuaire->setToolTip(QStringLiteral("Chercher une station dans l'annuaire public des radios"));
    m_annuaire->setFixedSize(m_annuaire->sizeHint().expandedTo(QSize(0, 26)));
    constexpr int rightEdge = 626;
    constexpr int top = 392;
    placeAt(m_annuaire, { rightEdge - m_annuaire->width(), top });
    connect(m_annuaire, &KivCommand::Click, this, &Autre::annuaireRequested);
}

void Autre::showInfo()
{
    const CatalogueInfoPanel &info = m_radioBrowser->info();
    m_lblNom->setText(info.LblNom);
    m_lblLangue->setText(info.LblLangue);
    m_lblInfos->setText(info.LblInfos);
    m_imageOne->setPixmap(m_pictures.picture(info.ImageOne));
    m_imageOne->setAccessibleName(info.LblNom);
}

void Autre::showFilter()
{
    const RadioFilter &filter = m_radioBrowser->filter();
    const RadioFilter::Box order[] = { RadioFilter::Box::Toutes,
        RadioFilter::Box::Info,
        RadioFilter::Box::Music,
        RadioFilter::Box::EtrangeresF,
        RadioFilter::Box::Etrangeres };
    for (int i = 0; i < m_checks.size(); ++i)
        m_checks.at(i)->setValue(filter.value(order[i]) ? 1 : 0);
}

void Autre::Img_Click()
{
    const CatalogueInfoPanel &info = m_radioBrowser->info();
    // Player first, then the name, this window, the mode word. The current
    // address is left to the launcher that set it last.
    PlayRequest request;
    request.kind = PlayRequest::Kind::Stream;
    request.address = info.LblAdresse;
    request.setCurrentAddress = false;
    request.picture = info.ImageOne;
    requestPlay(request, m_store, m_player, m_browser);
    m_store.setLecture(info.LblNom);
    hide();
    m_store.setRadioTv(QStringLiteral("RADIO"));
}

void Autre::Label6_Click()
{
    QDesktopServices::openUrl(QUrl(QStringLiteral(ONDAVOX_SITE_URL "/radios.php")));
}

void Autre::Quit2_Click()
{
    close();
}

void Autre::closeEvent(QCloseEvent *event)
{
    // Form_QueryUnload and Form_Unload: the window goes (WA_DeleteOnClose).
    m_store.setRadioTv(QStringLiteral("RADIO"));
    m_wheelCtl->unHook();
    SkinnedWindow::closeEvent(event);
}
