#include <libsecret/secret.h>
// glib first: Qt's keywords would clash with its headers.
#include "sync/password_store.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>

namespace pw {
namespace {

const SecretSchema* Schema() {
  static const SecretSchema schema = {"org.paperwisp.Sync",
                                      SECRET_SCHEMA_NONE,
                                      {{"server", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                       {"user", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                       {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING}},
                                      0,
                                      nullptr,
                                      nullptr,
                                      nullptr,
                                      nullptr,
                                      nullptr,
                                      nullptr,
                                      nullptr};
  return &schema;
}

QString TakeError(GError* error) {
  const QString text = error ? QString::fromUtf8(error->message) : QStringLiteral("unknown error");
  if (error) g_error_free(error);
  return text;
}

}  // namespace

PasswordStore::PasswordStore(QString dataFolder) : dataFolder_(std::move(dataFolder)) {}

bool PasswordStore::HasSecretService() const {
  return !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS");
}

QString PasswordStore::FallbackPath() const {
  return QDir(dataFolder_).filePath(kFallbackFileName);
}

bool PasswordStore::Save(const QString& server, const QString& user, const QString& password,
                         bool* inFile, QString* error) const {
  *inFile = false;
  if (HasSecretService()) {
    GError* failure = nullptr;
    const QByteArray label = ("Paperwisp sync: " + user + " at " + server).toUtf8();
    if (secret_password_store_sync(Schema(), SECRET_COLLECTION_DEFAULT, label.constData(),
                                   password.toUtf8().constData(), nullptr, &failure, "server",
                                   server.toUtf8().constData(), "user", user.toUtf8().constData(),
                                   nullptr)) {
      QFile::remove(FallbackPath());
      return true;
    }
    // A bus without a keyring: the file below.
    TakeError(failure);
  }
  *inFile = true;
  // Made anew with owner-only rights, so it is never readable by others,
  // not even for a moment.
  QFile::remove(FallbackPath());
  QFile file(FallbackPath());
  if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
    *error = file.errorString();
    return false;
  }
  const QByteArray line = (server + '\n' + user + '\n' + password + '\n').toUtf8();
  if (file.write(line) != line.size() || !file.flush()) {
    *error = file.errorString();
    file.close();
    QFile::remove(FallbackPath());
    return false;
  }
  return true;
}

std::optional<QString> PasswordStore::Load(const QString& server, const QString& user) const {
  if (HasSecretService()) {
    GError* failure = nullptr;
    gchar* password = secret_password_lookup_sync(Schema(), nullptr, &failure, "server",
                                                  server.toUtf8().constData(), "user",
                                                  user.toUtf8().constData(), nullptr);
    if (failure) g_error_free(failure);
    if (password) {
      const QString result = QString::fromUtf8(password);
      secret_password_free(password);
      return result;
    }
  }
  QFile file(FallbackPath());
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
  if (lines.size() < 3 || lines[0] != server || lines[1] != user) return std::nullopt;
  return lines[2];
}

}  // namespace pw
