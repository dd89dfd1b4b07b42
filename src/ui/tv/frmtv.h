#pragma once

#include "core/tv/tvfilter.h"
#include "ui/catalogue/picturecache.h"
#include "ui/skin/skinnedwindow.h"

#include <QList>

class BrowserControl;
class CataloguePageView;
class ForeignChannels;
class KivCheckBox;
class NewsEditions;
class PlayerControl;
class QLabel;
class StateStore;
class TvBrowser;
class TvLaunchControls;
class WheelCtl;
class WheelRouter;

// The TV window: the page of programme pictures, the boxes of "Chaines", the
// info panel of the programme last clicked, and the launch controls
// (TvLaunchControls: the day lists, the news editions, the launch button and
// the foreign channels). It exists from the start, hidden; a launch hides it,
// and the national edition, the video search and the close button unload it
// (it deletes itself), so that the next showing loads it afresh: empty page,
// first fill 70 ms later, day lists preset again.
//
// Its wheel control hooks to `wheelRouter` at once.
class frmTV : public SkinnedWindow
{
    Q_OBJECT

public:
    frmTV(StateStore &store,
        PlayerControl &player,
        BrowserControl &browser,
        WheelRouter &wheelRouter,
        const NewsEditions &editions,
        const ForeignChannels &channels,
        QWidget *parent = nullptr);
    ~frmTV() override;

    // "Chercher une vidéo sur Internet (Youtube, ...)": the search opens
    // elsewhere, this window unloads.
    void KivCommand1_Click();
    void Quitter2_Click();

Q_SIGNALS:
    void searchRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildFilters();
    void buildInfoPanel();
    void showInfo();
    void showFilter();

    PictureCache m_pictures;
    TvBrowser *m_tvBrowser;
    TvLaunchControls *m_launch;
    WheelCtl *m_wheelCtl;
    CataloguePageView *m_page = nullptr;

    QList<KivCheckBox *> m_checks; // in the order of TvFilter::Box
    QLabel *m_lblNom = nullptr;
    QLabel *m_lblLangue = nullptr;
    QLabel *m_lblInfos = nullptr;
    QLabel *m_imageOne = nullptr;
};
