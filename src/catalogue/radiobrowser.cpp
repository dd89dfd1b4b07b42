#include "catalogue/radiobrowser.h"

#include "app/statestore.h"

namespace
{

// Deferring the fills lets the window paint first; the wheel delay merges
// notches that come close together into one step.
constexpr int firstFillDelay = 100;
constexpr int refillDelay = 10;
constexpr int wheelStepDelay = 20;

} // namespace

RadioBrowser::RadioBrowser(const StateStore &store, PictureCheck canLoadPicture, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_canLoadPicture(std::move(canLoadPicture))
    , m_page({ slotCount, rowWidth },
          { .layout = CatalogueLayout::Radio,
              .text =
                  [&store] {
                      return store.data();
                  },
              .admits =
                  [this](const CatalogueEntry &entry) {
                      return m_filter.admits(entry);
                  },
              .picturePath =
                  [&store](const QString &field) {
                      return store.installPath(field);
                  },
              .canLoadPicture = m_canLoadPicture,
              .rowAboveRecordNumber = CataloguePage::RowAboveRecordNumber::Field1 })
{
    const auto oneShot = [this](QTimer &timer, int interval, void (RadioBrowser::*tick)()) {
        timer.setSingleShot(true);
        timer.setInterval(interval);
        connect(&timer, &QTimer::timeout, this, tick);
    };
    oneShot(m_timer2, firstFillDelay, &RadioBrowser::FillFirstPage);
    oneShot(m_timerLoad, refillDelay, &RadioBrowser::FillFirstPage);
    oneShot(m_timerUp, wheelStepDelay, &RadioBrowser::Up);
    oneShot(m_timerDown, wheelStepDelay, &RadioBrowser::Down);
    m_timer2.start();
}

void RadioBrowser::InitialiseRadios()
{
    m_page.Initialise();
    Q_EMIT pageChanged();
}

void RadioBrowser::FillFirstPage()
{
    m_page.FillFirstPage();
    Q_EMIT pageChanged();
}

void RadioBrowser::FillRowBelow()
{
    m_page.FillRowBelow();
    Q_EMIT pageChanged();
}

void RadioBrowser::FillRowAbove()
{
    m_page.FillRowAbove();
    Q_EMIT pageChanged();
}

void RadioBrowser::ShowEntryInfo(const EntryRef &ref)
{
    const auto entry = m_page.lookup(ref);
    if (!entry)
        return;
    RadioInfoPanel info = m_info;
    info.LblNom = entry->name;
    info.LblLangue = entry->languageDisplayText();
    info.LblInfos = entry->informationDisplayText();
    const QString picture = m_store.installPath(entry->picture);
    if (m_canLoadPicture(picture))
        info.ImageOne = picture;
    info.LblAdresse = entry->address;
    // Every mouse move over a slot lands here: repaint only what changed.
    if (info == m_info)
        return;
    m_info = info;
    Q_EMIT infoChanged();
}

void RadioBrowser::Up()
{
    if (m_isVisible && !m_isVisible())
        return;
    switch (m_page.stepUp()) {
    case CataloguePage::Step::Moved:
        Q_EMIT pageChanged();
        setBoule(BouleMiddle);
        break;
    case CataloguePage::Step::AtEdge:
        setBoule(BouleStart);
        break;
    case CataloguePage::Step::EmptyPage:
        break;
    }
}

void RadioBrowser::Down()
{
    if (m_isVisible && !m_isVisible())
        return;
    switch (m_page.stepDown()) {
    case CataloguePage::Step::Moved:
        Q_EMIT pageChanged();
        setBoule(BouleMiddle);
        break;
    case CataloguePage::Step::AtEdge:
        setBoule(BouleEnd);
        break;
    case CataloguePage::Step::EmptyPage:
        break;
    }
}

void RadioBrowser::Check_Click(RadioFilter::Box box, bool ticked)
{
    m_filter.setValue(box, ticked);
    Q_EMIT filterChanged();
    InitialiseRadios();
    m_timerLoad.start();
}

void RadioBrowser::Img_MouseMove(int index)
{
    if (index < 0 || index >= slotCount)
        return;
    const EntryRef tag = m_page.slot(index).tag;
    if (!tag.isEmpty())
        ShowEntryInfo(tag);
}

void RadioBrowser::WheelCtl1_WheelRotate(int Delta, int Shift, int x, int y)
{
    Q_UNUSED(Shift);
    Q_UNUSED(x);
    Q_UNUSED(y);
    // Restarting a running timer merges the notches.
    if (Delta > 0)
        m_timerUp.start();
    else
        m_timerDown.start();
}

void RadioBrowser::setBoule(int top)
{
    if (m_boule == top)
        return;
    m_boule = top;
    Q_EMIT bouleChanged(top);
}
