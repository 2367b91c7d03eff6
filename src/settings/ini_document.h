// The text of an INI file as its lines, so that changing one value rewrites
// one line and leaves every other byte of the file as it was.
//
// Layout: a line "[Name]" opens the section Name; a line "Key=Value" holds
// one setting of the section above it. Blanks and tabs around section names
// and keys are not part of them; the value is every byte after the first
// "=" up to the line end, stored and returned as it is (Windows-1252 text,
// backslashes and all). Lines end in CR LF or LF; lines this class adds end
// in CR LF. Sections and keys match without regard to case (Windows-1252
// rules); the first of several equal sections or keys is the one used.
// Lines before the first section, lines starting with ";" and lines without
// "=" belong to no key and are kept untouched.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

class IniDocument {
 public:
  IniDocument() = default;
  explicit IniDocument(std::string_view bytes);

  // The value of `key` in `section`, or nothing when either is missing.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;

  // Sets `key` in `section`, replacing the value of an existing key in
  // place, else adding the key at the end of the section, else adding the
  // section at the end of the file. Refuses (returns false, changes nothing)
  // names and values that the layout cannot hold: line breaks or NUL bytes
  // anywhere, "]" in a section name, "=" in a key, an empty name, or a key
  // starting with "[" or ";".
  bool SetValue(std::string_view section, std::string_view key, std::string_view value);

  // The whole file as bytes.
  std::string Bytes() const;

 private:
  struct Line {
    std::string text;    // without its line end
    std::string ending;  // "\r\n", "\n" or empty for a last line without one
  };
  // Index of the section's header line, or npos.
  std::size_t FindSection(std::string_view section) const;
  // Index of the key's line inside the section whose header is at `header`,
  // or npos.
  std::size_t FindKey(std::size_t header, std::string_view key) const;
  // Index of the line after which a new key of that section goes.
  std::size_t LastSettingLine(std::size_t header) const;
  void InsertLine(std::size_t position, std::string text);

  std::vector<Line> lines_;
};

}  // namespace pw
