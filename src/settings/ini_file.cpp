#include "settings/ini_file.h"

#include <QFile>
#include <QSaveFile>

#include "platform/file_lookup.h"
#include "settings/decimal_number.h"
#include "settings/ini_document.h"

namespace pw {

IniFile::IniFile(QString fileName) : fileName_(std::move(fileName)) {}

QString IniFile::ResolvedName() const {
  return QFile::decodeName(QByteArray::fromStdString(
      platform::ResolvePathNoCase(QFile::encodeName(fileName_).toStdString())));
}

std::optional<std::string> IniFile::ReadValue(std::string_view section,
                                              std::string_view key) const {
  QFile file(ResolvedName());
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  return IniDocument(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))
      .Value(section, key);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
  return ReadValue(section, key).value_or(std::string(defaultValue));
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
  const std::optional<std::string> text = ReadValue(section, key);
  if (!text) return defaultValue;
  return ParseDecimal(*text).value_or(defaultValue);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  error_.clear();
  const QString name = ResolvedName();
  QByteArray bytes;
  QFile current(name);
  if (current.exists()) {
    // An existing file we cannot read must not be replaced by one key.
    if (!current.open(QIODevice::ReadOnly)) {
      error_ = current.errorString();
      return false;
    }
    bytes = current.readAll();
    if (current.error() != QFileDevice::NoError) {
      error_ = current.errorString();
      return false;
    }
    current.close();
  }
  IniDocument document(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (!document.SetValue(section, key, value)) {
    error_ = QStringLiteral("The settings file cannot hold this key or value");
    return false;
  }
  // Written beside the file and renamed over it, so that a failed write
  // (full disk) leaves the old settings in place.
  QSaveFile target(name);
  const std::string text = document.Bytes();
  if (!target.open(QIODevice::WriteOnly) ||
      target.write(text.data(), static_cast<qint64>(text.size())) !=
          static_cast<qint64>(text.size()) ||
      !target.commit()) {
    error_ = target.errorString();
    return false;
  }
  return true;
}

bool IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  return WriteString(section, key, std::to_string(value));
}

bool IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  return WriteString(section, key, value ? "1" : "0");
}

}  // namespace pw
