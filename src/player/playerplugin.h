#pragma once

#include "player/playerfactory.h"

#include <QObject>

// The player module's entry point.
class PlayerPlugin : public QObject, public PlayerFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PlayerFactory_iid)
    Q_INTERFACES(PlayerFactory)

public:
    std::unique_ptr<PlayerControl> createPlayer(
        PlayerView &view, std::unique_ptr<EarlyStream> early, QString *error) override;
};
