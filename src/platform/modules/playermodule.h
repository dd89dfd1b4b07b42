#pragma once

#include <QString>

class MpvEngineFactory;

// The player module: libmpv and everything drawn with it stay out of the
// program until the module is loaded, on a thread of its own at start
// (EngineLoader). It lives
// beside the program, in <prefix>/<libdir>/ondavox for <prefix>/bin/ondavox
// (the build tree has the same layout).
namespace PlayerModule
{

// Where it is installed for a program in `programFolder`.
QString path(const QString &programFolder);
bool isInstalled(const QString &programFolder);

// Loads the libraries the module `file` needs one at a time, those that need
// nothing of the others first, from the list the build writes beside it.
// Loading the module alone would load them all in one call, which holds the
// dynamic loader's lock throughout (about 150 ms here), and a thread loading
// a plugin meanwhile, as the GUI thread does while it builds the windows,
// would wait as long; piece by piece it waits for one library at most. What
// cannot be loaded is left to the module's own load.
void preloadLibraries(const QString &file);

// The module `file`'s engine maker, loaded once and never unloaded; nothing,
// with `error` saying in French what is missing, when the module or a
// library it needs is missing.
MpvEngineFactory *load(const QString &file, QString *error);

} // namespace PlayerModule
