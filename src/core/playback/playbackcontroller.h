#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

class BrowserControl;
class PlayerControl;
class StateStore;

// The main window's playback logic: stop, replay, the status line rebuilt
// every 200 ms, the page-loading progress, the mode word's effects and the
// suppression of the player's own context menu.
class PlaybackController : public QObject
{
    Q_OBJECT

public:
    PlaybackController(StateStore &store, PlayerControl &player, BrowserControl &browser, QObject *parent = nullptr);

    // `TimerInfos` runs from start to exit.
    void start();

    void Arret_Click();
    void RefreshBtn_Click();
    void TimerInfos_Timer();
    void WB_ProgressChange(int progress, int progressMax);

    void WMP_MouseDown(int button);
    void WMP_MouseMove();
    void Form_MouseDown(int button);
    void Form_MouseUp();
    // The playback part of the window's mouse move: the player is enabled again.
    void Form_MouseMove();

    static const QString loadingMessage;
    static const QString browserMessage;
    static const QString stoppedMessage;
    // The player's texts for a stop ("Arrété" too, though no status of ours is spelt so).
    static const QStringList stoppedStatuses;

Q_SIGNALS:
    // The progress bar's bound and value, as given (the bar clamps what it
    // shows), and whether the bar is to be seen: while a page loads, but not
    // the start-up home page, which loads behind the player.
    void progressChanged(int progress, int progressMax, bool barShown);
    // Modes "TV" and "WEB" give the main window its sizing frame back.
    void sizingFrameRequested();

private:
    void RadioTv_Change(const QString &mode);

    StateStore &m_store;
    PlayerControl &m_player;
    BrowserControl &m_browser;
    QTimer m_timerInfos;
};
