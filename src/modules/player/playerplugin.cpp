#include "modules/player/playerplugin.h"

#include "modules/player/mpvcontroller.h"

std::unique_ptr<MpvEngine> PlayerPlugin::create(
    const MpvEngine::Options &options, MpvEngine::Events &events, QString *error)
{
    return MpvController::create(options, events, error);
}
