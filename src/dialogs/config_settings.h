// Between the configuration dialog and the settings file: the controls
// filled from the keys of sections "Configuration" and "Reminder" (each
// with its default), and the keys written from the controls.
#pragma once

#include <QString>

#include "settings/ini_file.h"

namespace pw {

class ConfigDialog;

// The default sound file lies in `dataFolder`. A ReminderPosition outside
// 0-3 leaves no corner selected.
void FillConfigDialog(ConfigDialog& dialog, const IniFile& file, const QString& dataFolder);

// Writes the six switches, then the reminder keys; the intervals are the
// numbers the edits start with (0 when none), the position the selected
// corner (-1 when none). False with `*error` set at the first key that
// cannot be written.
bool WriteConfigDialog(const ConfigDialog& dialog, IniFile& file, QString* error);

}  // namespace pw
