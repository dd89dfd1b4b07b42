#pragma once

#include <QObject>
#include <QString>

// The parts of the program that bring large libraries with them (the browser
// engine, the media player) are modules: Qt plugins that the program loads
// the first time it needs one, so that starting it maps none of them. They
// live in one folder beside the program, <prefix>/lib/ondavox for
// <prefix>/bin/ondavox (the build tree has the same layout), and nowhere
// else: a module from another build could not be trusted to match.
namespace Modules
{

// The module folder of a program whose executable lies in `programFolder`.
QString folderBeside(const QString &programFolder);
// The running program's module folder.
QString folder();
// Where the module `name` is, in `folder`.
QString path(const QString &folder, const QString &name);

// The root object of the module `name` of `folder`, or null with `error`
// saying in French what is missing. A loaded module stays loaded until the
// program ends, and loading it again gives the same object; a failure is
// tried again at the next call.
QObject *load(const QString &folder, const QString &name, QString *error);
// The same, from the running program's folder.
QObject *load(const QString &name, QString *error);

// The text of a module that loads but is not the kind asked for.
QString wrongKindText(const QString &path);

// The module's root object as the interface its caller expects of it.
template <typename Interface> Interface *load(const QString &folder, const QString &name, QString *error)
{
    QObject *root = load(folder, name, error);
    auto *found = qobject_cast<Interface *>(root);
    if (root && !found)
        *error = wrongKindText(path(folder, name));
    return found;
}

template <typename Interface> Interface *load(const QString &name, QString *error)
{
    return load<Interface>(folder(), name, error);
}

} // namespace Modules
