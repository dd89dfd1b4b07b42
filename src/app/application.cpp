#include "app/application.h"

#include "core/desktop/autostart.h"
#include "core/desktop/nowplayingtimer.h"
#include "core/directory/faviconcache.h"
#include "core/playback/playbackcontroller.h"
#include "core/playback/playrequest.h"
#include "core/state/startup.h"
#include "platform/browser/webview.h"
#include "platform/desktop/instancechannel.h"
#include "platform/desktop/mprisservice.h"
#include "platform/desktop/systrayicon.h"
#include "platform/desktop/unixsignals.h"
#include "platform/modules/engineloader.h"
#include "platform/modules/playermodule.h"
#include "ui/catalogue/autre.h"
#include "ui/directory/annuaire.h"
#include "ui/directory/favouritesexport.h"
#include "ui/favourites/favoris.h"
#include "ui/playback/mediaplayer.h"
#include "ui/search/youtube.h"
#include "ui/shell/annexe.h"
#include "ui/shell/options.h"
#include "ui/shell/radio.h"
#include "ui/skin/firstpaint.h"
#include "ui/skin/keepontop.h"
#include "ui/skin/kivprogressbar.h"
#include "ui/skin/wheelctl.h"
#include "ui/skin/wheelrouter.h"
#include "ui/tv/frmtv.h"
#include "ui/update/miseajour.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QStandardPaths>
#include <QTimer>

Application::Application(QObject *parent)
    : QObject(parent)
    , m_player(std::make_unique<MediaPlayer>())
    , m_browser(std::make_unique<WebView>())
    , m_testInternet(std::make_unique<WebView>())
    , m_wheelRouter(std::make_unique<WheelRouter>())
    , m_directorySettings(DirectoryClient::settingsFromEnvironment())
{
    m_store.setUserFolder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    m_favourites.setPath(m_store.userPath(FavouritesStore::fileName));
    m_playback = std::make_unique<PlaybackController>(m_store, *m_player, *m_browser);
    m_mpris = std::make_unique<MprisService>(*m_player);
    m_nowPlaying = std::make_unique<NowPlayingTimer>(m_store, *m_mpris);
    loadTvTables();
}

Application::~Application()
{
    // They use the player, the browser and the wheel router.
    delete m_annuaire;
    delete m_autre;
    delete m_youtube;
    delete m_tv;
}

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

Radio &Application::radio()
{
    if (!m_radio) {
        m_radio = std::make_unique<Radio>(m_store);
        m_radio->setPlayerWidget(m_player->widget());
        m_radio->setBrowserWidget(m_browser->widget());
        m_browser->setVisible(false);
        m_tray = std::make_unique<SystrayIcon>(m_radio.get());
        setupWindowConnections();
    }
    return *m_radio;
}

Options &Application::options()
{
    if (!m_options) {
        m_options = std::make_unique<Options>(m_store, m_timerPPlan, *m_testInternet, m_testInternet->widget());
        connect(m_options.get(), &Options::annexeRequested, this, [this] {
            showWindow(annexe());
        });
        connect(m_options.get(), &Options::updateRequested, this, [this] {
            showWindow(miseAJour());
        });
    }
    return *m_options;
}

Autre &Application::autre()
{
    // The window deletes itself when its close button unloads it.
    if (!m_autre) {
        m_autre = new Autre(m_store, *m_player, *m_browser, *m_wheelRouter);
        connect(m_autre, &Autre::annuaireRequested, this, &Application::showAnnuaire);
    }
    return *m_autre;
}

MiseAJour &Application::miseAJour()
{
    if (!m_miseAJour) {
        m_updatePage = std::make_unique<WebView>();
        m_wbDownload = std::make_unique<WebView>();
        // Never shown, yet the download is the engine's own.
        m_wbDownload->createEngine();
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
        if (folder.isEmpty())
            folder = QDir::homePath();
        m_miseAJour
            = std::make_unique<MiseAJour>(m_store, *m_updatePage, m_updatePage->widget(), *m_wbDownload, folder);
    }
    return *m_miseAJour;
}

Youtube &Application::youtube()
{
    // The window deletes itself when a search closes it.
    if (!m_youtube)
        m_youtube = new Youtube(m_store, *m_player, *m_browser, radio());
    return *m_youtube;
}

void Application::showYoutube()
{
    showWindow(youtube());
}

Annuaire &Application::annuaire()
{
    // The window deletes itself when it is closed.
    if (!m_annuaire) {
        m_annuaire = new Annuaire(m_store,
            *m_player,
            *m_browser,
            favoris().controller(),
            { m_directorySettings, FaviconCache::defaultFolder() });
    }
    return *m_annuaire;
}

void Application::showAnnuaire()
{
    showWindow(annuaire());
}

void Application::openStationLists(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    annuaire().openStationLists(paths);
    showAnnuaire();
}

frmTV &Application::tv()
{
    // The window deletes itself when it is unloaded.
    if (!m_tv) {
        m_tv = new frmTV(m_store, *m_player, *m_browser, *m_wheelRouter, m_newsEditions, m_foreignChannels);
        connect(m_tv, &frmTV::searchRequested, this, &Application::showYoutube);
    }
    return *m_tv;
}

Favoris &Application::favoris()
{
    if (!m_favoris)
        m_favoris = std::make_unique<Favoris>(m_store, m_favourites, *m_player, *m_browser);
    return *m_favoris;
}

Annexe &Application::annexe()
{
    if (!m_annexe)
        m_annexe = std::make_unique<Annexe>(m_store);
    return *m_annexe;
}

void Application::showWindow(QWidget &window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

void Application::setupPlaybackConnections()
{
    Radio &window = radio();
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
    Radio &window = *m_radio;
    connect(&window, &Radio::closeRequested, this, &Application::formUnload);
    connect(&window, &Radio::quitRequested, this, &Application::quitAtOnce);
    connect(&window, &Radio::systrayRequested, m_tray.get(), &SystrayIcon::CacheDansSystray);
    connect(&window, &Radio::keepOnTopToggled, &m_timerPPlan, &KeepOnTopTimer::toggle);
    connect(&m_timerPPlan, &KeepOnTopTimer::fired, &window, [this, &window] {
        KeepOnTop::apply(&window);
        m_timerPPlan.setInterval(0);
    });
    connect(&window, &Radio::optionsRequested, this, [this] {
        showWindow(options());
    });
    connect(&window, &Radio::radiosRequested, this, [this] {
        showWindow(autre());
    });
    connect(&window, &Radio::tvRequested, this, [this] {
        frmTV &tvWindow = tv();
        tvWindow.unsetCursor();
        showWindow(tvWindow);
    });
    connect(&window, &Radio::favorisRequested, this, [this] {
        showWindow(favoris());
    });
}

void Application::setupNowPlayingConnections()
{
    if (!m_mpris->start())
        qWarning("%s", qPrintable(m_mpris->errorString()));
    connect(m_mpris.get(), &MprisService::raiseRequested, this, [this] {
        m_radio->showNormal();
        showWindow(*m_radio);
    });
    connect(m_mpris.get(), &MprisService::quitRequested, this, &Application::formUnload);
    // An address the desktop hands over plays like a launch, named by itself.
    connect(m_mpris.get(), &MprisService::openUriRequested, this, [this](const QString &uri) {
        PlayRequest request;
        request.address = uri;
        request.name = uri;
        request.mode = QStringLiteral("RADIO");
        requestPlay(request, m_store, *m_player, *m_browser);
    });
}

void Application::setupDirectoryConnections()
{
    connect(m_radio.get(), &Radio::stationListsDropped, this, &Application::openStationLists);
    QMenu *menu = m_tray->menu();
    menu->addAction(QStringLiteral("Annuaire des radios…"), this, &Application::showAnnuaire);
    menu->addAction(QStringLiteral("Exporter les favoris en M3U…"), this, [this] {
        exportFavourites(m_radio.get(), m_favourites);
    });
    // Lists opened from a file manager while the program runs come here.
    m_instanceChannel = std::make_unique<InstanceChannel>();
    if (m_instanceChannel->open())
        connect(m_instanceChannel.get(), &InstanceChannel::stationListsReceived, this, &Application::openStationLists);
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
    options();
    radio();
    setupPlaybackConnections();
    setupNowPlayingConnections();
    setupExitConnections();
    setupDirectoryConnections();

    // Borderless, and resizable from its edges.
    m_radio->setSizingFrame(true);
    applyWindowState();
    Autostart::apply(m_store.preferences().check1);
    // The engine was given the start-up stream as it was made.
    if (!engine->address().isEmpty())
        m_store.setCurl(engine->address());
    m_player->loadEngine(std::move(engine));
    // The favourites window lives, hidden, from here to the end: it reads the
    // store now and starts saving it. The TV window follows, hidden: its load
    // presets the day lists before anyone opens it.
    favoris();
    tv();
    m_player->setStretchToFit(m_store.preferences().checkCadre == 1);
    m_timerPPlan.setInterval(m_store.preferences().kivCheckBox1 == 1 ? 50 : 0);
    // The pages are asked for once the window shows, after the stream.
    afterFirstShow([this] {
        startBrowsers();
    });
}

void Application::afterFirstShow(std::function<void()> then)
{
    if (!m_radio->isVisible()) {
        QTimer::singleShot(0, this, std::move(then));
        return;
    }
    FirstPaint::then(*m_radio, std::move(then));
}

void Application::applyWindowState()
{
    switch (m_store.preferences().fenetre) {
    case 1:
        m_radio->showMaximized();
        break;
    case 2:
        m_tray->CacheDansSystray();
        break;
    default:
        m_radio->show();
        break;
    }
}

void Application::startBrowsers()
{
    options().startConnectionTest();
    m_browser->navigate(QStringLiteral(ONDAVOX_SITE_URL "/index-ovx.php"));
    m_browser->setTag(QStringLiteral("Debut"));
}

void Application::formUnload()
{
    if (m_unloading)
        return;
    m_unloading = true;
    m_nowPlaying->clearForExit();
    // No one is left to answer a message box at log-off: the reason goes to the session's log.
    if (!Startup::writePreferences(m_store))
        qWarning("Ondavox : les préférences n'ont pas pu être enregistrées dans %s",
            qPrintable(m_store.userPath(Startup::preferencesName)));
    saveFavourites();
    if (m_autre)
        m_autre->WheelCtl1()->unHook();
    // Not quit(): that asks every window to close first, and the main window
    // answers a close request by coming back here.
    QCoreApplication::exit(0);
}

void Application::quitAtOnce()
{
    m_unloading = true;
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
