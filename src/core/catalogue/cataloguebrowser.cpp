#include "core/catalogue/cataloguebrowser.h"

#include "core/state/statestore.h"

CatalogueBrowser::CatalogueBrowser(
    const Config &config, const StateStore &store, PictureCheck canLoadPicture, QObject *parent)
    : QObject(parent)
    , m_config(config)
    , m_store(store)
    , m_canLoadPicture(std::move(canLoadPicture))
    , m_page(config.geometry,
          { .layout = config.layout,
              .text =
                  [&store, layout = config.layout] {
                      return layout == CatalogueLayout::Radio ? store.data() : store.dataTV();
                  },
              .admits =
                  [this](const CatalogueEntry &entry) {
                      return admits(entry);
                  },
              .picturePath =
                  [&store](const QString &field) {
                      return store.installPath(field);
                  },
              .canLoadPicture = m_canLoadPicture,
              .rowAboveRecordNumber = config.rowAboveRecordNumber })
    , m_boule(config.indicator ? config.indicator->start : 0)
{
    // One timer for the first fill and the refills: a refill asked for
    // before the first fill replaces it, as two fills of one page would place
    // its entries twice.
    m_fillTimer.setSingleShot(true);
    connect(&m_fillTimer, &QTimer::timeout, this, &CatalogueBrowser::FillFirstPage);
    const auto wheelStep = [this](QTimer &timer, void (CatalogueBrowser::*step)()) {
        timer.setSingleShot(true);
        timer.setInterval(m_config.wheelStepDelay);
        connect(&timer, &QTimer::timeout, this, step);
    };
    wheelStep(m_timerUp, &CatalogueBrowser::Up);
    wheelStep(m_timerDown, &CatalogueBrowser::Down);
    m_fillTimer.start(m_config.firstFillDelay);
}

void CatalogueBrowser::Initialise()
{
    m_page.Initialise();
    Q_EMIT pageChanged();
}

void CatalogueBrowser::FillFirstPage()
{
    m_page.FillFirstPage();
    Q_EMIT pageChanged();
}

void CatalogueBrowser::FillRowBelow()
{
    m_page.FillRowBelow();
    Q_EMIT pageChanged();
}

void CatalogueBrowser::FillRowAbove()
{
    m_page.FillRowAbove();
    Q_EMIT pageChanged();
}

void CatalogueBrowser::refill()
{
    Initialise();
    m_fillTimer.start(m_config.refillDelay);
}

void CatalogueBrowser::ShowEntryInfo(const EntryRef &ref)
{
    const auto entry = m_page.lookup(ref);
    if (!entry)
        return;
    CatalogueInfoPanel info = m_info;
    info.LblSpace = entry->datedFlag;
    info.LblNom = entry->name;
    info.LblLangue = entry->languageDisplayText();
    info.LblInfos = entry->informationDisplayText();
    const QString picture = m_store.installPath(entry->picture);
    if (m_canLoadPicture(picture))
        info.ImageOne = picture;
    info.LblAdresse = entry->address;
    // Every mouse move over a radio slot lands here: repaint only what changed.
    if (info != m_info) {
        m_info = info;
        Q_EMIT infoChanged();
    }
    entryShown(*entry);
}

void CatalogueBrowser::showSlotInfo(int index)
{
    if (index < 0 || index >= slotCount())
        return;
    const EntryRef tag = m_page.slot(index).tag;
    if (!tag.isEmpty())
        ShowEntryInfo(tag);
}

void CatalogueBrowser::setLblAdresse(const QString &address)
{
    if (m_info.LblAdresse == address)
        return;
    m_info.LblAdresse = address;
    Q_EMIT infoChanged();
}

void CatalogueBrowser::Up()
{
    if (stepsAllowed())
        stepped(m_page.stepUp(), &Indicator::start);
}

void CatalogueBrowser::Down()
{
    if (stepsAllowed())
        stepped(m_page.stepDown(), &Indicator::end);
}

void CatalogueBrowser::stepped(CataloguePage::Step step, int Indicator::*edge)
{
    switch (step) {
    case CataloguePage::Step::Moved:
        Q_EMIT pageChanged();
        if (m_config.indicator)
            setBoule(m_config.indicator->middle);
        break;
    case CataloguePage::Step::AtEdge:
        if (m_config.indicator)
            setBoule((*m_config.indicator).*edge);
        break;
    case CataloguePage::Step::EmptyPage:
        break;
    }
}

void CatalogueBrowser::WheelCtl1_WheelRotate(int Delta, int Shift, int x, int y)
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

bool CatalogueBrowser::stepsAllowed() const
{
    return !m_isVisible || m_isVisible();
}

void CatalogueBrowser::entryShown(const CatalogueEntry &entry)
{
    Q_UNUSED(entry);
}

void CatalogueBrowser::setBoule(int top)
{
    if (m_boule == top)
        return;
    m_boule = top;
    Q_EMIT bouleChanged(top);
}
