#include "core/playback/playrequest.h"

#include "core/browser/browsercontrol.h"
#include "core/playback/playercontrol.h"
#include "core/state/statestore.h"

void requestPlay(const PlayRequest &request, StateStore &store, PlayerControl &player, BrowserControl &browser)
{
    const bool webPage = request.kind == PlayRequest::Kind::WebPage;
    // Before the address, so that the player's face never shows the previous
    // station's picture with the new stream.
    player.setPicture(webPage ? QString() : request.picture);
    // A page takes the player's place: whatever played stops.
    player.setUrl(webPage ? QString() : request.address);
    if (request.setCurrentAddress)
        store.setCurl(request.address);
    if (request.name)
        store.setLecture(*request.name);
    if (webPage)
        browser.navigate(request.address);
    if (request.setView) {
        browser.setVisible(webPage);
        player.setVisible(!webPage);
    }
    if (!request.mode.isEmpty())
        store.setRadioTv(request.mode);
}
