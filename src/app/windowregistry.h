#pragma once

#include "core/directory/directoryclient.h"

#include <QPointer>
#include <memory>

class Annexe;
class Annuaire;
class Autre;
class FavouritesStore;
class Favoris;
class ForeignChannels;
class KeepOnTopTimer;
class MediaPlayer;
class MiseAJour;
class NewsEditions;
class Options;
class QWidget;
class Radio;
class StateStore;
class WebView;
class WheelRouter;
class Youtube;
class frmTV;

// The program's windows, each made the first time it is asked for and kept;
// those that their buttons unload delete themselves, and the next ask makes
// them afresh, so that their load steps run again. One window asking for
// another (the options' "Annexe" and "Mettre à jour...", the TV window's
// video search) is shown from here; what the windows do with the player, the
// tray and the desktop is wired by Application.
class WindowRegistry
{
public:
    struct Shared {
        StateStore &store;
        FavouritesStore &favourites;
        MediaPlayer &player;
        WebView &browser;
        // The connection test's small browser box, in the options window.
        WebView &testInternet;
        WheelRouter &wheelRouter;
        KeepOnTopTimer &timerPPlan;
        const NewsEditions &newsEditions;
        const ForeignChannels &foreignChannels;
        // Where the public directory is asked.
        const DirectoryClient::Settings &directory;
    };

    explicit WindowRegistry(const Shared &shared);
    ~WindowRegistry();

    // The main window, with the player's and the browser's areas in it.
    Radio &radio();
    Options &options();
    Annexe &annexe();
    Autre &autre();
    MiseAJour &miseAJour();
    Youtube &youtube();
    frmTV &tv();
    Favoris &favoris();
    // The public directory's window; closing it lets go of what it fetched.
    Annuaire &annuaire();
    // The radio browser while it is loaded.
    Autre *loadedAutre() const;

    static void showWindow(QWidget &window);

private:
    Shared m_shared;
    std::unique_ptr<Radio> m_radio;
    std::unique_ptr<Options> m_options;
    std::unique_ptr<Annexe> m_annexe;
    QPointer<Autre> m_autre;
    std::unique_ptr<WebView> m_updatePage;
    std::unique_ptr<WebView> m_wbDownload;
    std::unique_ptr<MiseAJour> m_miseAJour;
    QPointer<Youtube> m_youtube;
    QPointer<frmTV> m_tv;
    std::unique_ptr<Favoris> m_favoris;
    QPointer<Annuaire> m_annuaire;
};
