#include "ui/tv/frmtv.h"

#include "core/state/statestore.h"
#include "core/tv/editiondate.h"
#include "core/tv/foreignchannels.h"
#include "core/tv/newseditions.h"
#include "core/tv/tvbrowser.h"
#include "ui/catalogue/cataloguepageview.h"
#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/kivcheckbox.h"
#include "ui/skin/kivcommand.h"
#include "ui/skin/kivframe.h"
#include "ui/skin/programmessage.h"
#include "ui/skin/twips.h"
#include "ui/skin/wheelctl.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QLabel>

namespace
{

// Geometry of the client area, in pixels.
constexpr QSize clientSize(840, 480);
constexpr int titleStripHeight = 33;
// The info panel, whose picture is centred in its width (3580 twips).
constexpr int panelX = 585;
constexpr int panelWidth = 239;
constexpr int imageOneY = 48;
constexpr QSize imageOneMaximum(panelWidth, 60);

CataloguePageView::Layout pageLayout()
{
    CataloguePageView::Layout layout;
    layout.columns = { 26, 153, 280, 407 };
    layout.rows = { 56, 121, 186 };
    layout.slotSize = QSize(117, 53);
    layout.panel = QRect(14, 45, 522, 206);
    layout.upperArrow = QPoint(548, 64);
    layout.lowerArrow = QPoint(548, 212);
    // A move from one picture straight onto the next must not count as a
    // move over the window: only that tells a second click from a new pick.
    layout.slotsKeepMouseMoves = true;
    return layout;
}

struct FilterBoxPlace {
    TvFilter::Box box;
    const char *objectName;
    QString caption;
};

const QStringList months = { QStringLiteral("Janvier"),
    QStringLiteral("Février"),
    QStringLiteral("Mars"),
    QStringLiteral("Avril"),
    QStringLiteral("Mai"),
    QStringLiteral("Juin"),
    QStringLiteral("Juillet"),
    QStringLiteral("Août"),
    QStringLiteral("Septembre"),
    QStringLiteral("Octobre"),
    QStringLiteral("Novembre"),
    QStringLiteral("Décembre") };

} // namespace

frmTV::frmTV(StateStore &store,
    PlayerControl &player,
    BrowserControl &browser,
    WheelRouter &wheelRouter,
    const NewsEditions &editions,
    const ForeignChannels &channels,
    QWidget *parent)
    : SkinnedWindow(parent)
    , m_store(store)
    , m_tvBrowser(new TvBrowser(
          store,
          [this](const QString &path) {
              return m_pictures.canLoad(path);
          },
          this))
    , m_launcher(new TvLauncher(store, player, browser, editions, channels, this))
    , m_wheelCtl(new WheelCtl(wheelRouter, this))
{
    setObjectName(QStringLiteral("frmTV"));
    setAttribute(Qt::WA_DeleteOnClose);
    setTitle(QStringLiteral("Télévision"));
    titleLabel()->setText(QStringLiteral("TÉLÉVISION"));
    titleLabel()->setObjectName(QStringLiteral("Label8"));
    titleStrip()->setFixedHeight(titleStripHeight);
    setFixedSize(clientSize);
    // Children are placed in client-area coordinates: the content area's
    // position is known once the window's layout has run.
    layout()->activate();

    m_tvBrowser->setVisibilityQuery([this] {
        return isVisible();
    });
    m_page = new CataloguePageView(*m_tvBrowser, m_pictures, pageLayout(), *this);
    connect(m_page, &CataloguePageView::slotActivated, this, [this](int index, bool byMouse) {
        // The keyboard and assistive technologies have no pointer to move
        // over the window between two picks: each of theirs is a new one.
        if (!byMouse)
            m_tvBrowser->Form_MouseMove();
        m_tvBrowser->Img_Click(index);
    });
    // In the order that Tab follows.
    buildFilters();
    buildInfoPanel();
    buildLaunchControls();
    for (const ForeignChannels::Channel &channel : channels.channels)
        m_autresChaines->addItem(channel.listItem);
    for (const NewsEditions::Region &region : editions.regions)
        m_region->addItem(region.region);

    connect(m_tvBrowser, &TvBrowser::infoChanged, this, &frmTV::showInfo);
    connect(m_tvBrowser, &TvBrowser::filterChanged, this, &frmTV::showFilter);
    connect(m_tvBrowser, &TvBrowser::controlsChanged, this, &frmTV::showControls);
    connect(m_wheelCtl, &WheelCtl::WheelRotate, m_tvBrowser, &TvBrowser::WheelCtl1_WheelRotate);
    connect(this, &SkinnedWindow::formMouseMove, m_tvBrowser, &TvBrowser::Form_MouseMove);
    connect(m_launcher, &TvLauncher::playlistWriting, this, [this] {
        setCursor(Qt::WaitCursor);
    });
    connect(closePair(), &ImageButtonPair::Click, this, &frmTV::Quitter2_Click);

    unsetCursor();
    CalcDate();
    showInfo();
    showFilter();
    showControls();
}

frmTV::~frmTV() = default;

QComboBox *frmTV::addList(const char *name, const QString &accessibleName, QPoint at, int width)
{
    auto *list = new QComboBox(content());
    list->setObjectName(QLatin1String(name));
    list->setAccessibleName(accessibleName);
    list->setFixedWidth(width);
    placeAt(list, at);
    return list;
}

KivCommand *frmTV::addButton(const char *name, const QString &caption, QPoint at, int width)
{
    auto *button = new KivCommand(caption, content());
    button->setObjectName(QLatin1String(name));
    button->setFixedWidth(width);
    placeAt(button, at);
    return button;
}

void frmTV::buildInfoPanel()
{
    m_imageOne = new QLabel(content());
    m_imageOne->setObjectName(QStringLiteral("ImageOne"));
    m_imageOne->setScaledContents(true);

    addLabel(QStringLiteral("Nom : "), { panelX, 114 });
    m_lblNom = addLabel(QString(), { panelX + 40, 114 }, QStringLiteral("LblNom"));
    m_lblNom->setFixedWidth(panelWidth - 40);
    addLabel(QStringLiteral("Langue : "), { panelX, 134 });
    m_lblLangue = addLabel(QString(), { panelX + 55, 134 }, QStringLiteral("LblLangue"));
    m_lblLangue->setFixedWidth(panelWidth - 55);
    addLabel(QStringLiteral("Infos :"), { panelX, 154 })->setProperty("muted", true);
    m_lblInfos = addLabel(QString(), { panelX, 172 }, QStringLiteral("LblInfos"));
    m_lblInfos->setFixedSize(panelWidth, 44);
    m_lblInfos->setWordWrap(true);
    m_lblInfos->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void frmTV::buildLaunchControls()
{
    m_labelDate = addLabel(QStringLiteral("Afficher l'émission du :"), { panelX, 226 }, QStringLiteral("LabelDate"));
    m_jour = addList("Jour", QStringLiteral("Jour"), { panelX, 246 }, 60);
    for (int day = 1; day <= 31; ++day)
        m_jour->addItem(QString::number(day));
    m_mois = addList("Mois", QStringLiteral("Mois"), { panelX + 68, 246 }, 130);
    m_mois->addItems(months);

    m_lblLocal = addLabel(QStringLiteral("Journaux Locaux :"), { panelX, 284 }, QStringLiteral("LblLocal"));
    m_boutonNat = addButton("BoutonNat", QStringLiteral("Edition nationale"), { panelX, 304 }, panelWidth);
    m_boutonReg = addButton("BoutonReg", QStringLiteral("Edition regionale"), { panelX, 334 }, panelWidth);
    m_region = addList("region", QStringLiteral("Région"), { panelX, 368 }, panelWidth);
    m_region->setPlaceholderText(QStringLiteral("Votre région..."));
    m_btnLancer = addButton("BtnLancer", QStringLiteral("Lancer"), { panelX, 410 }, panelWidth);

    connect(m_boutonNat, &KivCommand::Click, this, &frmTV::BoutonNat_Click);
    connect(m_boutonReg, &KivCommand::Click, this, &frmTV::BoutonReg_Click);
    connect(m_region, &QComboBox::activated, this, &frmTV::region_Click);
    connect(m_btnLancer, &KivCommand::Click, this, &frmTV::BtnLancer_Click);

    m_kivCommand1
        = addButton("KivCommand1", QStringLiteral("Chercher une vidéo sur Internet (Youtube, ...)"), { 14, 440 }, 330);
    connect(m_kivCommand1, &KivCommand::Click, this, &frmTV::KivCommand1_Click);
}

void frmTV::buildFilters()
{
    auto *frame = new KivFrame(QStringLiteral("Chaines"), content());
    frame->setObjectName(QStringLiteral("KivFrame1"));
    frame->setGeometry(QRect(content()->mapFrom(this, QPoint(14, 262)), QSize(556, 120)));
    const FilterBoxPlace boxes[] = {
        { TvFilter::Box::Toutes, "CheckToutes", QStringLiteral("Toutes") },
        { TvFilter::Box::JT, "CheckJT", QStringLiteral("Journaux télévisés") },
        { TvFilter::Box::Meteo, "CheckMeteo", QStringLiteral("Météo") },
        { TvFilter::Box::Clips, "CheckClips", QStringLiteral("Clips") },
        { TvFilter::Box::Divertissements, "CheckDivertissements", QStringLiteral("Divertissements") },
        { TvFilter::Box::Divers, "CheckDivers", QStringLiteral("Divers (TNT...)") },
        { TvFilter::Box::EtrangeresF, "CheckEtrangeresF", QStringLiteral("Etrangères francophones (Belges)") },
        { TvFilter::Box::Etrangeres, "CheckEtrangeres", QStringLiteral("Etrangères non francophones") },
    };
    constexpr int rowsPerColumn = 4;
    for (int i = 0; i < int(std::size(boxes)); ++i) {
        auto *check = new KivCheckBox(boxes[i].caption, frame);
        check->setObjectName(QLatin1String(boxes[i].objectName));
        check->adjustSize();
        check->move(16 + (i / rowsPerColumn) * 274, 26 + (i % rowsPerColumn) * 22);
        const TvFilter::Box box = boxes[i].box;
        connect(check, &KivCheckBox::Click, m_tvBrowser, [this, box](int value) {
            m_tvBrowser->Check_Click(box, value != 0);
        });
        m_checks.append(check);
    }

    m_autresChaines = addList("AutresChaines", QStringLiteral("Chaînes étrangères"), { 14, 396 }, 556);
    m_autresChaines->setPlaceholderText(QStringLiteral("Veuillez sélectionner une chaine."));
    connect(m_autresChaines, &QComboBox::activated, this, &frmTV::AutresChaines_Click);
}

void frmTV::CalcDate()
{
    const DateListPositions positions = ::CalcDate(QDate::currentDate(), m_store.preferences().check3);
    m_mois->setCurrentIndex(positions.Mois);
    m_jour->setCurrentIndex(positions.Jour);
}

EditionDate frmTV::editionDate() const
{
    return EditionDate::ReadEditionDate(m_jour->currentIndex(), m_mois->currentIndex(), QDate::currentDate().year());
}

void frmTV::showInfo()
{
    const CatalogueInfoPanel &info = m_tvBrowser->info();
    m_lblNom->setText(info.LblNom);
    m_lblLangue->setText(info.LblLangue);
    m_lblInfos->setText(info.LblInfos);
    // The picture at its own size, smaller only where the panel is.
    QPixmap picture = m_pictures.picture(info.ImageOne);
    if (picture.width() > imageOneMaximum.width() || picture.height() > imageOneMaximum.height())
        picture = picture.scaled(imageOneMaximum, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_imageOne->setPixmap(picture);
    m_imageOne->setFixedSize(picture.size());
    m_imageOne->setAccessibleName(info.LblNom);
    const int left = Twips::toPixels(TvBrowser::ImageOneLeft(Twips::fromPixels(picture.width())));
    placeAt(m_imageOne, { panelX + left, imageOneY });
}

void frmTV::showFilter()
{
    const TvFilter &filter = m_tvBrowser->filter();
    for (int i = 0; i < m_checks.size(); ++i)
        m_checks.at(i)->setValue(filter.value(TvFilter::Box(i)) ? 1 : 0);
}

void frmTV::showControls()
{
    const TvBrowser::Controls &controls = m_tvBrowser->controls();
    m_btnLancer->setVisible(controls.BtnLancer);
    m_labelDate->setVisible(controls.dates);
    m_jour->setVisible(controls.dates);
    m_mois->setVisible(controls.dates);
    m_lblLocal->setVisible(controls.LblLocal);
    m_region->setVisible(controls.region);
    m_boutonNat->setVisible(controls.BoutonNat);
    m_boutonReg->setVisible(controls.BoutonReg);
    m_autresChaines->setVisible(controls.AutresChaines);
}

void frmTV::apply(const TvLauncher::Outcome &outcome)
{
    if (!outcome.message.isEmpty()) {
        unsetCursor();
        programMessage(this, outcome.message);
    }
    switch (outcome.after) {
    case TvLauncher::After::StayOpen:
        break;
    case TvLauncher::After::Hide:
        hide();
        break;
    case TvLauncher::After::Unload:
        close();
        break;
    }
}

void frmTV::BtnLancer_Click()
{
    apply(m_launcher->BtnLancer_Click(*m_tvBrowser, editionDate()));
}

void frmTV::BoutonNat_Click()
{
    apply(m_launcher->BoutonNat_Click(m_tvBrowser->info().LblNom, editionDate()));
}

void frmTV::BoutonReg_Click()
{
    m_tvBrowser->BoutonReg_Click();
}

void frmTV::region_Click(int position)
{
    apply(m_launcher->region_Click(m_tvBrowser->info().LblNom, position, editionDate()));
}

void frmTV::AutresChaines_Click(int position)
{
    apply(m_launcher->AutresChaines_Click(position));
}

void frmTV::KivCommand1_Click()
{
    Q_EMIT searchRequested();
    close();
}

void frmTV::Quitter2_Click()
{
    close();
}

void frmTV::closeEvent(QCloseEvent *event)
{
    // The window goes (WA_DeleteOnClose); so does its wheel control's hook.
    m_wheelCtl->unHook();
    SkinnedWindow::closeEvent(event);
}
