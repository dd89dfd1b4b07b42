#pragma once

#include "core/catalogue/cataloguebrowser.h"
#include "core/tv/tvfilter.h"

// The TV browser: 12 slots in rows of 4 over the TV catalogue, the boxes of
// the frame "Chaines", the info panel of the programme last clicked, and which
// of the window's launch controls show for it.
class TvBrowser : public CatalogueBrowser
{
    Q_OBJECT

public:
    static constexpr int slotCount = 12;
    static constexpr int rowWidth = 4;

    // The visibility of the launch controls, which follow the entry shown.
    struct Controls {
        bool BtnLancer = false; // "Lancer"
        bool dates = false; // `LabelDate`, `Jour`, `Mois`
        bool LblLocal = false; // "Journaux Locaux :"
        bool region = false; // the region list
        bool BoutonNat = false; // "Edition nationale"
        bool BoutonReg = false; // "Edition regionale"
        bool AutresChaines = false; // the foreign channels' list
        bool operator==(const Controls &) const = default;
    };

    TvBrowser(const StateStore &store, PictureCheck canLoadPicture, QObject *parent = nullptr);

    // The info panel's picture is centred in a panel 3580 twips wide: its
    // left edge for a picture `widthTwips` wide.
    static int ImageOneLeft(int widthTwips) { return (3580 - widthTwips) / 2; }

    const TvFilter &filter() const { return m_filter; }
    const Controls &controls() const { return m_controls; }

    void InitialiseTV() { Initialise(); }

    // Events of the window. Only the clicked box's rules run: the boxes this
    // changes raise no click of their own.
    void Check_Click(TvFilter::Box box, bool ticked);
    // Shows the slot's entry unless an info display was made since the
    // pointer last moved over the window's surface.
    void Img_Click(int index);
    void Form_MouseMove() { m_positionSouris = PositionSouris::Form; }
    void BoutonReg_Click();

Q_SIGNALS:
    void filterChanged();
    void controlsChanged();

protected:
    bool admits(const CatalogueEntry &entry) const override { return m_filter.admits(entry); }
    // Neither the arrows nor the wheel step the page under the foreign channels.
    bool stepsAllowed() const override;
    void entryShown(const CatalogueEntry &entry) override;

private:
    // "Form": the pointer has moved over the window's surface since the last
    // info display; "Image": an info display has been made since.
    enum class PositionSouris { Form, Image };

    void setControls(const Controls &controls);

    TvFilter m_filter;
    Controls m_controls;
    PositionSouris m_positionSouris = PositionSouris::Form;
};
