#pragma once

#include "core/history/titlehistory.h"
#include "core/state/extrasettings.h"

#include <QObject>
#include <QStringList>
#include <memory>

class FavouritesStore;
class InstanceChannel;
class MediaPlayer;
class PlayerMenu;
class QAction;
class SleepTimer;
class SleepTimerMenu;
class StateStore;
class StreamRecorder;
class SystrayIcon;
class TitleHistoryWindow;
class TitleNotifier;
class WindowRegistry;

// What the program offers beyond its windows, from the player bar's menu,
// which is the tray icon's too: recording, the titles heard, the sleep timer,
// title notifications, the keys of the main window, the public directory and
// station lists.
class Additions : public QObject
{
    Q_OBJECT

public:
    Additions(StateStore &store, FavouritesStore &favourites, MediaPlayer &player, WindowRegistry &windows);
    ~Additions() override;

    // Once the main window and the tray icon exist.
    void start(SystrayIcon &tray);
    // The stations of list files, in the directory window.
    void openStationLists(const QStringList &paths);
    // At the exit: the recording's file closed whole.
    void stopRecording();

private:
    void setupRecording();
    void setupTitleHistory();
    void setupListening();
    void setupDirectory();
    TitleHistoryWindow &titleHistoryWindow();
    // The video search for `words`, as if they had been typed in its window.
    void searchVideo(const QString &words);

    StateStore &m_store;
    FavouritesStore &m_favourites;
    MediaPlayer &m_player;
    WindowRegistry &m_windows;
    std::unique_ptr<StreamRecorder> m_recorder;
    TitleHistory m_titleHistory;
    std::unique_ptr<PlayerMenu> m_playerMenu;
    std::unique_ptr<TitleHistoryWindow> m_titleHistoryWindow;
    ExtraSettings m_extraSettings;
    std::unique_ptr<SleepTimer> m_sleepTimer;
    std::unique_ptr<TitleNotifier> m_titleNotifier;
    std::unique_ptr<SleepTimerMenu> m_sleepTimerMenu;
    std::unique_ptr<QAction> m_titleNotificationsAction;
    std::unique_ptr<InstanceChannel> m_instanceChannel;
};
