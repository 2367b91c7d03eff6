// Where the user's notes, settings and sounds live.
//
// Normally $XDG_DATA_HOME/Paperwisp (~/.local/share/Paperwisp), so that no
// build or reinstall deletes a user's notes. A portable installation is the
// exception: when the executable's own folder already holds Config.cfg or
// notes.dbf, in any case of their names, that folder is the data folder.
#pragma once

#include <QString>

namespace pw {

// The data folder for a program whose executable lies in
// `executableFolder`; the folder is not created.
QString DataFolderFor(const QString& executableFolder);

// Creates `folder` with its parents when missing. False with `*error` set
// when that fails or a file stands in its place.
bool EnsureDataFolder(const QString& folder, QString* error);

// The path of the data file `name` in `folder`: an existing file whose name
// matches in any case, else `name` as written.
QString DataFilePath(const QString& folder, const QString& name);

}  // namespace pw
