#pragma once

#include "core/tv/tvfilter.h"
#include "core/tv/tvlauncher.h"
#include "ui/catalogue/picturecache.h"
#include "ui/skin/skinnedwindow.h"

#include <QList>

class BrowserControl;
class CataloguePageView;
class ForeignChannels;
class KivCheckBox;
class KivCommand;
class NewsEditions;
class PlayerControl;
class QComboBox;
class QLabel;
class StateStore;
class TvBrowser;
class WheelCtl;
class WheelRouter;
struct EditionDate;

// The TV window: the page of programme pictures, the boxes of "Chaines", the
// info panel of the programme last clicked, the day lists, the news editions,
// the launch button and the foreign channels. It exists from the start,
// hidden; a launch hides it, and the national edition, the video search and
// the close button unload it (it deletes itself), so that the next showing
// loads it afresh: empty page, first fill 70 ms later, day lists preset again.
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

    TvBrowser &tvBrowser() const { return *m_tvBrowser; }
    TvLauncher &launcher() const { return *m_launcher; }
    WheelCtl *WheelCtl1() const { return m_wheelCtl; }

    // The day lists at today, or yesterday by the preference.
    void CalcDate();
    // The day the lists say, in this year.
    EditionDate editionDate() const;

    void BtnLancer_Click();
    void BoutonNat_Click();
    void BoutonReg_Click();
    void region_Click(int position);
    void AutresChaines_Click(int position);
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
    void buildLaunchControls();
    QComboBox *addList(const char *name, const QString &accessibleName, QPoint at, int width);
    KivCommand *addButton(const char *name, const QString &caption, QPoint at, int width);
    void showInfo();
    void showFilter();
    void showControls();
    void apply(const TvLauncher::Outcome &outcome);

    StateStore &m_store;
    PictureCache m_pictures;
    TvBrowser *m_tvBrowser;
    TvLauncher *m_launcher;
    WheelCtl *m_wheelCtl;
    CataloguePageView *m_page = nullptr;

    QList<KivCheckBox *> m_checks; // in the order of TvFilter::Box
    QLabel *m_lblNom = nullptr;
    QLabel *m_lblLangue = nullptr;
    QLabel *m_lblInfos = nullptr;
    QLabel *m_imageOne = nullptr;
    QLabel *m_labelDate = nullptr;
    QComboBox *m_jour = nullptr;
    QComboBox *m_mois = nullptr;
    QLabel *m_lblLocal = nullptr;
    KivCommand *m_boutonNat = nullptr;
    KivCommand *m_boutonReg = nullptr;
    QComboBox *m_region = nullptr;
    KivCommand *m_btnLancer = nullptr;
    QComboBox *m_autresChaines = nullptr;
    KivCommand *m_kivCommand1 = nullptr;
};
