#pragma once

#include "app/windowregistry.h"
#include "core/desktop/keepontoptimer.h"
#include "core/directory/directoryclient.h"
#include "core/favourites/favouritesstore.h"
#include "core/history/titlehistory.h"
#include "core/state/extrasettings.h"
#include "core/state/startup.h"
#include "core/state/statestore.h"
#include "core/tv/foreignchannels.h"
#include "core/tv/newseditions.h"

#include <QObject>
#include <functional>
#include <memory>

class EngineLoader;
class InstanceChannel;
class MediaPlayer;
class MprisService;
class NowPlayingTimer;
class PlaybackController;
class PlayerControl;
class PlayerMenu;
class StreamRecorder;
class TitleHistoryWindow;
class PlayerKeys;
class QAction;
class SleepTimer;
class SleepTimerMenu;
class SystrayIcon;
class TitleNotifier;
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
    void setupListenerConnections();
    void setupExitConnections();
    void setupDirectoryConnections();
    void setupRecordingConnections();
    void setupTitleHistoryConnections();
    // The video search for `words`, as if they had been typed in its window.
    void searchVideo(const QString &words);
    TitleHistoryWindow &titleHistoryWindow();
    void applyWindowState();
    void startBrowsers();
    void saveFavourites();

    StateStore m_store;
    FavouritesStore m_favourites;
    std::unique_ptr<MediaPlayer> m_player;
    // After the player, whose engine writes its file: it goes first.
    std::unique_ptr<StreamRecorder> m_recorder;
    TitleHistory m_titleHistory;
    std::unique_ptr<PlayerMenu> m_playerMenu;
    std::unique_ptr<TitleHistoryWindow> m_titleHistoryWindow;
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
    std::unique_ptr<InstanceChannel> m_instanceChannel;
    ExtraSettings m_extraSettings;
    std::unique_ptr<SleepTimer> m_sleepTimer;
    std::unique_ptr<TitleNotifier> m_titleNotifier;
    std::unique_ptr<SleepTimerMenu> m_sleepTimerMenu;
    std::unique_ptr<QAction> m_titleNotificationsAction;
    bool m_unloading = false;
};
