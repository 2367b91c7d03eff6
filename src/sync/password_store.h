// Where the sync password lives: the desktop's secret service (libsecret),
// or, on a desktop without one, a file in the data folder that only the
// user may read. Never Config.cfg, never a log.
#pragma once

#include <QString>
#include <optional>

namespace pw {

class PasswordStore {
 public:
  static constexpr char kFallbackFileName[] = "SyncPassword";

  explicit PasswordStore(QString dataFolder);

  // Whether there is a session bus to ask the secret service on.
  bool HasSecretService() const;

  // The secret service when it takes the password, else the file; false
  // with `error` set when neither does. `inFile` tells which one took it.
  bool Save(const QString& server, const QString& user, const QString& password, bool* inFile,
            QString* error) const;
  std::optional<QString> Load(const QString& server, const QString& user) const;

 private:
  QString FallbackPath() const;

  QString dataFolder_;
};

}  // namespace pw
