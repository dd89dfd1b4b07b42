#pragma once

#include "core/search/videosearch.h"
#include "ui/skin/skinnedwindow.h"

#include <functional>

class BrowserControl;
class KivCommand;
class KivOptionButton;
class KivTextBox;
class PlayerControl;
class QKeyEvent;
class StateStore;

// The video search window: a few words and a site; the results page takes
// the player's place in the main window. A search closes the window for
// good (it deletes itself, the next opening starts empty); its close image
// only hides it, keeping the words and the site.
class Youtube : public SkinnedWindow
{
    Q_OBJECT

public:
    // `mainWindow` is resized to the results' size.
    Youtube(StateStore &store,
        PlayerControl &player,
        BrowserControl &browser,
        QWidget &mainWindow,
        const VideoSearch::Hosts &hosts = VideoSearch::Hosts::current(),
        QWidget *parent = nullptr);

    // The sound of a refused key (the system's beep).
    void setBeep(std::function<void()> beep) { m_beep = std::move(beep); }

    VideoSearch::Engine engine() const;
    // The words in the field, as if typed.
    void setSearchText(const QString &text);

    // "Chercher", and Enter in the field.
    void KivCommand1_Click();
    void Quitter2_Click();

private:
    void txtSearch_KeyPress(QKeyEvent *event);

    StateStore &m_store;
    PlayerControl &m_player;
    BrowserControl &m_browser;
    QWidget &m_mainWindow;
    VideoSearch::Hosts m_hosts;
    std::function<void()> m_beep;

    KivTextBox *m_txtSearch = nullptr;
    KivOptionButton *m_choixGoogle = nullptr;
    KivOptionButton *m_choixYoutube = nullptr;
    KivOptionButton *m_choixDaily = nullptr;
    KivCommand *m_kivCommand1 = nullptr;
};
