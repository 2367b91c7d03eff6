#include "engine/table/record_date.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "common/century_rule.h"
#include "common/date_calendar.h"
#include "common/date_settings.h"
#include "common/date_text.h"

namespace pw {
namespace {

// Where the pieces of a date text stand under the current format code and
// century switch: MM/DD/YY (0), YY.MM.DD (1), DD/MM/YY (2), DD-MM-YY (3),
// DD.MM.YY (4-8), YY/MM/DD (9), MM-DD-YY (10); YY is four digits with the
// century switch on.
struct DateLayout {
  std::size_t length;
  std::size_t yearLength;
  std::size_t year;
  std::size_t month;
  std::size_t day;
  char separator;
};

DateLayout CurrentDateLayout() {
  const DateSettings& settings = CurrentDateSettings();
  const std::size_t yearLength = settings.century ? 4 : 2;
  const std::size_t length = yearLength + 6;
  switch (settings.formatCode) {
    case 0:
      return {length, yearLength, 6, 0, 3, '/'};
    case 1:
      return {length, yearLength, 0, yearLength + 1, yearLength + 4, '.'};
    case 2:
      return {length, yearLength, 6, 3, 0, '/'};
    case 3:
      return {length, yearLength, 6, 3, 0, '-'};
    case 9:
      return {length, yearLength, 0, yearLength + 1, yearLength + 4, '/'};
    case 10:
      return {length, yearLength, 6, 0, 3, '-'};
    default:
      return {length, yearLength, 6, 3, 0, '.'};
  }
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsDigitPosition(const DateLayout& layout, std::size_t i) {
  const auto within = [i](std::size_t start, std::size_t count) {
    return i >= start && i < start + count;
  };
  return within(layout.year, layout.yearLength) || within(layout.month, 2) || within(layout.day, 2);
}

int TwoDigits(const char* text) {
  return (text[0] - '0') * 10 + (text[1] - '0');
}

bool IsBlankDatePattern(std::string_view text) {
  static constexpr std::array<std::string_view, 8> kBlankPatterns = {
      "        ", "          ", "  /  /  ", "  /  /    ",
      "  -  -  ", "  -  -    ", "  .  .  ", "  .  .    "};
  return text.empty() ||
         std::find(kBlankPatterns.begin(), kBlankPatterns.end(), text) != kBlankPatterns.end();
}

// A date text laid out exactly as the current format writes it, holding a
// real date: its YYYYMMDD straight from the positions. False for anything
// else, which takes the general way.
bool StoreExactDateText(std::string_view text, unsigned char* out) {
  const DateLayout layout = CurrentDateLayout();
  if (text.size() != layout.length) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool fits = IsDigitPosition(layout, i) ? IsDigit(text[i]) : text[i] == layout.separator;
    if (!fits) return false;
  }
  const int year = CompleteYear(text.substr(layout.year, layout.yearLength));
  const int month = TwoDigits(text.data() + layout.month);
  const int day = TwoDigits(text.data() + layout.day);
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month)) {
    return false;
  }
  for (int i = 3, rest = year; i >= 0; --i, rest /= 10)
    out[i] = static_cast<unsigned char>('0' + rest % 10);
  std::memcpy(out + 4, text.data() + layout.month, 2);
  std::memcpy(out + 6, text.data() + layout.day, 2);
  return true;
}

// The general way: a text in any spelling the date layer accepts ("3/7/24")
// is normalised first so that the positions apply; a text that is no valid
// date is stored blank rather than as characters no reader could take for a
// date.
void StoreGeneralDateText(std::string_view given, unsigned char* out) {
  std::string text(given);
  if (!text.empty() && !ValidateDateText(text)) text.clear();
  if (IsBlankDatePattern(text) || !StoreExactDateText(text, out)) {
    std::memset(out, ' ', kStoredDateLength);
  }
}

}  // namespace

std::size_t DateTextOfStored(std::string_view stored, char* text) {
  const DateLayout layout = CurrentDateLayout();
  if (stored.size() == kStoredDateLength && std::all_of(stored.begin(), stored.end(), IsDigit)) {
    std::memset(text, layout.separator, layout.length);
    std::memcpy(text + layout.year, stored.data() + 4 - layout.yearLength, layout.yearLength);
    std::memcpy(text + layout.month, stored.data() + 4, 2);
    std::memcpy(text + layout.day, stored.data() + 6, 2);
    return layout.length;
  }
  if (std::all_of(stored.begin(), stored.end(), [](char c) { return c == ' '; })) {
    // The blank pattern: the layout with blanks for digits.
    for (std::size_t i = 0; i < layout.length; ++i) {
      text[i] = IsDigitPosition(layout, i) ? ' ' : layout.separator;
    }
    return layout.length;
  }
  // Characters that are no date: through the date layer.
  std::string padded(stored.substr(0, kStoredDateLength));
  padded.resize(kStoredDateLength, ' ');
  std::string date = FromAmericanDate(padded.substr(4, 2) + "/" + padded.substr(6, 2) + "/" +
                                      padded.substr(4 - layout.yearLength, layout.yearLength));
  date.resize(std::min(date.size(), kMaxDateTextLength));
  std::memcpy(text, date.data(), date.size());
  return date.size();
}

void StoredOfDateText(std::string_view text, unsigned char* out) {
  if (IsBlankDatePattern(text)) {
    std::memset(out, ' ', kStoredDateLength);
  } else if (!StoreExactDateText(text, out)) {
    StoreGeneralDateText(text, out);
  }
}

}  // namespace pw
