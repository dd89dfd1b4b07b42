#pragma once

#include <QString>

// Start with the system: an XDG autostart desktop entry "ondavox.desktop" in
// the user's autostart folder, whose Exec line starts the running program.
namespace Autostart
{

// "$XDG_CONFIG_HOME/autostart/ondavox.desktop" (~/.config when unset).
QString entryPath();

// One argument of an Exec line: quoted when it holds a reserved character,
// with `"`, `` ` ``, `$` and `\` escaped inside the quotes, and every `%`
// doubled so that it is not taken for a field code.
QString quoteExecArgument(const QString &argument);

// The whole desktop entry that starts `programPath`, as written to the file.
QString desktopEntry(const QString &programPath);

// Writes the entry in one step (the previous one, if any, stays whole until the
// new one is complete). False when it could not be written.
bool Ajoutedem(const QString &programPath);

// Deletes the entry. A missing entry is not an error; false only when an
// existing entry could not be removed.
bool Enlevedem();

// Start-up step: writes the entry for the running program when `check1` is 1,
// removes it when 0.
bool apply(int check1);

}
