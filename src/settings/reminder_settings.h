// The keys of section "Reminder", read together by whoever shows or edits
// them: the reminder window each time one is made, the configuration dialog
// when it opens.
#pragma once

#include <QString>

#include "settings/config_keys.h"
#include "settings/ini_file.h"

namespace pw {

struct ReminderSettings {
  bool playSound;
  QString soundFile;
  int repeatInterval;    // minutes
  int snoozeInterval;    // minutes
  int reminderPosition;  // 0-3 a screen corner, else the window's own place
  bool desktopNotifications;
};

// `positionKey` picks the default of ReminderPosition
// (config::kReminderPositionInDialog or config::kReminderPositionInWindow);
// the default sound file lies in `dataFolder`.
ReminderSettings LoadReminderSettings(const IniFile& file, const QString& dataFolder,
                                      const IntKey& positionKey);

}  // namespace pw
