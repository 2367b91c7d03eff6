#include "dialogs/config_settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <array>
#include <utility>

#include "dialogs/config_dialog.h"
#include "dialogs/leading_number.h"
#include "settings/config_keys.h"
#include "settings/reminder_settings.h"

namespace pw {
namespace {

constexpr int kCornerCount = 4;

// The six switches of section "Configuration" with their check boxes.
std::array<std::pair<const BoolKey*, QCheckBox*>, 6> Switches(const ConfigDialog& dialog) {
  return {{{&config::kLoadAtStartup, dialog.LoadPaperwispCheckBox()},
           {&config::kBackupFiles, dialog.BackupCheckBox()},
           {&config::kEmptyTrash, dialog.EmptyTrashCheckBox()},
           {&config::kEnableSounds, dialog.SoundsCheckBox()},
           {&config::kEnableURL, dialog.URLCheckBox()},
           {&config::kEnableTaskbarIcon, dialog.TaskbarCheckBox()}}};
}

}  // namespace

void FillConfigDialog(ConfigDialog& dialog, const IniFile& file, const QString& dataFolder) {
  for (const auto& [key, box] : Switches(dialog)) box->setChecked(ReadSetting(file, *key));
  const ReminderSettings reminder =
      LoadReminderSettings(file, dataFolder, config::kReminderPositionInDialog);
  dialog.PlaySoundCheckBox()->setChecked(reminder.playSound);
  dialog.NotificationsCheckBox()->setChecked(reminder.desktopNotifications);
  dialog.SoundFileEdit()->setText(reminder.soundFile);
  dialog.RepeatEdit()->setText(QString::number(reminder.repeatInterval));
  dialog.SnoozeEdit()->setText(QString::number(reminder.snoozeInterval));
  const int position = reminder.reminderPosition;
  dialog.PositionCombo()->setCurrentIndex(position >= 0 && position < kCornerCount ? position : -1);
}

bool WriteConfigDialog(const ConfigDialog& dialog, IniFile& file, QString* error) {
  bool written = true;
  for (const auto& [key, box] : Switches(dialog))
    written = written && WriteSetting(file, *key, box->isChecked());
  written =
      written && WriteSetting(file, config::kPlaySound, dialog.PlaySoundCheckBox()->isChecked());
  written = written && WriteSetting(file, config::kDesktopNotifications,
                                    dialog.NotificationsCheckBox()->isChecked());
  // The sound file is a file name: its bytes are the file system's.
  written =
      written && file.WriteString(config::kReminderSection, config::kSoundFileKey,
                                  QFile::encodeName(dialog.SoundFileEdit()->text()).toStdString());
  written = written && WriteSetting(file, config::kRepeatInterval,
                                    LeadingWholeNumber(dialog.RepeatEdit()->text()));
  written = written && WriteSetting(file, config::kSnoozeInterval,
                                    LeadingWholeNumber(dialog.SnoozeEdit()->text()));
  written = written && WriteSetting(file, config::kReminderPositionInDialog,
                                    dialog.PositionCombo()->currentIndex());
  if (!written) *error = file.ErrorString();
  return written;
}

}  // namespace pw
