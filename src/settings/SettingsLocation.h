#pragma once
// Where the settings file "Program.ini" is read and written.
//
// It lies beside the program. An installed program's folder belongs to the
// system, not to the user: there the first change the program saves goes to
// a per-user copy, $XDG_CONFIG_HOME/Corvane/Program.ini (usually
// ~/.config/Corvane/Program.ini), made from the installed file with the
// change applied, and from then on that copy is read. A program in a folder
// the user may write (a build tree, a copied folder) keeps using its own
// file and never reads the copy.
#include <QString>

namespace SettingsLocation {

// The per-user copy of a settings file name.
QString PersonalCopy(const QString &fileName);
// True when a file can be created in the folder where `path` is written
// (for a symbolic link, its target's folder). Tried, not guessed from the
// permission bits, so it holds for every user and file system.
bool CanWriteBeside(const QString &path);
// The file to read for the settings file `besideProgram`: its per-user
// copy when that exists and the program's folder cannot be written, else
// `besideProgram` itself.
QString ForReading(const QString &besideProgram);

} // namespace SettingsLocation
