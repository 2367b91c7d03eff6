#include "settings/controller_settings.h"

#include "settings/config_keys.h"

namespace pw {

ControllerSettings LoadSettings(const IniFile& file) {
  return ControllerSettings{
      .backupFiles = ReadSetting(file, config::kBackupFiles),
      .emptyTrash = ReadSetting(file, config::kEmptyTrash),
      .enableSounds = ReadSetting(file, config::kEnableSounds),
      .enableURL = ReadSetting(file, config::kEnableURL),
      .enableTaskbarIcon = ReadSetting(file, config::kEnableTaskbarIcon),
      .minimizedWidth = ReadSetting(file, config::kMinimizedWidth),
  };
}

}  // namespace pw
