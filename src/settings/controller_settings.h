// The settings the main controller keeps in memory: read at start-up and
// again after the configuration dialog's OK.
#pragma once

#include "settings/ini_file.h"

namespace pw {

struct ControllerSettings {
  bool backupFiles;        // back up the notes table at shutdown
  bool emptyTrash;         // empty the trash at shutdown
  bool enableSounds;       // collapse and expand sounds of note windows
  bool enableURL;          // link detection in note windows opened afterwards
  bool enableTaskbarIcon;  // the program's taskbar button
  int minimizedWidth;      // smallest width of note windows made afterwards
};

// Reads the six keys, each with its default when missing or unreadable.
ControllerSettings LoadSettings(const IniFile& file);

}  // namespace pw
