#pragma once

#include "app/application.h"
#include "player/earlystream.h"
#include "player/mediaplayer.h"

// The main window's player made in the test's own process, where the program
// would load its module.
inline Application::PlayerLoader windowPlayer()
{
    return [](PlayerView &view, std::unique_ptr<EarlyStream> early, QString *error) -> std::unique_ptr<PlayerControl> {
        return MediaPlayer::createForWindow(view, std::move(early), error);
    };
}
