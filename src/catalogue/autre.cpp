#include "catalogue/autre.h"

#include "app/statestore.h"
#include "catalogue/radiobrowser.h"
#include "catalogue/stationslot.h"
#include "player/playrequest.h"
#include "ui/imagebuttonpair.h"
#include "ui/kivcheckbox.h"
#include "ui/skin.h"
#include "ui/wheelctl.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFrame>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace
{

// Geometry of the client area, in pixels.
constexpr QSize clientSize(653, 518);
constexpr int titleStripHeight = 33;
constexpr int columns[] = { 25, 120, 216, 311, 406, 501 };
constexpr int rows[] = { 78, 127, 175, 228 };
constexpr QSize slotSize(78, 35);
constexpr int arrowX = 591;
constexpr int upperArrowY = 91;
constexpr int lowerArrowY = 231;
constexpr int bouleX = 608;

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
              return canLoadPicture(path);
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
    buildPage();
    buildFilters();
    buildInfoPanel();

    connect(m_radioBrowser, &RadioBrowser::pageChanged, this, &Autre::showPage);
    connect(m_radioBrowser, &RadioBrowser::infoChanged, this, &Autre::showInfo);
    connect(m_radioBrowser, &RadioBrowser::filterChanged, this, &Autre::showFilter);
    connect(m_radioBrowser, &RadioBrowser::bouleChanged, this, &Autre::showBoule);
    connect(m_wheelCtl, &WheelCtl::WheelRotate, m_radioBrowser, &RadioBrowser::WheelCtl1_WheelRotate);
    connect(closePair(), &ImageButtonPair::Click, this, &Autre::Quit2_Click);

    showPage();
    showInfo();
    showFilter();
    showBoule(m_radioBrowser->Boule());
}

Autre::~Autre() = default;

void Autre::place(QWidget *widget, int x, int y)
{
    widget->move(content()->mapFrom(this, QPoint(x, y)));
}

QLabel *Autre::addLabel(const QString &text, int x, int y, const QString &objectName)
{
    auto *label = new QLabel(text, content());
    label->setObjectName(objectName);
    label->adjustSize();
    place(label, x, y);
    return label;
}

void Autre::buildPage()
{
    // A panel behind the grid, and a rail behind the arrows and the indicator.
    auto *panel = new QFrame(content());
    panel->setObjectName(QStringLiteral("RadioPage"));
    panel->setAttribute(Qt::WA_TransparentForMouseEvents);
    panel->setGeometry(QRect(content()->mapFrom(this, QPoint(14, 67)), QSize(576, 207)));
    panel->setStyleSheet(
        QStringLiteral("#RadioPage { background-color: #181c23; border: 1px solid #2c3441; border-radius: 8px; }"));
    auto *rail = new QFrame(content());
    rail->setObjectName(QStringLiteral("RadioRail"));
    rail->setAttribute(Qt::WA_TransparentForMouseEvents);
    rail->setGeometry(QRect(content()->mapFrom(this, QPoint(614, 112)), QSize(4, 134)));
    rail->setStyleSheet(QStringLiteral("#RadioRail { background-color: #0c0e12; border-radius: 2px; }"));

    for (int i = 0; i < RadioBrowser::slotCount; ++i) {
        auto *slot = new StationSlot(i, content());
        slot->resize(slotSize);
        place(slot, columns[i % RadioBrowser::rowWidth], rows[i / RadioBrowser::rowWidth]);
        connect(slot, &StationSlot::MouseMove, m_radioBrowser, &RadioBrowser::Img_MouseMove);
        connect(slot, &StationSlot::activated, this, [this](int index, bool byMouse) {
            // The mouse showed the slot's entry when it moved onto it; the
            // keyboard or an assistive technology shows it now.
            if (!byMouse)
                m_radioBrowser->Img_MouseMove(index);
            Img_Click();
        });
        m_slots.append(slot);
    }

    m_image2 = new ImageButtonPair(QStringLiteral("arrow-up"), content());
    m_image2->setObjectName(QStringLiteral("Image2"));
    m_image2->setToolTips(QStringLiteral("Rangée précédente"), QStringLiteral("Rangée précédente"));
    m_image2->setImageSize(QSize(20, 20));
    m_image2->resize(20, 20);
    place(m_image2, arrowX, upperArrowY);
    connect(m_image2, &ImageButtonPair::Click, m_radioBrowser, &RadioBrowser::Image2_Click);

    m_image1 = new ImageButtonPair(QStringLiteral("arrow-down"), content());
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setToolTips(QStringLiteral("Rangée suivante"), QStringLiteral("Rangée suivante"));
    m_image1->setImageSize(QSize(20, 20));
    m_image1->resize(20, 20);
    place(m_image1, arrowX, lowerArrowY);
    connect(m_image1, &ImageButtonPair::Click, m_radioBrowser, &RadioBrowser::Image1_Click);

    m_boule = new QLabel(content());
    m_boule->setObjectName(QStringLiteral("Boule"));
    m_boule->setPixmap(QIcon(Skin::imagePath(QStringLiteral("scroll-ball"))).pixmap(QSize(16, 19)));
    m_boule->setFixedSize(16, 19);
    m_boule->setAlignment(Qt::AlignCenter);
}

void Autre::buildFilters()
{
    addLabel(QStringLiteral("Afficher : "), 20, 329);
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
        this->place(check, x, place.position.y());
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
    addLabel(QStringLiteral("Nom : "), 20, 393);
    m_lblNom = addLabel(QString(), 62, 393, QStringLiteral("LblNom"));
    m_lblNom->setFixedWidth(197 - 62 - 4);
    addLabel(QStringLiteral("Langue : "), 20, 412);
    m_lblLangue = addLabel(QString(), 79, 412, QStringLiteral("LblLangue"));
    m_lblLangue->setFixedWidth(197 - 79 - 4);
    addLabel(QStringLiteral("Infos / Type de musique :"), 20, 430)->setProperty("muted", true);
    m_lblInfos = addLabel(QString(), 20, 445, QStringLiteral("LblInfos"));
    m_lblInfos->setFixedSize(285, 34);
    m_lblInfos->setWordWrap(true);
    m_lblInfos->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_imageOne = new QLabel(content());
    m_imageOne->setObjectName(QStringLiteral("ImageOne"));
    m_imageOne->setScaledContents(true);
    m_imageOne->setFixedSize(104, 35);
    place(m_imageOne, 197, 390);

    m_label6 = new QPushButton(QStringLiteral("Agrandir"), content());
    m_label6->setObjectName(QStringLiteral("Label6"));
    m_label6->setCursor(Qt::PointingHandCursor);
    m_label6->setFlat(true);
    m_label6->setStyleSheet(QStringLiteral("#Label6 { color: #3da9fc; background: transparent; border: none; "
                                           "padding: 0; text-decoration: underline; }"
                                           "#Label6:hover, #Label6:focus { color: #8fd0ff; }"));
    m_label6->setFixedSize(m_label6->sizeHint().expandedTo(QSize(46, 18)));
    place(m_label6, 569, 479);
    connect(m_label6, &QPushButton::clicked, this, &Autre::Label6_Click);
}

void Autre::showPage()
{
    const CataloguePage &page = m_radioBrowser->page();
    for (StationSlot *slot : std::as_const(m_slots)) {
        const CatalogueSlot &state = page.slot(slot->index());
        slot->setPicture(m_pictures.value(state.picture));
        QString name;
        if (const auto entry = state.isEmpty() ? std::nullopt : page.lookup(state.tag))
            name = entry->name;
        slot->setStationName(name);
        slot->setVisible(state.visible);
    }
}

void Autre::showInfo()
{
    const RadioInfoPanel &info = m_radioBrowser->info();
    m_lblNom->setText(info.LblNom);
    m_lblLangue->setText(info.LblLangue);
    m_lblInfos->setText(info.LblInfos);
    m_imageOne->setPixmap(m_pictures.value(info.ImageOne));
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

void Autre::showBoule(int top)
{
    place(m_boule, bouleX, top);
}

bool Autre::canLoadPicture(const QString &path)
{
    if (m_pictures.contains(path))
        return true;
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull())
        return false;
    m_pictures.insert(path, QPixmap::fromImage(image));
    return true;
}

void Autre::Img_Click()
{
    const RadioInfoPanel &info = m_radioBrowser->info();
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
