#include "app/sync/sync_settings.h"

#include "settings/ini_file.h"

namespace pw {
namespace {

constexpr char kSection[] = "Sync";

QString Read(const IniFile& config, const char* key) {
  return QString::fromStdString(config.ReadString(kSection, key, ""));
}

bool Write(IniFile& config, const char* key, const QString& value) {
  return config.WriteString(kSection, key, value.toStdString());
}

}  // namespace

SyncSettings ReadSyncSettings(const IniFile& config) {
  return {Read(config, "Server"), Read(config, "User"), Read(config, "Collection"),
          Read(config, "LastResult")};
}

bool WriteSyncSettings(IniFile& config, const SyncSettings& settings) {
  return Write(config, "Server", settings.server) && Write(config, "User", settings.user) &&
         Write(config, "Collection", settings.collection);
}

bool WriteLastSyncResult(IniFile& config, const QString& result) {
  return Write(config, "LastResult", result);
}

}  // namespace pw
