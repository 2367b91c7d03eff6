// An INI file on disk (layout in ini_document.h). Like the profile calls it
// stands in for, every read opens the file, reads it whole and closes it,
// and every write reads the file, changes one key and writes it back, so
// that several IniFile objects on one file never disagree and keys a writer
// does not touch stay as they are. A missing or unreadable file, section or
// key reads as the caller's default. The file is created by the first write.
//
// The file name is matched without regard to case in its folder on every
// access ("config.cfg" and "Config.cfg" are one file).
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace pw {

class IniFile {
 public:
  explicit IniFile(QString fileName);

  const QString& FileName() const { return fileName_; }

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // A decimal whole number, blanks around it allowed; any other text, or a
  // number out of range, reads as the default.
  int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
  // A whole number; anything but 0 is true.
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

  // Each returns false and sets ErrorString() when the file cannot be read
  // or written, or the layout cannot hold the key or value; the file is then
  // left as it was.
  bool WriteString(std::string_view section, std::string_view key, std::string_view value);
  bool WriteInteger(std::string_view section, std::string_view key, int value);
  // Written as 1 or 0.
  bool WriteBool(std::string_view section, std::string_view key, bool value);

  const QString& ErrorString() const { return error_; }

 private:
  // The file's name as it exists on disk in any case, else as given.
  QString ResolvedName() const;
  std::optional<std::string> ReadValue(std::string_view section, std::string_view key) const;

  QString fileName_;
  QString error_;
};

}  // namespace pw
