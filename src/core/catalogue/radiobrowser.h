#pragma once

#include "core/catalogue/cataloguebrowser.h"
#include "core/catalogue/radiofilter.h"

// The radio browser: 24 slots in rows of 6 over the radio catalogue, the
// category boxes under "Afficher : ", the scroll indicator, and the info
// panel of the station under the mouse.
class RadioBrowser : public CatalogueBrowser
{
    Q_OBJECT

public:
    static constexpr int slotCount = 24;
    static constexpr int rowWidth = 6;
    static constexpr int BouleStart = 118;
    static constexpr int BouleMiddle = 172;
    static constexpr int BouleEnd = 226;

    RadioBrowser(const StateStore &store, PictureCheck canLoadPicture, QObject *parent = nullptr);

    const RadioFilter &filter() const { return m_filter; }

    void InitialiseRadios() { Initialise(); }

    // Events of the window.
    void Check_Click(RadioFilter::Box box, bool ticked);
    void Img_MouseMove(int index) { showSlotInfo(index); }

Q_SIGNALS:
    void filterChanged();

protected:
    bool admits(const CatalogueEntry &entry) const override { return m_filter.admits(entry); }

private:
    RadioFilter m_filter;
};
