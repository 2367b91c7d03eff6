#include "common/number_routines.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "common/date_settings.h"
#include "common/decimal_rounding.h"

namespace pw {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

void RemoveAll(std::string& text, char c) {
  std::erase(text, c);
}

void RemoveLeading(std::string& text, std::string_view chars) {
  text.erase(0, std::min(text.find_first_not_of(chars), text.size()));
}

void CutAtFirstBlank(std::string& text) {
  text.erase(std::min(text.find(' '), text.size()));
}

// Reads an optional "-" and the digits after it, stopping at the first
// character that does not fit; clamps to [low, high].
long long ReadWholeNumber(const std::string& text, long long low, long long high) {
  const long long value = std::strtoll(text.c_str(), nullptr, 10);
  return std::clamp(value, low, high);
}

}  // namespace

std::string StrInt(long long n, int width) {
  std::string digits = std::to_string(n);
  if (width > 0 && digits.size() < static_cast<std::size_t>(width)) {
    digits.insert(0, static_cast<std::size_t>(width) - digits.size(), ' ');
  }
  return digits;
}

std::string StrNum(double x, int width, int decimals) {
  std::string text = FixedDecimalText(x, decimals).value_or(std::string());
  if (width > 0 && text.size() < static_cast<std::size_t>(width)) {
    text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
  }
  const char separator = CurrentDateSettings().decimalSeparator;
  if (separator != '.') std::replace(text.begin(), text.end(), '.', separator);
  return text;
}

std::int16_t ValInt(std::string_view input) {
  std::string text(input);
  RemoveLeading(text, " ");
  if (!text.empty() && text.front() == '+') text.erase(0, 1);
  RemoveLeading(text, " ");
  RemoveAll(text, CurrentDateSettings().decimalSeparator == '.' ? ',' : '.');
  if (const std::size_t dollar = text.find('$'); dollar != std::string::npos) {
    text.erase(dollar, 1);
  }
  CutAtFirstBlank(text);
  const auto run =
      std::find_if(text.begin(), text.end(), [](char c) { return !IsDigit(c) && c != '-'; });
  text.erase(run, text.end());
  return static_cast<std::int16_t>(ReadWholeNumber(text, std::numeric_limits<std::int16_t>::min(),
                                                   std::numeric_limits<std::int16_t>::max()));
}

std::string CleanNumberText(std::string_view input) {
  const char separator = CurrentDateSettings().decimalSeparator;
  std::string text(input);
  RemoveAll(text, '$');
  RemoveLeading(text, " +");
  if (!text.empty() && text.front() == '-') {
    RemoveLeading(text, " +-");
    if (text.empty()) return {};
    if (text.front() == separator) text.insert(0, 1, '0');
    text.insert(0, 1, '-');
  }
  if (separator == '.') {
    RemoveAll(text, ',');
  } else {
    RemoveAll(text, '.');
    if (const std::size_t point = text.find(separator); point != std::string::npos) {
      text[point] = '.';
    }
  }
  if (!text.empty() && text.front() == '.') text.insert(0, 1, '0');
  CutAtFirstBlank(text);
  std::size_t run = 0;
  while (run < text.size() &&
         (IsDigit(text[run]) || text[run] == '.' || (text[run] == '-' && run == 0))) {
    ++run;
  }
  text.erase(run);
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

std::int32_t ValLongText(std::string_view text) {
  const std::string clean = CleanNumberText(text);
  return static_cast<std::int32_t>(ReadWholeNumber(clean, std::numeric_limits<std::int32_t>::min(),
                                                   std::numeric_limits<std::int32_t>::max()));
}

}  // namespace pw
