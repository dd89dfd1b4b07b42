#pragma once

#include "core/favourites/favouritesrecord.h"

#include <QObject>
#include <QTimer>
#include <array>
#include <functional>

class BrowserControl;
class FavouritesStore;
class PlayerControl;
class StateStore;

// The logic of the favourites window `Favoris` and of its add dialog: what the
// window shows beside the names, playing and deleting a favourite, both ways
// of adding one, the display refresh (`Affichage`) and the playback watcher
// (`LectureEnCours`). The window shows this state and forwards its clicks.
class FavouritesController : public QObject
{
    Q_OBJECT

public:
    static constexpr int affichagePeriod = 1000;
    static constexpr int lectureEnCoursPeriod = 200;
    // The first slot of the right-hand column: the separator shows with it.
    static constexpr int firstRightSlot = 12;

    static const QString webModeMessage;
    static const QString storeFullMessage;
    static const QString storeFullDialogMessage;
    static const QString datedProgrammeMessage;

    // Shown beside the names. The delete controls, the separator and the
    // empty-list notice follow the slots only at the moments the display rule
    // is applied: at creation, every second, after an addition or a deletion.
    struct Display {
        std::array<bool, FavouritesRecord::slotCount> deleteShown {};
        bool line1Shown = false;
        bool videShown = false;
        bool kivCommand2Enabled = true;

        bool operator==(const Display &) const = default;
    };

    FavouritesController(StateStore &state,
        FavouritesStore &favourites,
        PlayerControl &player,
        BrowserControl &browser,
        QObject *parent = nullptr);

    // The window's creation: the add button and the watcher, the store read
    // from its file, the first display; the timers run from here on.
    void create();

    FavouritesStore &favourites() const { return m_favourites; }
    const Display &display() const { return m_display; }

    // Plays the slot in the main window and asks the window to hide; a free
    // slot does nothing. Which of the player and the browser shows is left as
    // it is.
    void Nom_Click(int index);
    // Plays the slot as Nom_Click does, leaving the window as it is. False
    // for a free slot, which plays nothing.
    bool playSlot(int index);
    void Delete_Click(int index);
    // Adds the stream being played.
    void KivCommand2_Click();
    // Adds what the dialog holds; `typeIndex` is the list's row ("Radio",
    // "TV"), or -1 when none is selected. True when added: the dialog hides.
    bool KivCommand1_Click(const QString &nom, const QString &url, int typeIndex);

    void Affichage_Timer();
    void LectureEnCours_Timer();

    // The message that refuses a name or an address the file cannot carry;
    // empty when both can be stored.
    static QString refusal(const QString &nom, const QString &url);

Q_SIGNALS:
    void displayChanged();
    void hideRequested();
    // A message the user answers before going on.
    void messageRequested(const QString &text);
    // A message that leaves the program going while it is shown.
    void noticeRequested(const QString &text);

private:
    bool isInUse(int index) const;
    // A delete control for every slot in use, none for the others.
    void showDeleteControls(Display &display) const;
    bool accepts(const QString &nom, const QString &url);
    void showAddition();
    void change(const std::function<void(Display &)> &edit);

    StateStore &m_state;
    FavouritesStore &m_favourites;
    PlayerControl &m_player;
    BrowserControl &m_browser;
    QTimer m_affichage;
    QTimer m_lectureEnCours;
    Display m_display;
};
