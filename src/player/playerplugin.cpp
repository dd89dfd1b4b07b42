#include "player/playerplugin.h"

#include "player/mediaplayer.h"

std::unique_ptr<PlayerControl> PlayerPlugin::createPlayer(
    PlayerView &view, std::unique_ptr<EarlyStream> early, QString *error)
{
    return MediaPlayer::createForWindow(view, std::move(early), error);
}
