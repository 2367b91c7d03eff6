#include "definitions.h"

#include <cctype>
#include <charconv>

#include "arguments.h"
#include "text_1252.h"
#include "tool_error.h"

namespace pw::pwdbf {
namespace {

std::string ToTableText(const std::string& text, const std::string& what) {
  std::string stored;
  if (!Cp1252FromUtf8(text, &stored)) {
    throw ToolError("", what + " has characters Windows-1252 cannot store: " + text);
  }
  return stored;
}

std::string Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

int SmallNumber(const std::string& text, const std::string& definition) {
  int value = 0;
  const std::string trimmed = Trim(text);
  const auto [at, ec] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
  if (ec != std::errc() || at != trimmed.data() + trimmed.size() || value < 0 || value > 255) {
    throw ToolError("", "bad number \"" + text + "\" in field definition \"" + definition + "\"");
  }
  return value;
}

// "NAME,TYPE,LENGTH,DECIMALS"; D, L and M may leave out their length, and
// every type its decimals.
FieldDef ParseField(const std::string& definition) {
  const std::vector<std::string> parts = SplitOutsideQuotes(definition, ',');
  if (parts.size() < 2 || parts.size() > 4 || Trim(parts[1]).size() != 1) {
    throw ToolError("", "field definition \"" + definition + "\" is not NAME,TYPE,LENGTH,DECIMALS");
  }
  FieldDef field;
  field.name = ToTableText(Trim(parts[0]), "field name");
  field.type = static_cast<char>(std::toupper(static_cast<unsigned char>(Trim(parts[1])[0])));
  const int defaultLength = field.type == 'D' ? 8 : field.type == 'L' ? 1 : 10;
  if (parts.size() < 3 && field.type != 'D' && field.type != 'L' && field.type != 'M') {
    throw ToolError("", "field definition \"" + definition + "\" needs a length");
  }
  field.length = static_cast<std::uint8_t>(parts.size() > 2 ? SmallNumber(parts[2], definition)
                                                            : defaultLength);
  field.decimals =
      static_cast<std::uint8_t>(parts.size() > 3 ? SmallNumber(parts[3], definition) : 0);
  return field;
}

// Finds " FOR " outside quotes, in any case; npos when there is none.
std::size_t ForKeyword(const std::string& text) {
  char quote = 0;
  for (std::size_t i = 0; i + 5 <= text.size(); ++i) {
    const char c = text[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ' ' && std::toupper(static_cast<unsigned char>(text[i + 1])) == 'F' &&
               std::toupper(static_cast<unsigned char>(text[i + 2])) == 'O' &&
               std::toupper(static_cast<unsigned char>(text[i + 3])) == 'R' && text[i + 4] == ' ') {
      return i;
    }
  }
  return std::string::npos;
}

bool Flag(const std::string& text, const std::string& definition) {
  const std::string flag = Trim(text);
  if (flag == "T" || flag == "t") return true;
  if (flag == "F" || flag == "f") return false;
  throw ToolError("", "tag definition \"" + definition + "\": descending and unique are T or F");
}

// "NAME,DESCENDING,UNIQUE,key expression[ FOR condition]".
TagDescription ParseTag(const std::string& definition) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (int i = 0; i < 3; ++i) {
    const std::size_t comma = definition.find(',', start);
    if (comma == std::string::npos) {
      throw ToolError("",
                      "tag definition \"" + definition + "\" is not NAME,D,U,key[ FOR condition]");
    }
    parts.push_back(definition.substr(start, comma - start));
    start = comma + 1;
  }
  std::string key = definition.substr(start);
  TagDescription tag;
  if (const std::size_t forAt = ForKeyword(key); forAt != std::string::npos) {
    tag.forExpression = ToTableText(Trim(key.substr(forAt + 5)), "FOR condition");
    key.resize(forAt);
  }
  tag.name = ToTableText(Trim(parts[0]), "tag name");
  tag.descending = Flag(parts[1], definition);
  tag.unique = Flag(parts[2], definition);
  tag.keyExpression = ToTableText(Trim(key), "key expression");
  if (tag.name.empty() || tag.keyExpression.empty()) {
    throw ToolError("", "tag definition \"" + definition + "\" needs a name and a key expression");
  }
  return tag;
}

template <class Item, class Parse>
std::vector<Item> ParseList(const std::string& text, Parse parse) {
  std::vector<Item> items;
  for (const std::string& definition : SplitOutsideQuotes(text, ';')) {
    if (!Trim(definition).empty()) items.push_back(parse(definition));
  }
  return items;
}

}  // namespace

std::vector<FieldDef> ParseFieldList(const std::string& text) {
  return ParseList<FieldDef>(text, ParseField);
}

std::vector<TagDescription> ParseTagList(const std::string& text) {
  return ParseList<TagDescription>(text, ParseTag);
}

}  // namespace pw::pwdbf
