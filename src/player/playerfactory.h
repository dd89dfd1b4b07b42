#pragma once

#include <QtPlugin>
#include <memory>

class EarlyStream;
class PlayerControl;
class PlayerView;
class QString;

// What the player module offers the program: the media player, made once
// the main window shows.
class PlayerFactory
{
public:
    virtual ~PlayerFactory() = default;

    // The player, driving `view`; it reads `early` (which may be empty) when
    // the first address it is given is that stream's. Nothing, with the
    // reason in `error`, when libmpv cannot start.
    virtual std::unique_ptr<PlayerControl> createPlayer(
        PlayerView &view, std::unique_ptr<EarlyStream> early, QString *error)
        = 0;
};

#define PlayerFactory_iid "fr.ondavox.PlayerFactory/1"
Q_DECLARE_INTERFACE(PlayerFactory, PlayerFactory_iid)
