#include "settings/config_keys.h"

#include <QDir>
#include <QFile>

namespace pw {

std::string config::DefaultSoundFile(const QString& dataFolder) {
  return QFile::encodeName(QDir(dataFolder).filePath(QStringLiteral("Reminder.wav"))).toStdString();
}

bool ReadSetting(const IniFile& file, const BoolKey& key) {
  return file.ReadBool(key.section, key.name, key.defaultValue);
}

int ReadSetting(const IniFile& file, const IntKey& key) {
  return file.ReadInteger(key.section, key.name, key.defaultValue);
}

bool WriteSetting(IniFile& file, const BoolKey& key, bool value) {
  return file.WriteBool(key.section, key.name, value);
}

bool WriteSetting(IniFile& file, const IntKey& key, int value) {
  return file.WriteInteger(key.section, key.name, value);
}

}  // namespace pw
