#pragma once

#include <QString>
#include <memory>

class EarlyStream;
class PlayerControl;
class PlayerView;

// The player module: libmpv and everything drawn with it stay out of the
// program until the module is loaded, after the main window shows.
namespace PlayerModule
{

// Where it is installed for the program in `programFolder` (the build tree
// has the same layout).
QString path(const QString &programFolder);
bool isInstalled(const QString &programFolder);

// Loads the module `file` (once) and makes the player, as
// PlayerFactory::createPlayer() does. Nothing, with the reason in `error`,
// when the module or a library it needs is missing.
std::unique_ptr<PlayerControl> createPlayer(
    const QString &file, PlayerView &view, std::unique_ptr<EarlyStream> early, QString *error);
// The same with the module installed for this program.
std::unique_ptr<PlayerControl> createPlayer(PlayerView &view, std::unique_ptr<EarlyStream> early, QString *error);

} // namespace PlayerModule
