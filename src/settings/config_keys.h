// Every key of the settings file Config.cfg with its section and default,
// and typed reads and writes of them. Booleans are stored as 1 or 0,
// whole numbers in decimal, texts as they are.
#pragma once

#include <QString>
#include <string>

#include "settings/ini_file.h"

namespace pw {

struct BoolKey {
  const char* section;
  const char* name;
  bool defaultValue;
};

struct IntKey {
  const char* section;
  const char* name;
  int defaultValue;
};

inline constexpr char kConfigFileName[] = "Config.cfg";

namespace config {

// Section "Configuration": the preferences page and the controller.
inline constexpr BoolKey kLoadAtStartup{"Configuration", "LoadAtStartup", true};
inline constexpr BoolKey kBackupFiles{"Configuration", "BackupFiles", false};
inline constexpr BoolKey kEmptyTrash{"Configuration", "EmptyTrash", false};
inline constexpr BoolKey kEnableSounds{"Configuration", "EnableSounds", true};
inline constexpr BoolKey kEnableURL{"Configuration", "EnableURL", true};
inline constexpr BoolKey kEnableTaskbarIcon{"Configuration", "EnableTaskbarIcon", true};
// Written by nobody; a user may set it by hand.
inline constexpr IntKey kMinimizedWidth{"Configuration", "MinimizedWidth", 120};

// Section "Reminder": read by the reminder window each time one is made.
inline constexpr BoolKey kPlaySound{"Reminder", "PlaySound", true};
inline constexpr char kReminderSection[] = "Reminder";
inline constexpr char kSoundFileKey[] = "SoundFile";  // default: DefaultSoundFile()
inline constexpr IntKey kRepeatInterval{"Reminder", "RepeatInterval", 10};
inline constexpr IntKey kSnoozeInterval{"Reminder", "SnoozeInterval", 5};
// One key with two defaults: the configuration dialog shows 3 (bottom right
// corner) when it is missing, the reminder window uses 4 (its own place).
inline constexpr IntKey kReminderPositionInDialog{"Reminder", "ReminderPosition", 3};
inline constexpr IntKey kReminderPositionInWindow{"Reminder", "ReminderPosition", 4};
// Each reminder also as a desktop notification with "Snooze" and "OK".
inline constexpr BoolKey kDesktopNotifications{"Reminder", "DesktopNotifications", false};

// Section "Status": how the last run ended and how many clean ends since
// the last pack of the tables.
inline constexpr BoolKey kTerminatedOK{"Status", "TerminatedOK", true};
inline constexpr IntKey kLastPacked{"Status", "LastPacked", 0};
// Set once the user was told that this desktop does not keep note places.
inline constexpr BoolKey kPlacesNoticeShown{"Status", "PlacesNoticeShown", false};

// Section "Screens": window placements (window_placement.h), one entry per
// window, no default.
inline constexpr char kScreensSection[] = "Screens";
inline constexpr char kMaintainNotesEntry[] = "FrmMaintainNotes";
inline constexpr char kTemplateEntry[] = "FrmTemplate";

// The data folder followed by "Reminder.wav", as file-name bytes.
std::string DefaultSoundFile(const QString& dataFolder);

}  // namespace config

bool ReadSetting(const IniFile& file, const BoolKey& key);
int ReadSetting(const IniFile& file, const IntKey& key);
bool WriteSetting(IniFile& file, const BoolKey& key, bool value);
bool WriteSetting(IniFile& file, const IntKey& key, int value);

}  // namespace pw
