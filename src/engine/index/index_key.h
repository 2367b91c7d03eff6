// Index keys: the bytes a tag stores for a key value, and their order.
//
//   C  the characters of the value (1-100 bytes), converted to the OEM code
//      page when the table stores OEM text; compared over the key length in
//      the order of the table's language driver (key_collation.h), for most
//      drivers as unsigned bytes.
//   N  12-byte packed decimal:
//        0     decimal exponent + 0x34
//        1     bit 7 negative; bits 2-6 digit count d (0-20); bit 0 always 1
//        2-11  up to 20 significant digits, two per byte, high nibble first,
//              leading zeros dropped, unused nibbles zero
//      value = 0.d1d2d3... * 10^(byte 0 - 0x34), negated when bit 7 is set.
//   D  8-byte IEEE 754 double, little-endian, holding the day number; the
//      blank date is 1e100 and so sorts after every date.
//
// A descending tag stores the same bytes and reverses the comparison.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "engine/index/key_collation.h"
#include "engine/index/mdx_limits.h"

namespace pw {

enum class KeyType : char { kCharacter = 'C', kNumeric = 'N', kDate = 'D' };

using PackedDecimal = std::array<unsigned char, kNumericKeyLength>;
using DateKeyBytes = std::array<unsigned char, kDateKeyLength>;

inline constexpr double kBlankDateDay = 1e100;

// Whether `letter` is C, N or D.
bool IsKeyType(char letter);

// The key bytes of a C value; converted to OEM when `oemText` is set.
std::string CharacterKey(std::string_view value, bool oemText);

// Packs the text of a number: leading blanks, a sign, then blanks and zeros
// are skipped; `decimals` (the expression's decimals) decides how trailing
// zeros count towards the digit count.
PackedDecimal PackDecimal(std::string_view text, int decimals);
// Packs `value` written in fixed notation with `decimals` decimals.
PackedDecimal NumericKey(double value, int decimals);
// The value a packed decimal stands for.
double UnpackDecimal(const unsigned char* key);
// The same value as exact decimal text, every stored digit kept (trailing
// zeros after the point dropped): "-0.0125", "123.45", "10".
std::string PackedDecimalText(const unsigned char* key);

DateKeyBytes DateKey(double dayNumber);
double DateKeyValue(const unsigned char* key);

// Packed decimals in numeric order: negative, zero, positive.
int ComparePacked(const unsigned char* a, const unsigned char* b);

// The order of one tag's keys: < 0, 0 or > 0 as `a` sorts below, with or
// above `b`. C keys are compared over `length` bytes, which a partial search
// sets below the key length.
struct KeyOrder {
  KeyType type = KeyType::kCharacter;
  std::size_t length = 0;
  bool descending = false;
  KeyCollation collation = KeyCollation::kBytes;  // of C keys

  int Compare(const unsigned char* a, const unsigned char* b) const;
};

}  // namespace pw
