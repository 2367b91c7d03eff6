#include "stored_field.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "common/decimal_rounding.h"
#include "engine/expr/day_number.h"
#include "engine/expr/expr_value.h"
#include "text_1252.h"
#include "tool_error.h"

namespace pw::pwdbf {
namespace {

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

DecodedField Invalid() {
  return {StoredState::kInvalid, nullptr};
}

DecodedField Number(std::string_view stored, int decimals) {
  const std::string_view text = Trimmed(stored);
  // A blank field with decimals is stored as blanks around the point.
  if (text.empty() || text == ".") return {};
  const char* end = text.data() + text.size();
  if (decimals == 0) {
    std::int64_t whole = 0;
    const auto [at, ec] = std::from_chars(text.data(), end, whole);
    if (ec == std::errc() && at == end) return {StoredState::kValue, whole};
  }
  // A leading "+" or a bare "." are written by other programs too.
  std::string_view digits = text;
  if (!digits.empty() && digits[0] == '+') digits.remove_prefix(1);
  double value = 0;
  const auto [at, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                        std::chars_format::fixed);
  if (ec != std::errc() || at != end || digits.empty()) return Invalid();
  return {StoredState::kValue, value};
}

DecodedField Date(std::string_view stored) {
  const std::string_view text = stored.substr(0, 8);
  if (Trimmed(text).empty()) return {};
  if (!AllDigits(text) || DayNumberOfSortText(text) == kBlankDate) return Invalid();
  const std::string iso = std::string(text.substr(0, 4)) + "-" + std::string(text.substr(4, 2)) +
                          "-" + std::string(text.substr(6, 2));
  return {StoredState::kValue, iso};
}

DecodedField Logical(std::string_view stored) {
  const char c = stored.empty() ? ' ' : stored[0];
  if (std::string_view("TtYy").find(c) != std::string_view::npos)
    return {StoredState::kValue, true};
  if (std::string_view("FfNn").find(c) != std::string_view::npos)
    return {StoredState::kValue, false};
  return c == ' ' || c == '?' ? DecodedField{} : Invalid();
}

DecodedField MemoBlock(std::string_view stored) {
  const std::string_view text = Trimmed(stored);
  if (text.empty()) return {};
  if (!AllDigits(text)) return Invalid();
  std::int32_t block = 0;
  if (std::from_chars(text.data(), text.data() + text.size(), block).ec != std::errc()) {
    return Invalid();
  }
  if (block == 0) return {};
  return {StoredState::kValue, block};
}

[[noreturn]] void Refuse(const FieldDef& field, const std::string& text) {
  throw ToolError("", "field " + Utf8FromCp1252(field.name) + ": " + text);
}

std::string RightAligned(const FieldDef& field, const std::string& text) {
  if (text.size() > field.length) Refuse(field, "value " + text + " does not fit");
  return std::string(field.length - text.size(), ' ') + text;
}

// JSON whole numbers are written digit for digit; others are rounded to the
// field's decimals as the engine rounds.
std::string EncodeNumber(const FieldDef& field, const Json& value) {
  if (value.is_null()) return std::string(field.length, ' ');
  if (!value.is_number()) Refuse(field, "a number or null expected");
  std::optional<std::string> text;
  if (value.is_number_unsigned()) {
    text = std::to_string(value.get<std::uint64_t>());
  } else if (value.is_number_integer()) {
    text = std::to_string(value.get<std::int64_t>());
  }
  if (text && field.decimals > 0) *text += "." + std::string(field.decimals, '0');
  if (!text) text = FixedDecimalText(value.get<double>(), field.decimals);
  if (!text) Refuse(field, "a finite number expected");
  return RightAligned(field, *text);
}

std::string EncodeDate(const FieldDef& field, const Json& value) {
  if (value.is_null()) return std::string(field.length, ' ');
  const std::string iso = value.is_string() ? value.get<std::string>() : std::string();
  std::string stored;
  if (iso.size() == 10 && iso[4] == '-' && iso[7] == '-') {
    stored = iso.substr(0, 4) + iso.substr(5, 2) + iso.substr(8, 2);
  }
  if (!AllDigits(stored) || DayNumberOfSortText(stored) == kBlankDate) {
    Refuse(field, "a date \"YYYY-MM-DD\" or null expected");
  }
  stored.resize(field.length, ' ');
  return stored;
}

std::string EncodeCharacter(const FieldDef& field, const Json& value) {
  if (value.is_null()) return std::string(field.length, ' ');
  if (!value.is_string()) Refuse(field, "a string expected");
  std::string text;
  if (!Cp1252FromUtf8(value.get<std::string>(), &text)) {
    Refuse(field, "text has characters Windows-1252 cannot store");
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  if (text.size() > field.length) {
    Refuse(field, "text longer than " + std::to_string(field.length) + " characters");
  }
  text.resize(field.length, ' ');
  return text;
}

}  // namespace

DecodedField DecodeStored(const FieldDef& field, std::string_view stored) {
  switch (field.type) {
    case 'C': {
      std::string_view text = stored;
      while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
      return {StoredState::kValue, Utf8FromCp1252(text)};
    }
    case 'N':
    case 'F':
      return Number(stored, field.decimals);
    case 'D':
      return Date(stored);
    case 'L':
      return Logical(stored);
    case 'M':
      return MemoBlock(stored);
    default:
      return Invalid();
  }
}

std::string EncodeStored(const FieldDef& field, const Json& value, std::int32_t memoBlock) {
  switch (field.type) {
    case 'C':
      return EncodeCharacter(field, value);
    case 'N':
    case 'F':
      return EncodeNumber(field, value);
    case 'D':
      return EncodeDate(field, value);
    case 'L':
      if (value.is_null()) return std::string(field.length, ' ');
      if (!value.is_boolean()) Refuse(field, "true, false or null expected");
      return std::string(value.get<bool>() ? "T" : "F") + std::string(field.length - 1u, ' ');
    case 'M':
      return RightAligned(field, memoBlock == 0 ? std::string() : std::to_string(memoBlock));
    default:
      Refuse(field, std::string("type ") + field.type + " cannot be written");
  }
}

}  // namespace pw::pwdbf
