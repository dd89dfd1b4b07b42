#include "ui/tv/frmtv.h"

#include "core/tv/tvbrowser.h"
#include "ui/catalogue/cataloguepageview.h"
#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/kivcheckbox.h"
#include "ui/skin/kivcommand.h"
#include "ui/skin/kivframe.h"
#include "ui/skin/twips.h"
#include "ui/skin/wheelctl.h"
#include "ui/tv/tvlaunchcontrols.h"

#include <QBoxLayout>
#include <QCloseEvent>
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

} // namespace

frmTV::frmTV(StateStore &store,
    PlayerControl &player,
    BrowserControl &browser,
    WheelRouter &wheelRouter,
    const NewsEditions &editions,
    const ForeignChannels &channels,
    QWidget *parent)
    : SkinnedWindow(parent)
    , m_tvBrowser(new TvBrowser(
          store,
          [this](const QString &path) {
              return m_pictures.canLoad(path);
          },
          this))
    , m_launch(new TvLaunchControls(store, player, browser, editions, channels, *m_tvBrowser, *this))
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
    m_launch->buildLaunchControls();
    auto *search = new KivCommand(QStringLiteral("Chercher une vidéo sur Internet (Youtube, ...)"), content());
    search->setObjectName(QStringLiteral("KivCommand1"));
    search->setFixedWidth(330);
    placeAt(search, { 14, 440 });
    connect(search, &KivCommand::Click, this, &frmTV::KivCommand1_Click);

    connect(m_tvBrowser, &TvBrowser::infoChanged, this, &frmTV::showInfo);
    connect(m_tvBrowser, &TvBrowser::filterChanged, this, &frmTV::showFilter);
    connect(m_wheelCtl, &WheelCtl::WheelRotate, m_tvBrowser, &TvBrowser::WheelCtl1_WheelRotate);
    connect(this, &SkinnedWindow::formMouseMove, m_tvBrowser, &TvBrowser::Form_MouseMove);
    connect(closePair(), &ImageButtonPair::Click, this, &frmTV::Quitter2_Click);

    unsetCursor();
    m_launch->CalcDate();
    showInfo();
    showFilter();
}

frmTV::~frmTV() = default;

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

    m_launch->buildForeignChannels();
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
