#include "core/tv/tvbrowser.h"

#include "core/tv/newseditions.h"

namespace
{

CatalogueBrowser::Config tvConfig()
{
    CatalogueBrowser::Config config;
    config.geometry = { TvBrowser::slotCount, TvBrowser::rowWidth };
    config.layout = CatalogueLayout::TV;
    config.rowAboveRecordNumber = CataloguePage::RowAboveRecordNumber::Position;
    config.firstFillDelay = 70;
    config.refillDelay = 70;
    return config;
}

} // namespace

TvBrowser::TvBrowser(const StateStore &store, PictureCheck canLoadPicture, QObject *parent)
    : CatalogueBrowser(tvConfig(), store, std::move(canLoadPicture), parent)
{
}

void TvBrowser::Check_Click(TvFilter::Box box, bool ticked)
{
    Controls controls = m_controls;
    if (box == TvFilter::Box::Etrangeres) {
        m_filter = TvFilter { false, false, false, false, false, false, false, ticked };
        controls.AutresChaines = ticked;
        controls.BtnLancer = !ticked;
        setControls(controls);
        Q_EMIT filterChanged();
        return;
    }
    m_filter.setValue(box, ticked);
    if (ticked) {
        m_filter.CheckEtrangeres = false;
        if (box == TvFilter::Box::Divertissements || box == TvFilter::Box::Divers)
            controls.AutresChaines = false;
    }
    setControls(controls);
    Q_EMIT filterChanged();
    refill();
}

void TvBrowser::Img_Click(int index)
{
    Controls controls = m_controls;
    controls.BtnLancer = true;
    setControls(controls);
    if (m_positionSouris == PositionSouris::Image)
        return;
    m_positionSouris = PositionSouris::Image;
    showSlotInfo(index);
}

void TvBrowser::BoutonReg_Click()
{
    Controls controls = m_controls;
    controls.region = true;
    setControls(controls);
}

bool TvBrowser::stepsAllowed() const
{
    return CatalogueBrowser::stepsAllowed() && !m_controls.AutresChaines;
}

void TvBrowser::entryShown(const CatalogueEntry &entry)
{
    Controls controls = m_controls;
    controls.dates = entry.datedFlag == QStringLiteral("oui") || entry.datedFlag == QStringLiteral("m3u");
    // The news programmes have their editions' buttons instead of "Lancer";
    // the region list keeps its state, which "Edition regionale" sets.
    const bool news = NewsEditions::isNewsProgramme(entry.name);
    controls.LblLocal = news;
    controls.BoutonNat = news;
    controls.BoutonReg = news;
    controls.BtnLancer = !news;
    if (!news)
        controls.region = false;
    setControls(controls);
}

void TvBrowser::setControls(const Controls &controls)
{
    if (m_controls == controls)
        return;
    m_controls = controls;
    Q_EMIT controlsChanged();
}
