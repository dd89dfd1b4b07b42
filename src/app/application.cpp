#include "app/application.h"

#include "app/additions.h"
#include "core/desktop/autostart.h"
#include "core/desktop/nowplayingtimer.h"
#include "core/playback/playbackcontroller.h"
#include "core/playback/playrequest.h"
#include "core/state/startup.h"
#include "platform/browser/webview.h"
#include "platform/desktop/mprisservice.h"
#include "platform/desktop/systrayicon.h"
#include "platform/desktop/unixsignals.h"
#include "platform/modules/engineloader.h"
#include "platform/modules/playermodule.h"
#include "ui/catalogue/autre.h"
#include "ui/favourites/favoris.h"
#include "ui/playback/mediaplayer.h"
#include "ui/shell/options.h"
#include "ui/shell/radio.h"
#include "ui/skin/firstpaint.h"
#include "ui/skin/keepontop.h"
#include "ui/skin/kivprogressbar.h"
#include "ui/skin/wheelctl.h"
#include "ui/skin/wheelrouter.h"
#include "ui/tv/frmtv.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTimer>

Application::Application(QObject *parent)
    : QObject(parent)
    , m_player(std::make_unique<MediaPlayer>())
    , m_browser(std::make_unique<WebView>())
    , m_testInternet(std::make_unique<WebView>())
    , m_wheelRouter(std::make_unique<WheelRouter>())
    , m_directorySettings(DirectoryClient::settingsFromEnvironment())
    , m_windows({ m_store,
          m_favourites,
          *m_player,
          *m_browser,
          *m_testInternet,
          *m_wheelRouter,
          m_timerPPlan,
          m_newsEditions,
          m_foreignChannels,
          m_directorySettings })
{
    m_store.setUserFolder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    m_favourites.setPath(m_store.userPath(FavouritesStore::fileName));
    m_playback = std::make_unique<PlaybackController>(m_store, *m_player, *m_browser);
    m_mpris = std::make_unique<MprisService>(*m_player);
    m_nowPlaying = std::make_unique<NowPlayingTimer>(m_store, *m_mpris);
    m_additions = std::make_unique<Additions>(m_store, m_favourites, *m_player, m_windows);
    loadTvTables();
}

Application::~Application() = default;

void Application::loadTvTables()
{
    // The tables are compiled in: a fault here is the build's, and the TV
    // window then only lacks its lists.
    QString error;
    if (auto editions = NewsEditions::builtIn(&error))
        m_newsEditions = std::move(*editions);
    else
        qWarning("Ondavox : table des éditions régionales illisible (%s)", qPrintable(error));
    if (auto channels = ForeignChannels::builtIn(&error))
        m_foreignChannels = std::move(*channels);
    else
        qWarning("Ondavox : table des chaînes étrangères illisible (%s)", qPrintable(error));
}

PlayerControl &Application::player()
{
    return *m_player;
}

void Application::setupPlaybackConnections()
{
    Radio &window = m_windows.radio();
    connect(&window, &Radio::stopRequested, m_playback.get(), &PlaybackController::Arret_Click);
    connect(&window, &Radio::refreshRequested, m_playback.get(), &PlaybackController::RefreshBtn_Click);
    connect(&window, &Radio::formMouseDown, m_playback.get(), &PlaybackController::Form_MouseDown);
    connect(&window, &Radio::formMouseUp, m_playback.get(), &PlaybackController::Form_MouseUp);
    connect(&window, &Radio::formMouseMove, m_playback.get(), &PlaybackController::Form_MouseMove);
    connect(m_playback.get(),
        &PlaybackController::progressChanged,
        &window,
        [&window](int progress, int progressMax, bool barShown) {
            window.progressBar()->setUpperBound(progressMax);
            window.progressBar()->setProgress(progress);
            window.progressBar()->setVisible(barShown);
        });
    connect(m_playback.get(), &PlaybackController::sizingFrameRequested, &window, [&window] {
        window.setSizingFrame(true);
    });
    // The player's face names what plays.
    m_player->setDisplayName(m_store.lecture());
    connect(&m_store, &StateStore::lectureChanged, m_player.get(), &PlayerControl::setDisplayName);
    m_playback->start();
}

void Application::setupWindowConnections()
{
    Radio &window = m_windows.radio();
    m_tray = std::make_unique<SystrayIcon>(&window);
    connect(&window, &Radio::closeRequested, this, &Application::formUnload);
    connect(&window, &Radio::quitRequested, this, &Application::quitAtOnce);
    connect(&window, &Radio::systrayRequested, m_tray.get(), &SystrayIcon::CacheDansSystray);
    connect(&window, &Radio::keepOnTopToggled, &m_timerPPlan, &KeepOnTopTimer::toggle);
    connect(&m_timerPPlan, &KeepOnTopTimer::fired, &window, [this, &window] {
        KeepOnTop::apply(&window);
        m_timerPPlan.setInterval(0);
    });
    connect(&window, &Radio::optionsRequested, this, [this] {
        WindowRegistry::showWindow(m_windows.options());
    });
    connect(&window, &Radio::radiosRequested, this, [this] {
        WindowRegistry::showWindow(m_windows.autre());
    });
    connect(&window, &Radio::tvRequested, this, [this] {
        frmTV &tvWindow = m_windows.tv();
        tvWindow.unsetCursor();
        WindowRegistry::showWindow(tvWindow);
    });
    connect(&window, &Radio::favorisRequested, this, [this] {
        WindowRegistry::showWindow(m_windows.favoris());
    });
}

void Application::setupNowPlayingConnections()
{
    if (!m_mpris->start())
        qWarning("%s", qPrintable(m_mpris->errorString()));
    connect(m_mpris.get(), &MprisService::raiseRequested, this, [this] {
        m_windows.radio().showNormal();
        WindowRegistry::showWindow(m_windows.radio());
    });
    connect(m_mpris.get(), &MprisService::quitRequested, this, &Application::formUnload);
    // What plays, whether or not the publisher's option sends its text.
    m_mpris->setStation(m_store.lecture());
    connect(&m_store, &StateStore::lectureChanged, m_mpris.get(), &MprisService::setStation);
    m_mpris->setPicture(m_player->picturePath());
    connect(m_player.get(), &MediaPlayer::pictureChanged, m_mpris.get(), &MprisService::setPicture);
    PlaybackSession &session = m_player->session();
    connect(&session, &PlaybackSession::seekRangeChanged, m_mpris.get(), &MprisService::setSeekRange);
    connect(&session, &PlaybackSession::positionChanged, m_mpris.get(), &MprisService::setPosition);
    connect(m_mpris.get(), &MprisService::seekRequested, &session, &PlaybackSession::seekTo);
    // An address the desktop hands over plays like a launch, named by itself.
    connect(m_mpris.get(), &MprisService::openUriRequested, this, [this](const QString &uri) {
        PlayRequest request;
        request.address = uri;
        request.name = uri;
        request.mode = QStringLiteral("RADIO");
        requestPlay(request, m_store, *m_player, *m_browser);
    });
}

void Application::openStationLists(const QStringList &paths)
{
    m_additions->openStationLists(paths);
}

void Application::setupExitConnections()
{
    connect(qApp, &QGuiApplication::commitDataRequest, this, &Application::formUnload);
    auto *signals = new UnixSignals(this);
    connect(signals, &UnixSignals::terminationRequested, this, &Application::formUnload);
}

void Application::start()
{
    start(Startup::readFiles(
        Startup::installFolderCandidates(QCoreApplication::applicationDirPath()), m_store.userFolder()));
}

std::unique_ptr<EngineLoader> Application::startEngine(const Startup::Files &files, const QString &programFolder)
{
    return std::make_unique<EngineLoader>(PlayerModule::path(programFolder), Startup::startupStream(files.preferences));
}

void Application::start(const Startup::Files &files, std::unique_ptr<EngineLoader> engine)
{
    Startup::apply(files, m_store);
    if (!engine) {
        engine = startEngine(files, QCoreApplication::applicationDirPath());
        engine->localeSettled();
    }
    // The options window exists from the start: it holds the preferences'
    // controls and the connection test.
    m_windows.options();
    setupWindowConnections();
    setupPlaybackConnections();
    setupNowPlayingConnections();
    setupExitConnections();
    m_additions->start(*m_tray);

    // Borderless, and resizable from its edges.
    m_windows.radio().setSizingFrame(true);
    applyWindowState();
    Autostart::apply(m_store.preferences().check1);
    // The engine was given the start-up stream as it was made.
    if (!engine->address().isEmpty())
        m_store.setCurl(engine->address());
    m_player->loadEngine(std::move(engine));
    // The favourites window lives, hidden, from here to the end: it reads the
    // store now and starts saving it. The TV window follows, hidden: its load
    // presets the day lists before anyone opens it.
    m_windows.favoris();
    m_windows.tv();
    m_player->setStretchToFit(m_store.preferences().checkCadre == 1);
    m_timerPPlan.setInterval(m_store.preferences().kivCheckBox1 == 1 ? 50 : 0);
    // The pages are asked for once the window shows, after the stream.
    afterFirstShow([this] {
        startBrowsers();
    });
}

void Application::afterFirstShow(std::function<void()> then)
{
    if (!m_windows.radio().isVisible()) {
        QTimer::singleShot(0, this, std::move(then));
        return;
    }
    FirstPaint::then(m_windows.radio(), std::move(then));
}

void Application::applyWindowState()
{
    switch (m_store.preferences().fenetre) {
    case 1:
        m_windows.radio().showMaximized();
        break;
    case 2:
        m_tray->CacheDansSystray();
        break;
    default:
        m_windows.radio().show();
        break;
    }
}

void Application::startBrowsers()
{
    m_windows.options().startConnectionTest();
    m_browser->navigate(QStringLiteral(ONDAVOX_SITE_URL "/index-ovx.php"));
    m_browser->setTag(QStringLiteral("Debut"));
}

void Application::formUnload()
{
    if (m_unloading)
        return;
    m_unloading = true;
    m_nowPlaying->clearForExit();
    // The recording's file is closed whole before anything else can fail.
    m_additions->stopRecording();
    m_mpris->clear();
    // No one is left to answer a message box at log-off: the reason goes to the session's log.
    if (!Startup::writePreferences(m_store))
        qWarning("Ondavox : les préférences n'ont pas pu être enregistrées dans %s",
            qPrintable(m_store.userPath(Startup::preferencesName)));
    saveFavourites();
    if (Autre *autre = m_windows.loadedAutre())
        autre->WheelCtl1()->unHook();
    // Not quit(): that asks every window to close first, and the main window
    // answers a close request by coming back here.
    QCoreApplication::exit(0);
}

void Application::quitAtOnce()
{
    m_unloading = true;
    m_additions->stopRecording();
    // Every change was written when it was made; this is the last try for
    // one that could not be.
    saveFavourites();
    QCoreApplication::exit(0);
}

void Application::saveFavourites()
{
    if (!m_favourites.Savefavoris())
        qWarning("Ondavox : les favoris n'ont pas pu être enregistrés dans %s", qPrintable(m_favourites.path()));
}
