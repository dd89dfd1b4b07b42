#pragma once

#include <QString>
#include <optional>

class BrowserControl;
class PlayerControl;
class StateStore;

// What a launcher hands to the main window. Launchers differ in which steps
// they take: the radio browser, for one, leaves the current address alone.
struct PlayRequest {
    enum class Kind { Stream, WebPage };

    Kind kind = Kind::Stream;
    QString address;
    bool setCurrentAddress = true; // `Curl`, which the refresh button replays
    std::optional<QString> name; // `Lecture`; unchanged when not given
    QString mode; // `RadioTv`: "RADIO", "TV" or "WEB"; unchanged when empty
    QString picture; // full path of the station's or programme's picture; empty when unknown
    bool setView = true; // which of the player and the browser is shown
};

// The one way anything gets played or shown in the main window, in a fixed
// order: the picture the player shows for it, the player's address, the
// current address, the display name, which of player and browser is shown,
// the mode word. The launching window hides itself afterwards.
void requestPlay(const PlayRequest &request, StateStore &store, PlayerControl &player, BrowserControl &browser);
