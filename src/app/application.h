#pragma once

#include "core/desktop/keepontoptimer.h"
#include "core/directory/directoryclient.h"
#include "core/favourites/favouritesstore.h"
#include "core/state/startup.h"
#include "core/state/statestore.h"
#include "core/tv/foreignchannels.h"
#include "core/tv/newseditions.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class Annexe;
class Annuaire;
class Autre;
class InstanceChannel;
class MiseAJour;
class Favoris;
class MprisService;
class NowPlayingTimer;
class Options;
class PlaybackController;
class EngineLoader;
class MediaPlayer;
class PlayerControl;
class QWidget;
class Radio;
class SystrayIcon;
class WebView;
class WheelRouter;
class Youtube;
class frmTV;

// Creates the program's objects, wires them together and runs the start-up
// and exit sequences. Windows are created on first use and kept, except
// those that their close buttons unload.
class Application : public QObject
{
    Q_OBJECT

public:
    explicit Application(QObject *parent = nullptr);
    ~Application() override;

    // The player's engine, made on a thread of its own from the player module
    // installed beside the program in `programFolder`, given the start-up
    // stream of the preferences read. main() begins it before the application
    // exists; the loader waits for localeSettled() before it starts libmpv.
    static std::unique_ptr<EngineLoader> startEngine(const Startup::Files &files, const QString &programFolder);
    // `Radio.Form_Load`, with the files read and the engine begun beforehand
    // (main() does both before the application exists), or here.
    void start(const Startup::Files &files, std::unique_ptr<EngineLoader> engine = {});
    void start();
    // `Radio.Form_Unload`: now-playing cleared, preferences written, then the end.
    void formUnload();
    // The skinned close buttons: the end, at once, without writing anything.
    void quitAtOnce();

    StateStore &store() { return m_store; }
    Radio &radio();
    Options &options();
    Annexe &annexe();
    Autre &autre();
    MiseAJour &miseAJour();
    Youtube &youtube();
    // The video search, opened from the TV window.
    void showYoutube();
    // The public directory's window, created when first shown; closing it
    // lets go of everything it fetched.
    Annuaire &annuaire();
    void showAnnuaire();
    // The stations of list files, in the directory window.
    void openStationLists(const QStringList &paths);
    frmTV &tv();
    Favoris &favoris();
    FavouritesStore &favourites() { return m_favourites; }
    PlayerControl &player();
    WebView &browser() { return *m_browser; }
    // The options window's connection test box.
    WebView &testInternet() { return *m_testInternet; }

private:
    // `then` runs once the main window has been painted, or at once when it
    // starts hidden.
    void afterFirstShow(std::function<void()> then);
    void loadTvTables();
    void setupPlaybackConnections();
    void setupWindowConnections();
    void setupNowPlayingConnections();
    void setupExitConnections();
    void setupDirectoryConnections();
    void applyWindowState();
    void startBrowsers();
    void showWindow(QWidget &window);
    void saveFavourites();

    StateStore m_store;
    FavouritesStore m_favourites;
    std::unique_ptr<MediaPlayer> m_player;
    std::unique_ptr<WebView> m_browser;
    std::unique_ptr<WebView> m_testInternet;
    std::unique_ptr<Radio> m_radio;
    std::unique_ptr<PlaybackController> m_playback;
    std::unique_ptr<WheelRouter> m_wheelRouter;
    std::unique_ptr<SystrayIcon> m_tray;
    std::unique_ptr<MprisService> m_mpris;
    std::unique_ptr<NowPlayingTimer> m_nowPlaying;
    std::unique_ptr<Options> m_options;
    std::unique_ptr<Annexe> m_annexe;
    QPointer<Autre> m_autre;
    std::unique_ptr<WebView> m_updatePage;
    std::unique_ptr<WebView> m_wbDownload;
    std::unique_ptr<MiseAJour> m_miseAJour;
    QPointer<Youtube> m_youtube;
    QPointer<Annuaire> m_annuaire;
    // Where the directory is asked, read once at start.
    DirectoryClient::Settings m_directorySettings;
    std::unique_ptr<InstanceChannel> m_instanceChannel;
    NewsEditions m_newsEditions;
    ForeignChannels m_foreignChannels;
    QPointer<frmTV> m_tv;
    std::unique_ptr<Favoris> m_favoris;
    KeepOnTopTimer m_timerPPlan;
    bool m_unloading = false;
};
