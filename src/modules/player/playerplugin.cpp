#include "modules/player/playerplugin.h"

#include "modules/player/mpvcontroller.h"

std::unique_ptr<MpvEngine> PlayerPlugin::create(const MpvEngine::Options &options, QString *error)
{
    return MpvController::create(options, error);
}
