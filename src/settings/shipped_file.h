// Files shipped with the program: the sounds and the help page.
//
// Run from the build folder they lie beside the executable; installed, the
// executable is in <prefix>/bin and they are in <prefix>/share/paperwisp.
#pragma once

#include <QString>

namespace pw {

// The folder installed programs keep their shipped files in, relative to
// the executable's folder.
inline constexpr char kShippedFolderFromExecutable[] = "../share/paperwisp";

// The path of the shipped file `name` for a program whose executable lies
// in `executableFolder`: beside the executable first, then in the installed
// share folder. Empty when neither holds it.
QString ShippedFilePath(const QString& executableFolder, const QString& name);

}  // namespace pw
