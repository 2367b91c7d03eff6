// The sync's keys in Config.cfg, section "Sync": the server address, the
// user name, the chosen collection and the last result. The password is
// kept elsewhere (sync/password_store.h).
#pragma once

#include <QString>

namespace pw {

class IniFile;

struct SyncSettings {
  QString server;
  QString user;
  QString collection;  // the address of the collection the notes go to
  QString lastResult;

  bool Configured() const { return !user.isEmpty() && !collection.isEmpty(); }
};

SyncSettings ReadSyncSettings(const IniFile& config);
bool WriteSyncSettings(IniFile& config, const SyncSettings& settings);
bool WriteLastSyncResult(IniFile& config, const QString& result);

}  // namespace pw
