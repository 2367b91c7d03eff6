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
  return {{{&config::kLoadAtStartup, dialog.CkBxLoadPaperwisp()},
           {&config::kBackupFiles, dialog.CkBxBackup()},
           {&config::kEmptyTrash, dialog.CkBxEmptyTrash()},
           {&config::kEnableSounds, dialog.CkBxSounds()},
           {&config::kEnableURL, dialog.CkBxURL()},
           {&config::kEnableTaskbarIcon, dialog.CkBxTaskbar()}}};
}

}  // namespace

void FillConfigDialog(ConfigDialog& dialog, const IniFile& file, const QString& dataFolder) {
  for (const auto& [key, box] : Switches(dialog)) box->setChecked(ReadSetting(file, *key));
  const ReminderSettings reminder =
      LoadReminderSettings(file, dataFolder, config::kReminderPositionInDialog);
  dialog.CkBxPlaySound()->setChecked(reminder.playSound);
  dialog.CkBxNotifications()->setChecked(reminder.desktopNotifications);
  dialog.EdSoundFile()->setText(reminder.soundFile);
  dialog.EdRepeat()->setText(QString::number(reminder.repeatInterval));
  dialog.EdSnooze()->setText(QString::number(reminder.snoozeInterval));
  const int position = reminder.reminderPosition;
  dialog.CmBxPosition()->setCurrentIndex(position >= 0 && position < kCornerCount ? position : -1);
}

bool WriteConfigDialog(const ConfigDialog& dialog, IniFile& file, QString* error) {
  bool written = true;
  for (const auto& [key, box] : Switches(dialog))
    written = written && WriteSetting(file, *key, box->isChecked());
  written = written && WriteSetting(file, config::kPlaySound, dialog.CkBxPlaySound()->isChecked());
  written = written && WriteSetting(file, config::kDesktopNotifications,
                                    dialog.CkBxNotifications()->isChecked());
  // The sound file is a file name: its bytes are the file system's.
  written =
      written && file.WriteString(config::kReminderSection, config::kSoundFileKey,
                                  QFile::encodeName(dialog.EdSoundFile()->text()).toStdString());
  written = written && WriteSetting(file, config::kRepeatInterval,
                                    LeadingWholeNumber(dialog.EdRepeat()->text()));
  written = written && WriteSetting(file, config::kSnoozeInterval,
                                    LeadingWholeNumber(dialog.EdSnooze()->text()));
  written = written && WriteSetting(file, config::kReminderPositionInDialog,
                                    dialog.CmBxPosition()->currentIndex());
  if (!written) *error = file.ErrorString();
  return written;
}

}  // namespace pw
