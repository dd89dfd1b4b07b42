#pragma once

#include "app/windowregistry.h"
#include "core/desktop/keepontoptimer.h"
#include "core/directory/directoryclient.h"
#include "core/favourites/favouritesstore.h"
#include "core/state/startup.h"
#include "core/state/statestore.h"
#include "core/tv/foreignchannels.h"
#include "core/tv/newseditions.h"

#include <QObject>
#include <functional>
#include <memory>

class Additions;
class EngineLoader;
class MediaPlayer;
class MprisService;
class NowPlayingTimer;
class PlaybackController;
class PlayerControl;
class SystrayIcon;
class WebView;
class WheelRouter;

// Creates the program's objects, wires them together and runs the start-up
// and exit sequences. The windows are the registry's, made on first use.
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
    WindowRegistry &windows() { return m_windows; }
    // The stations of list files, in the directory window.
    void openStationLists(const QStringList &paths);
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
    void applyWindowState();
    void startBrowsers();
    void saveFavourites();

    StateStore m_store;
    FavouritesStore m_favourites;
    std::unique_ptr<MediaPlayer> m_player;
    std::unique_ptr<WebView> m_browser;
    std::unique_ptr<WebView> m_testInternet;
    std::unique_ptr<WheelRouter> m_wheelRouter;
    NewsEditions m_newsEditions;
    ForeignChannels m_foreignChannels;
    KeepOnTopTimer m_timerPPlan;
    // Where the directory is asked, read once at start.
    DirectoryClient::Settings m_directorySettings;
    // Destroyed after what is wired to the windows.
    WindowRegistry m_windows;
    std::unique_ptr<PlaybackController> m_playback;
    std::unique_ptr<SystrayIcon> m_tray;
    std::unique_ptr<MprisService> m_mpris;
    std::unique_ptr<NowPlayingTimer> m_nowPlaying;
    // Uses the player and the windows: it goes first.
    std::unique_ptr<Additions> m_additions;
    bool m_unloading = false;
};
