#include "settings/ini_document.h"

#include "common/code_page.h"

namespace pw {
namespace {

constexpr std::size_t kNone = std::string::npos;
constexpr std::string_view kNewLine = "\r\n";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (UpperChar(static_cast<unsigned char>(a[i])) != UpperChar(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

bool IsSectionHeader(std::string_view text) {
  const std::string_view rest = TrimLeft(text);
  return !rest.empty() && rest.front() == '[';
}

// The name inside "[...]"; an unclosed bracket runs to the line end.
std::string_view SectionName(std::string_view text) {
  std::string_view rest = TrimLeft(text);
  rest.remove_prefix(1);
  return Trim(rest.substr(0, rest.find(']')));
}

// Offset of the "=" of a setting line, or kNone for any other line.
std::size_t EqualsSign(std::string_view text) {
  const std::string_view rest = TrimLeft(text);
  if (rest.empty() || rest.front() == ';' || rest.front() == '[') return kNone;
  return text.find('=');
}

bool HoldsLineBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool IsStorableName(std::string_view name) {
  return !name.empty() && Trim(name) == name && !HoldsLineBreakOrNul(name);
}

}  // namespace

IniDocument::IniDocument(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t newLine = bytes.find('\n');
    std::string_view text = bytes.substr(0, newLine);
    bytes.remove_prefix(newLine == std::string_view::npos ? bytes.size() : newLine + 1);
    const bool hasReturn = !text.empty() && text.back() == '\r';
    if (hasReturn) text.remove_suffix(1);
    std::string ending = newLine == std::string_view::npos ? "" : "\n";
    if (hasReturn) ending.insert(0, "\r");
    lines_.push_back({std::string(text), std::move(ending)});
  }
}

std::optional<std::string> IniDocument::Value(std::string_view section,
                                              std::string_view key) const {
  const std::size_t header = FindSection(section);
  if (header == kNone) return std::nullopt;
  const std::size_t line = FindKey(header, key);
  if (line == kNone) return std::nullopt;
  const std::string& text = lines_[line].text;
  return text.substr(EqualsSign(text) + 1);
}

bool IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  if (!IsStorableName(section) || section.find(']') != std::string_view::npos) return false;
  if (!IsStorableName(key) || key.find('=') != std::string_view::npos || key.front() == '[' ||
      key.front() == ';')
    return false;
  if (HoldsLineBreakOrNul(value)) return false;

  const std::string setting = std::string(key) + "=" + std::string(value);
  const std::size_t header = FindSection(section);
  if (header == kNone) {
    // A new section goes at the end, after a blank line that sets it apart.
    if (!lines_.empty() && !Trim(lines_.back().text).empty()) InsertLine(lines_.size(), "");
    InsertLine(lines_.size(), "[" + std::string(section) + "]");
    InsertLine(lines_.size(), setting);
    return true;
  }
  const std::size_t line = FindKey(header, key);
  if (line == kNone) {
    InsertLine(LastSettingLine(header) + 1, setting);
    return true;
  }
  std::string& text = lines_[line].text;
  text.replace(EqualsSign(text) + 1, kNone, value);
  return true;
}

std::string IniDocument::Bytes() const {
  std::string bytes;
  for (const Line& line : lines_) bytes += line.text + line.ending;
  return bytes;
}

std::size_t IniDocument::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (IsSectionHeader(lines_[i].text) && EqualNoCase(SectionName(lines_[i].text), section))
      return i;
  }
  return kNone;
}

std::size_t IniDocument::FindKey(std::size_t header, std::string_view key) const {
  for (std::size_t i = header + 1; i < lines_.size() && !IsSectionHeader(lines_[i].text); ++i) {
    const std::string& text = lines_[i].text;
    const std::size_t equals = EqualsSign(text);
    if (equals != kNone && EqualNoCase(Trim(std::string_view(text).substr(0, equals)), key))
      return i;
  }
  return kNone;
}

std::size_t IniDocument::LastSettingLine(std::size_t header) const {
  std::size_t last = header;
  for (std::size_t i = header + 1; i < lines_.size() && !IsSectionHeader(lines_[i].text); ++i) {
    if (!Trim(lines_[i].text).empty()) last = i;
  }
  return last;
}

void IniDocument::InsertLine(std::size_t position, std::string text) {
  // A last line without a complete line end gets one, so the new line
  // stands on its own.
  if (position > 0) {
    std::string& before = lines_[position - 1].ending;
    if (before.empty() || before.back() != '\n') before = kNewLine;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(position),
                Line{std::move(text), std::string(kNewLine)});
}

}  // namespace pw
