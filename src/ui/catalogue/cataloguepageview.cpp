#include "ui/catalogue/cataloguepageview.h"

#include "core/catalogue/cataloguebrowser.h"
#include "ui/catalogue/picturecache.h"
#include "ui/catalogue/pictureslot.h"
#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/skin.h"
#include "ui/skin/skinnedwindow.h"

#include <QFrame>
#include <QLabel>

namespace
{

constexpr QSize arrowSize(20, 20);
constexpr QSize bouleSize(16, 19);

QFrame *backdrop(const QString &name, const QString &style, QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    frame->setStyleSheet(QStringLiteral("#%1 { %2 }").arg(name, style));
    return frame;
}

} // namespace

CataloguePageView::CataloguePageView(
    CatalogueBrowser &browser, PictureCache &pictures, const Layout &layout, SkinnedWindow &window)
    : QWidget(window.content())
    , m_browser(browser)
    , m_pictures(pictures)
    , m_layout(layout)
{
    setObjectName(QStringLiteral("Page"));
    // Moves over the gaps between the slots are moves over the window.
    setMouseTracking(true);

    const bool indicator = browser.config().indicator.has_value();
    QRect area = layout.panel;
    area |= QRect(layout.upperArrow, arrowSize);
    area |= QRect(layout.lowerArrow, arrowSize);
    if (indicator) {
        area |= layout.rail;
        const auto &heights = *browser.config().indicator;
        area |= QRect(QPoint(layout.indicatorX, qMin(heights.start, heights.end)), bouleSize);
        area |= QRect(QPoint(layout.indicatorX, qMax(heights.start, heights.end)), bouleSize);
    }
    m_origin = area.topLeft();
    setGeometry(QRect(window.content()->mapFrom(&window, m_origin), area.size()));

    backdrop(QStringLiteral("PagePanel"),
        QStringLiteral("background-color: #181c23; border: 1px solid #2c3441; border-radius: 8px;"),
        this)
        ->setGeometry(QRect(local(layout.panel.topLeft()), layout.panel.size()));

    const int rowWidth = browser.page().rowWidth();
    for (int i = 0; i < browser.slotCount(); ++i) {
        auto *slot = new PictureSlot(i, this);
        slot->setKeepsMouseMoves(layout.slotsKeepMouseMoves);
        slot->setGeometry(
            QRect(local(QPoint(layout.columns.at(i % rowWidth), layout.rows.at(i / rowWidth))), layout.slotSize));
        connect(slot, &PictureSlot::MouseMove, this, &CataloguePageView::slotMouseMove);
        connect(slot, &PictureSlot::activated, this, &CataloguePageView::slotActivated);
        m_slots.append(slot);
    }

    const auto arrow = [this](const char *name, const char *skin, const QString &tip, QPoint at) {
        auto *pair = new ImageButtonPair(QLatin1String(skin), this);
        pair->setObjectName(QLatin1String(name));
        pair->setToolTips(tip, tip);
        pair->setImageSize(arrowSize);
        pair->setGeometry(QRect(local(at), arrowSize));
        return pair;
    };
    ImageButtonPair *image2 = arrow("Image2", "arrow-up", QStringLiteral("Rangée précédente"), layout.upperArrow);
    ImageButtonPair *image1 = arrow("Image1", "arrow-down", QStringLiteral("Rangée suivante"), layout.lowerArrow);
    connect(image2, &ImageButtonPair::Click, &browser, &CatalogueBrowser::Image2_Click);
    connect(image1, &ImageButtonPair::Click, &browser, &CatalogueBrowser::Image1_Click);

    if (indicator) {
        backdrop(QStringLiteral("PageRail"), QStringLiteral("background-color: #0c0e12; border-radius: 2px;"), this)
            ->setGeometry(QRect(local(layout.rail.topLeft()), layout.rail.size()));
        m_boule = new QLabel(this);
        m_boule->setObjectName(QStringLiteral("Boule"));
        m_boule->setPixmap(QIcon(Skin::imagePath(QStringLiteral("scroll-ball"))).pixmap(bouleSize));
        m_boule->setFixedSize(bouleSize);
        m_boule->setAlignment(Qt::AlignCenter);
        connect(&browser, &CatalogueBrowser::bouleChanged, this, &CataloguePageView::showBoule);
        showBoule(browser.Boule());
    }

    connect(&browser, &CatalogueBrowser::pageChanged, this, &CataloguePageView::showPage);
    showPage();
}

QPoint CataloguePageView::local(QPoint client) const
{
    return client - m_origin;
}

void CataloguePageView::showPage()
{
    const CataloguePage &page = m_browser.page();
    for (PictureSlot *slot : std::as_const(m_slots)) {
        const CatalogueSlot &state = page.slot(slot->index());
        slot->setPicture(m_pictures.picture(state.picture));
        QString name;
        if (const auto entry = state.isEmpty() ? std::nullopt : page.lookup(state.tag))
            name = entry->name;
        slot->setEntryName(name);
        slot->setVisible(state.visible);
    }
}

void CataloguePageView::showBoule(int top)
{
    m_boule->move(local(QPoint(m_layout.indicatorX, top)));
}
