#include "engine/table/record_image.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "common/decimal_rounding.h"
#include "engine/table/record_date.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

// A D slot: the length byte and a date text of up to 10 characters; no
// other slot of a number or date field is larger.
constexpr std::size_t kDateSlot = 1 + kMaxDateTextLength;

template <typename T>
T LoadValue(const unsigned char* slot) {
  T value;
  std::memcpy(&value, slot, sizeof value);
  return value;
}

bool HasDoubleSlot(const FieldDef& field) {
  return field.decimals > 0;
}

bool IsNumber(const FieldDef& field) {
  return field.type == 'N' || field.type == 'F';
}

std::string_view RawText(const WorkArea& area, const FieldDef& field) {
  return {reinterpret_cast<const char*>(area.raw.data()) + field.offset, field.length};
}

// Plain loops: find_first_not_of costs a search of its character set for
// every byte, and this runs for every number field of every record read.
std::string_view TrimBlanks(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && text[first] == ' ') ++first;
  while (last > first && text[last - 1] == ' ') --last;
  return text.substr(first, last - first);
}

// A decimal number with an optional sign; reading stops at the first
// character that does not fit, and text without digits gives 0.
double ParseDecimal(std::string_view text) {
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

double ParseNumber(std::string_view text) {
  // Whole numbers of up to nine digits, the common case, without from_chars.
  const bool negative = !text.empty() && text[0] == '-';
  const std::string_view digits = negative ? text.substr(1) : text;
  if (!digits.empty() && digits.size() <= kInt32WholeDigits &&
      std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    std::int32_t value = 0;
    for (char c : digits) value = value * 10 + (c - '0');
    return negative ? -value : value;
  }
  return ParseDecimal(text);
}

template <typename Whole>
Whole TruncateTo(double value) {
  constexpr double kMin = static_cast<double>(std::numeric_limits<Whole>::min());
  constexpr double kMax = static_cast<double>(std::numeric_limits<Whole>::max());
  const double whole = std::trunc(value);
  if (!(whole > kMin)) return std::numeric_limits<Whole>::min();  // NaN too
  if (whole >= kMax) return std::numeric_limits<Whole>::max();
  return static_cast<Whole>(whole);
}

// A wide whole number read digit for digit, so that no digit of a value
// beyond 2^53 is lost; text with a point or an exponent goes through double.
std::int64_t ParseWideWhole(std::string_view text) {
  std::string_view digits = text;
  if (!digits.empty() && digits[0] == '+') digits.remove_prefix(1);
  std::int64_t value = 0;
  const auto [at, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (at == digits.data() + digits.size() && !digits.empty()) {
    if (ec == std::errc()) return value;
    if (ec == std::errc::result_out_of_range) {
      return digits[0] == '-' ? std::numeric_limits<std::int64_t>::min()
                              : std::numeric_limits<std::int64_t>::max();
    }
  }
  return TruncateTo<std::int64_t>(ParseDecimal(text));
}

// Right-aligns `text` in the field; a text wider than the field fills it with "*".
void StoreRightAligned(unsigned char* out, std::size_t width, std::string_view text) {
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

// A number written right-aligned in the field: a double with exactly the
// field's decimals, rounded as decimal_rounding.h says, or a whole number;
// "*" fills a field too narrow for it (and one for a value that is not finite).
void StoreNumber(unsigned char* out, const FieldDef& field, const unsigned char* slot) {
  std::optional<std::string> text;
  if (HasDoubleSlot(field)) {
    text = FixedDecimalText(LoadValue<double>(slot), field.decimals);
  } else if (HasWideWholeSlot(field)) {
    text = std::to_string(LoadValue<std::int64_t>(slot));
  } else {
    text = std::to_string(LoadValue<std::int32_t>(slot));
  }
  if (!text || text->size() > field.length) {
    std::memset(out, '*', field.length);
    return;
  }
  StoreRightAligned(out, field.length, *text);
}

void FieldToSlot(const WorkArea& area, const FieldDef& field, unsigned char* slot) {
  const std::string_view text = RawText(area, field);
  switch (field.type) {
    case 'C':
      slot[0] = field.length;
      std::memcpy(slot + 1, text.data(), text.size());
      break;
    case 'D':
      // Stored lengths other than 8 (foreign files): the first 8 characters.
      std::memset(slot, 0, kDateSlot);
      slot[0] = static_cast<unsigned char>(
          DateTextOfStored(text.substr(0, kStoredDateLength), reinterpret_cast<char*>(slot + 1)));
      break;
    case 'N':
    case 'F': {
      const std::string_view number = TrimBlanks(text);
      if (HasDoubleSlot(field)) {
        const double value = ParseNumber(number);
        std::memcpy(slot, &value, sizeof value);
      } else if (HasWideWholeSlot(field)) {
        const std::int64_t whole = ParseWideWhole(number);
        std::memcpy(slot, &whole, sizeof whole);
      } else {
        const std::int32_t whole = TruncateTo<std::int32_t>(ParseNumber(number));
        std::memcpy(slot, &whole, sizeof whole);
      }
      break;
    }
    case 'L':
      slot[0] = !text.empty() && std::string_view("TYty").find(text[0]) != std::string_view::npos;
      break;
    case 'M': {
      const std::string_view digits = TrimBlanks(text);
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

// A number or date field that holds text and whose slot still holds the
// value that text reads as: rewriting it would only lose what the slot cannot
// carry (digits beyond a double or 64 bits, the century of a two-digit year,
// a foreign spelling), so its stored text stays as it is.
bool SlotHoldsStoredValue(const WorkArea& area, const FieldDef& field, const unsigned char* slot) {
  if (!IsNumber(field) && field.type != 'D') return false;
  if (TrimBlanks(RawText(area, field)).empty()) return false;
  unsigned char stored[kDateSlot];
  FieldToSlot(area, field, stored);
  // A date slot counts up to its length byte: what follows is not its text.
  const std::size_t size = field.type == 'D' ? 1u + stored[0] : ImageSlotSize(field);
  return std::memcmp(stored, slot, size) == 0;
}

void SlotToField(const unsigned char* slot, const FieldDef& field, WorkArea& area) {
  if (SlotHoldsStoredValue(area, field, slot)) return;
  unsigned char* out = area.raw.data() + field.offset;
  switch (field.type) {
    case 'C':
      StoreLeftAligned(
          out, field.length,
          {reinterpret_cast<const char*>(slot + 1), std::min<std::size_t>(slot[0], field.length)});
      break;
    case 'D': {
      unsigned char stored[kStoredDateLength];
      StoredOfDateText({reinterpret_cast<const char*>(slot + 1),
                        std::min<std::size_t>(slot[0], kMaxDateTextLength)},
                       stored);
      StoreLeftAligned(out, field.length,
                       {reinterpret_cast<const char*>(stored), kStoredDateLength});
      break;
    }
    case 'N':
    case 'F':
      StoreNumber(out, field, slot);
      break;
    case 'L':
      StoreLeftAligned(out, field.length, slot[0] != 0 ? "T" : "F");
      break;
    case 'M': {
      std::int32_t block = 0;
      std::memcpy(&block, slot, sizeof block);
      char digits[16];
      const char* end = std::to_chars(digits, digits + sizeof digits, block).ptr;
      StoreRightAligned(out, field.length, {digits, static_cast<std::size_t>(end - digits)});
      break;
    }
    default:
      break;
  }
}

}  // namespace

bool HasWideWholeSlot(const FieldDef& field) {
  return IsNumber(field) && field.decimals == 0 && field.length > kInt32WholeDigits;
}

std::size_t ImageSlotSize(const FieldDef& field) {
  switch (field.type) {
    case 'C':
      return field.length + 1u;
    case 'N':
    case 'F':
      if (HasDoubleSlot(field)) return sizeof(double);
      return HasWideWholeSlot(field) ? sizeof(std::int64_t) : sizeof(std::int32_t);
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
