// Starting the program at log-on: an XDG autostart entry
// $XDG_CONFIG_HOME/autostart/paperwisp.desktop (~/.config/autostart when the
// variable is unset or not an absolute path) whose Exec line runs the
// program's executable by its full path.
#pragma once

#include <QString>

namespace pw {

// Where the entry lives.
QString AutostartEntryPath();

// The entry's text for `executable`: a desktop entry of type Application
// whose Exec holds the path quoted and escaped as the desktop entry
// format requires.
QByteArray AutostartEntryText(const QString& executable);

// Writes the entry (creating the autostart folder), replacing an older one
// as a whole. False with `*error` set when it cannot be written or the path
// holds a line break, which the format cannot carry.
bool WriteAutostartEntry(const QString& executable, QString* error);

// Removes the entry; a missing entry is not an error. False with `*error`
// set when it exists and cannot be removed.
bool RemoveAutostartEntry(QString* error);

}  // namespace pw
