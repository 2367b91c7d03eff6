#include "settings/reminder_settings.h"

#include <QFile>

namespace pw {

ReminderSettings LoadReminderSettings(const IniFile& file, const QString& dataFolder,
                                      const IntKey& positionKey) {
  // The sound file is a file name: its bytes are the file system's.
  const std::string soundFile = file.ReadString(config::kReminderSection, config::kSoundFileKey,
                                                config::DefaultSoundFile(dataFolder));
  return ReminderSettings{
      .playSound = ReadSetting(file, config::kPlaySound),
      .soundFile = QFile::decodeName(QByteArray::fromStdString(soundFile)),
      .repeatInterval = ReadSetting(file, config::kRepeatInterval),
      .snoozeInterval = ReadSetting(file, config::kSnoozeInterval),
      .reminderPosition = ReadSetting(file, positionKey),
      .desktopNotifications = ReadSetting(file, config::kDesktopNotifications),
  };
}

}  // namespace pw
