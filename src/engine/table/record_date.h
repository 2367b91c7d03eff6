// D fields between their stored form, eight characters YYYYMMDD (all blanks
// when empty), and the date text of the current date format that the record
// image holds.
#pragma once

#include <cstddef>
#include <string_view>

namespace pw {

// Longest date text: DD.MM.YYYY.
inline constexpr std::size_t kMaxDateTextLength = 10;
inline constexpr std::size_t kStoredDateLength = 8;

// Writes the date text of the 8 stored characters into `text` (room for
// kMaxDateTextLength) and returns its length; blanks give the blank pattern.
std::size_t DateTextOfStored(std::string_view stored, char* text);

// Writes the 8 stored characters of a date text into `out`. Blank patterns,
// and texts that are no valid date, are stored as 8 blanks.
void StoredOfDateText(std::string_view text, unsigned char* out);

}  // namespace pw
