#include "app/additions.h"

#include "app/windowregistry.h"
#include "core/favourites/favouritescontroller.h"
#include "core/favourites/favouritesstore.h"
#include "core/favourites/favouritestep.h"
#include "core/playback/sleeptimer.h"
#include "core/recording/streamrecorder.h"
#include "core/state/statestore.h"
#include "platform/desktop/instancechannel.h"
#include "platform/desktop/systrayicon.h"
#include "platform/desktop/titlenotifier.h"
#include "ui/directory/annuaire.h"
#include "ui/directory/favouritesexport.h"
#include "ui/favourites/favoris.h"
#include "ui/playback/mediaplayer.h"
#include "ui/playback/playerbar.h"
#include "ui/playback/playerkeys.h"
#include "ui/playback/playermenu.h"
#include "ui/playback/sleeptimermenu.h"
#include "ui/playback/titlehistorywindow.h"
#include "ui/search/youtube.h"
#include "ui/shell/radio.h"
#include "ui/skin/programmessage.h"

#include <QAction>
#include <QDir>
#include <QStandardPaths>

Additions::Additions(StateStore &store, FavouritesStore &favourites, MediaPlayer &player, WindowRegistry &windows)
    : m_store(store)
    , m_favourites(favourites)
    , m_player(player)
    , m_windows(windows)
    , m_recorder(std::make_unique<StreamRecorder>(player.session()))
    , m_playerMenu(std::make_unique<PlayerMenu>())
    , m_sleepTimer(std::make_unique<SleepTimer>(player))
    , m_titleNotifier(std::make_unique<TitleNotifier>())
    , m_sleepTimerMenu(std::make_unique<SleepTimerMenu>(*m_sleepTimer))
    , m_titleNotificationsAction(std::make_unique<QAction>(QStringLiteral("Notifier les changements de titre")))
{
    m_titleNotificationsAction->setCheckable(true);
}

Additions::~Additions() = default;

void Additions::start(SystrayIcon &tray)
{
    // The menu gets its sections in this order.
    setupRecording();
    setupTitleHistory();
    setupListening();
    setupDirectory();
    m_player.controlBar()->setMenu(m_playerMenu.get());
    tray.setMenu(m_playerMenu.get());
}

void Additions::stopRecording()
{
    m_recorder->stop();
}

TitleHistoryWindow &Additions::titleHistoryWindow()
{
    if (!m_titleHistoryWindow) {
        m_titleHistoryWindow = std::make_unique<TitleHistoryWindow>(m_titleHistory);
        connect(m_titleHistoryWindow.get(), &TitleHistoryWindow::searchRequested, this, &Additions::searchVideo);
    }
    return *m_titleHistoryWindow;
}

void Additions::searchVideo(const QString &words)
{
    Youtube &search = m_windows.youtube();
    search.setSearchText(words);
    search.KivCommand1_Click();
}

void Additions::setupRecording()
{
    QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    if (music.isEmpty())
        music = QDir::home().filePath(QStringLiteral("Music"));
    m_recorder->setFolder(QDir(music).filePath(QStringLiteral("Ondavox")));
    m_recorder->setStationName(m_store.lecture());
    connect(&m_store, &StateStore::lectureChanged, m_recorder.get(), &StreamRecorder::setStationName);
    const auto pageShown = [this] {
        m_recorder->setPageShown(m_store.radioTv().compare(QLatin1String("WEB"), Qt::CaseInsensitive) == 0);
    };
    pageShown();
    connect(&m_store, &StateStore::radioTvChanged, m_recorder.get(), pageShown);

    PlayerBar *bar = m_player.controlBar();
    const auto availability = [this, bar] {
        bar->setRecordAvailable(m_recorder->canStart(), m_recorder->unavailableReason());
    };
    availability();
    connect(m_recorder.get(), &StreamRecorder::availabilityChanged, bar, availability);
    connect(m_recorder.get(), &StreamRecorder::recordingChanged, bar, &PlayerBar::setRecording);
    connect(m_recorder.get(), &StreamRecorder::elapsedChanged, bar, &PlayerBar::setRecordedTime);
    connect(bar, &PlayerBar::recordClicked, m_recorder.get(), &StreamRecorder::toggle);
    // Said once, without stopping anything: the radio plays on.
    connect(m_recorder.get(), &StreamRecorder::failed, this, [this](const QString &message) {
        programNotice(&m_windows.radio(), message);
    });

    m_playerMenu->addRecording(*m_recorder);
    bar->setMenu(m_playerMenu.get());
}

void Additions::setupTitleHistory()
{
    m_titleHistory.load(m_store.userPath(QString::fromLatin1(TitleHistory::fileName)));
    connect(&m_titleHistory, &TitleHistory::saveFailed, this, [](const QString &path) {
        qWarning("Ondavox : les titres écoutés n'ont pas pu être enregistrés dans %s", qPrintable(path));
    });
    connect(&m_player.session(), &PlaybackSession::streamTitleChanged, this, [this](const QString &title) {
        m_titleHistory.add(m_store.lecture(), title);
    });
    m_playerMenu->addTitleHistory();
    connect(m_playerMenu.get(), &PlayerMenu::titleHistoryRequested, this, [this] {
        WindowRegistry::showWindow(titleHistoryWindow());
    });
}

void Additions::setupListening()
{
    // The sleep timer's countdown shows in the player bar's tip.
    connect(m_sleepTimer.get(), &SleepTimer::remainingChanged, m_player.controlBar(), &PlayerBar::setSleepText);

    m_extraSettings = ExtraSettings(m_store.userPath(ExtraSettings::fileName));
    if (!m_extraSettings.load())
        qWarning("Ondavox : réglages illisibles dans %s", qPrintable(m_extraSettings.path()));
    m_titleNotifier->setEnabled(m_extraSettings.titleNotifications());
    m_titleNotificationsAction->setChecked(m_extraSettings.titleNotifications());
    connect(m_titleNotificationsAction.get(), &QAction::toggled, this, [this](bool on) {
        m_titleNotifier->setEnabled(on);
        m_extraSettings.setTitleNotifications(on);
        if (!m_extraSettings.save())
            qWarning("Ondavox : réglages non enregistrés dans %s", qPrintable(m_extraSettings.path()));
    });
    m_titleNotifier->setWindowAway([this] {
        return !m_windows.radio().isVisible() || m_windows.radio().isMinimized();
    });
    connect(&m_player, &PlayerControl::streamTitleChanged, this, [this](const QString &title) {
        m_titleNotifier->titleChanged(title, m_store.lecture(), m_player.picturePath());
    });

    m_playerMenu->addListening(m_sleepTimerMenu.get(), m_titleNotificationsAction.get());

    auto *keys = new PlayerKeys(m_player, &m_windows.radio());
    connect(keys, &PlayerKeys::favouriteStepRequested, this, [this](int step) {
        if (const auto index = FavouriteStep::neighbour(m_favourites.slots(), m_store.curl(), step))
            m_windows.favoris().controller().playSlot(*index);
    });
}

void Additions::setupDirectory()
{
    Radio &window = m_windows.radio();
    connect(&window, &Radio::stationListsDropped, this, &Additions::openStationLists);
    m_playerMenu->addDirectory(
        [this] {
            WindowRegistry::showWindow(m_windows.annuaire());
        },
        [this] {
            exportFavourites(&m_windows.radio(), m_favourites);
        });
    // Lists opened from a file manager while the program runs come here.
    m_instanceChannel = std::make_unique<InstanceChannel>();
    if (m_instanceChannel->open())
        connect(m_instanceChannel.get(), &InstanceChannel::stationListsReceived, this, &Additions::openStationLists);
}

void Additions::openStationLists(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    Annuaire &directory = m_windows.annuaire();
    directory.openStationLists(paths);
    WindowRegistry::showWindow(directory);
}
