#include "core/catalogue/radiobrowser.h"

namespace
{

CatalogueBrowser::Config radioConfig()
{
    CatalogueBrowser::Config config;
    config.geometry = { RadioBrowser::slotCount, RadioBrowser::rowWidth };
    config.layout = CatalogueLayout::Radio;
    config.rowAboveRecordNumber = CataloguePage::RowAboveRecordNumber::Field1;
    config.firstFillDelay = 100;
    config.refillDelay = 10;
    config.indicator
        = CatalogueBrowser::Indicator { RadioBrowser::BouleStart, RadioBrowser::BouleMiddle, RadioBrowser::BouleEnd };
    return config;
}

} // namespace

RadioBrowser::RadioBrowser(const StateStore &store, PictureCheck canLoadPicture, QObject *parent)
    : CatalogueBrowser(radioConfig(), store, std::move(canLoadPicture), parent)
{
}

void RadioBrowser::Check_Click(RadioFilter::Box box, bool ticked)
{
    m_filter.setValue(box, ticked);
    Q_EMIT filterChanged();
    refill();
}
