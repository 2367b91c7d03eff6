#include "engine/table/record_image.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "common/date_settings.h"
#include "common/date_text.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

constexpr std::size_t kDateSlot = 11;
constexpr std::size_t kStoredDateLength = 8;
constexpr std::size_t kMaxDateText = kDateSlot - 1;

bool HasDoubleSlot(const FieldDef& field) {
  return field.decimals > 0;
}

std::string_view RawText(const WorkArea& area, const FieldDef& field) {
  return {reinterpret_cast<const char*>(area.raw.data()) + field.offset, field.length};
}

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A decimal number with an optional sign; reading stops at the first
// character that does not fit, and text without digits gives 0.
double ParseNumber(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  double value = 0;
  if (text.empty() || text[0] == '-' || text[0] == '+') return 0;
  std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  return negative ? -value : value;
}

std::int32_t ToInt32(double value) {
  constexpr double kMin = std::numeric_limits<std::int32_t>::min();
  constexpr double kMax = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::clamp(std::trunc(value), kMin, kMax));
}

// Right-aligns `text` in the field; a text wider than the field fills it with "*".
void StoreRightAligned(unsigned char* out, std::size_t width, const std::string& text) {
  if (text.size() > width) {
    std::memset(out, '*', width);
    return;
  }
  std::memset(out, ' ', width - text.size());
  std::memcpy(out + width - text.size(), text.data(), text.size());
}

void StoreLeftAligned(unsigned char* out, std::size_t width, std::string_view text) {
  const std::size_t n = std::min(width, text.size());
  std::memcpy(out, text.data(), n);
  std::memset(out + n, ' ', width - n);
}

std::string FixedDecimals(double value, int decimals) {
  const int size = std::snprintf(nullptr, 0, "%.*f", decimals, value);
  std::string text(static_cast<std::size_t>(size), '\0');
  std::snprintf(text.data(), text.size() + 1, "%.*f", decimals, value);
  return text;
}

// YYYYMMDD (or blanks) -> the date text of the current format.
std::string DateTextOf(std::string_view stored) {
  if (TrimBlanks(stored).empty()) return BlankDateText(CurrentDateSettings().formatCode);
  const std::string_view year =
      CurrentDateSettings().century ? stored.substr(0, 4) : stored.substr(2, 2);
  std::string american(stored.substr(4, 2));
  american += '/';
  american += stored.substr(6, 2);
  american += '/';
  american += year;
  return FromAmericanDate(american);
}

bool IsBlankDatePattern(std::string_view text) {
  static constexpr std::array<std::string_view, 8> kBlankPatterns = {
      "        ", "          ", "  /  /  ", "  /  /    ",
      "  -  -  ", "  -  -    ", "  .  .  ", "  .  .    "};
  return text.empty() ||
         std::find(kBlankPatterns.begin(), kBlankPatterns.end(), text) != kBlankPatterns.end();
}

// The date text of the current format -> YYYYMMDD, or 8 blanks for a blank
// text. A text that is not a valid date is stored blank rather than as
// characters that no reader could take for a date; a valid one is first
// normalised (e.g. "3/7/24" to "03/07/24"), so that the positions below apply.
std::string StoredDateOf(std::string text) {
  const std::size_t expected = CurrentDateSettings().century ? 10 : 8;
  if (!text.empty() && !ValidateDateText(text)) text.clear();
  if (IsBlankDatePattern(text) || text.size() != expected)
    return std::string(kStoredDateLength, ' ');
  const int code = CurrentDateSettings().formatCode;
  const std::size_t yearLength = expected - 6;
  std::string year;
  std::string month;
  std::string day;
  if (code == 1) {
    year = text.substr(0, yearLength);
    month = text.substr(yearLength + 1, 2);
    day = text.substr(yearLength + 4, 2);
  } else {
    year = text.substr(6);
    month = text.substr(code == 0 ? 0 : 3, 2);
    day = text.substr(code == 0 ? 3 : 0, 2);
  }
  if (year.size() == 2) year = std::to_string(CenturyOf(year) / 100) + year;
  return year + month + day;
}

void FieldToSlot(const WorkArea& area, const FieldDef& field, unsigned char* slot) {
  const std::string_view text = RawText(area, field);
  switch (field.type) {
    case 'C':
      slot[0] = field.length;
      std::memcpy(slot + 1, text.data(), text.size());
      break;
    case 'D': {
      std::string stored(text.substr(0, kStoredDateLength));
      stored.resize(kStoredDateLength, ' ');
      const std::string date = DateTextOf(stored).substr(0, kMaxDateText);
      std::memset(slot, 0, kDateSlot);
      slot[0] = static_cast<unsigned char>(date.size());
      std::memcpy(slot + 1, date.data(), date.size());
      break;
    }
    case 'N':
    case 'F': {
      const double value = ParseNumber(TrimBlanks(text));
      if (HasDoubleSlot(field)) {
        std::memcpy(slot, &value, sizeof value);
      } else {
        const std::int32_t whole = ToInt32(value);
        std::memcpy(slot, &whole, sizeof whole);
      }
      break;
    }
    case 'L':
      slot[0] = !text.empty() && std::string_view("TYty").find(text[0]) != std::string_view::npos;
      break;
    case 'M': {
      const std::string_view digits =
          text.substr(std::min(text.find_first_not_of(' '), text.size()));
      std::int32_t block = 0;
      if (std::from_chars(digits.data(), digits.data() + digits.size(), block).ec != std::errc()) {
        block = 0;
      }
      std::memcpy(slot, &block, sizeof block);
      break;
    }
    default:
      break;
  }
}

void SlotToField(const unsigned char* slot, const FieldDef& field, WorkArea& area) {
  unsigned char* out = area.raw.data() + field.offset;
  switch (field.type) {
    case 'C':
      StoreLeftAligned(
          out, field.length,
          {reinterpret_cast<const char*>(slot + 1), std::min<std::size_t>(slot[0], field.length)});
      break;
    case 'D': {
      const std::size_t length = std::min<std::size_t>(slot[0], kMaxDateText);
      StoreLeftAligned(out, field.length,
                       StoredDateOf(std::string(reinterpret_cast<const char*>(slot + 1), length)));
      break;
    }
    case 'N':
    case 'F': {
      std::string text;
      if (HasDoubleSlot(field)) {
        double value = 0;
        std::memcpy(&value, slot, sizeof value);
        text = std::isfinite(value) ? FixedDecimals(value, field.decimals)
                                    : std::string(field.length + 1u, '*');
      } else {
        std::int32_t value = 0;
        std::memcpy(&value, slot, sizeof value);
        text = std::to_string(value);
      }
      StoreRightAligned(out, field.length, text);
      break;
    }
    case 'L':
      StoreLeftAligned(out, field.length, slot[0] != 0 ? "T" : "F");
      break;
    case 'M': {
      std::int32_t block = 0;
      std::memcpy(&block, slot, sizeof block);
      StoreRightAligned(out, field.length, std::to_string(block));
      break;
    }
    default:
      break;
  }
}

}  // namespace

std::size_t ImageSlotSize(const FieldDef& field) {
  switch (field.type) {
    case 'C':
      return field.length + 1u;
    case 'N':
    case 'F':
      return HasDoubleSlot(field) ? sizeof(double) : sizeof(std::int32_t);
    case 'D':
      return kDateSlot;
    case 'L':
      return 1;
    case 'M':
      return sizeof(std::int32_t);
    default:
      return 0;
  }
}

std::size_t ImageSizeOf(const std::vector<FieldDef>& fields) {
  std::size_t size = 1;
  for (const FieldDef& field : fields) size += ImageSlotSize(field);
  return size;
}

std::uint16_t RecordImageSize(int workArea) {
  if (workArea < 1 || workArea > kWorkAreaCount) return 0;
  const WorkArea& area = WorkAreaAt(workArea);
  return area.occupied ? static_cast<std::uint16_t>(ImageSizeOf(area.fields)) : 0;
}

void RawToImage(WorkArea& area) {
  area.image[0] = area.raw[0] == '*' ? 1 : 0;
  unsigned char* slot = area.image + 1;
  for (const FieldDef& field : area.fields) {
    FieldToSlot(area, field, slot);
    slot += ImageSlotSize(field);
  }
}

void ImageToRaw(WorkArea& area) {
  area.raw[0] = area.image[0] != 0 ? '*' : ' ';
  const unsigned char* slot = area.image + 1;
  for (const FieldDef& field : area.fields) {
    SlotToField(slot, field, area);
    slot += ImageSlotSize(field);
  }
}

}  // namespace pw
