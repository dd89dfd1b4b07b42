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

// The module `file`'s engine maker, loaded once and never unloaded; nothing,
// with `error` saying in French what is missing, when the module or a
// library it needs is missing.
MpvEngineFactory *load(const QString &file, QString *error);

} // namespace PlayerModule
