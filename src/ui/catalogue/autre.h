#pragma once

#include "ui/catalogue/picturecache.h"
#include "ui/skin/skinnedwindow.h"

#include <QList>

class BrowserControl;
class CataloguePageView;
class KivCheckBox;
class KivCommand;
class PlayerControl;
class QLabel;
class QPushButton;
class RadioBrowser;
class StateStore;
class WheelCtl;
class WheelRouter;

// The radio browser window "Radios": the page of station pictures, the
// category boxes, the info panel of the station under the mouse. A click on a
// station plays it in the main window and hides this window, which keeps its
// page; the close button unloads the window (it deletes itself), so that the
// next showing starts afresh with a new first fill.
//
// Create it when the radio button is pressed and no instance exists (keep a
// QPointer), then show it. Its wheel control hooks to `wheelRouter` at once.
class Autre : public SkinnedWindow
{
    Q_OBJECT

public:
    Autre(StateStore &store,
        PlayerControl &player,
        BrowserControl &browser,
        WheelRouter &wheelRouter,
        QWidget *parent = nullptr);
    ~Autre() override;

    WheelCtl *WheelCtl1() const { return m_wheelCtl; }

    // Launches the station the info panel shows, whichever slot was clicked.
    void Img_Click();
    // Opens the publisher's page of radios in the user's web browser.
    void Label6_Click();
    void Quit2_Click();

Q_SIGNALS:
    // The button of our own beside the info panel: the public directory.
    void annuaireRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildFilters();
    void buildInfoPanel();
    void buildDirectoryButton();
    void showInfo();
    void showFilter();

    StateStore &m_store;
    PlayerControl &m_player;
    BrowserControl &m_browser;
    PictureCache m_pictures;
    RadioBrowser *m_radioBrowser;
    WheelCtl *m_wheelCtl;
    CataloguePageView *m_page = nullptr;

    QList<KivCheckBox *> m_checks; // in the order of RadioFilter::Box
    QLabel *m_lblNom = nullptr;
    QLabel *m_lblLangue = nullptr;
    QLabel *m_lblInfos = nullptr;
    QLabel *m_imageOne = nullptr;
    QPushButton *m_label6 = nullptr;
    KivCommand *m_annuaire = nullptr;
};
