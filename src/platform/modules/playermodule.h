#pragma once

#include <QString>

class MpvEngineFactory;

// The player module: libmpv and everything drawn with it stay out of the
// program until the module is loaded, once the main window shows. It lives
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
// The same with the module installed for this program.
MpvEngineFactory *load(QString *error);

} // namespace PlayerModule
