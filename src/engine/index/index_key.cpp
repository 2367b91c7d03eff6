#include "engine/index/index_key.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "common/byte_order.h"
#include "common/code_page.h"

namespace pw {
namespace {

// Packed decimal bytes.
constexpr std::size_t kExponentByte = 0;
constexpr std::size_t kSignCountByte = 1;
constexpr std::size_t kDigitBytes = 2;
constexpr int kExponentBias = 0x34;
constexpr unsigned char kNegativeBit = 0x80;
constexpr unsigned char kAlwaysSetBit = 0x01;
constexpr int kMaxDigits = 20;
// A digit count of 10 or more is written for whole numbers.
constexpr int kWholeNumberDigits = 10;
constexpr int kMaxKeyDecimals = 30;
// The longest fixed text of a double: sign, 309 whole digits, point, decimals.
constexpr std::size_t kFixedTextSize = 1 + 309 + 1 + kMaxKeyDecimals + 1;

int DigitCount(const unsigned char* key) {
  return (key[kSignCountByte] >> 2) & 0x1F;
}

bool IsNegative(const unsigned char* key) {
  return (key[kSignCountByte] & kNegativeBit) != 0;
}

int Sign(int value) {
  return (value > 0) - (value < 0);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

bool IsKeyType(char letter) {
  return letter == 'C' || letter == 'N' || letter == 'D';
}

std::string CharacterKey(std::string_view value, bool oemText) {
  return oemText ? AnsiToOem(value) : std::string(value);
}

PackedDecimal PackDecimal(std::string_view text, int decimals) {
  PackedDecimal key{};
  std::size_t i = 0;
  const std::size_t end = text.size();
  while (i < end && text[i] == ' ') ++i;
  bool negative = false;
  if (i < end && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  while (i < end && (text[i] == ' ' || text[i] == '0')) ++i;

  int exponent = 0;
  bool point = false;
  if (i < end && text[i] == '.') {
    point = true;
    std::size_t first = ++i;
    while (first < end && text[first] == '0') ++first;
    if (first < end && IsDigit(text[first])) {
      exponent = -static_cast<int>(first - i);
      i = first;
    }
  }

  int taken = 0;
  int trailingZeros = 0;
  bool allZero = true;
  for (; i < end; ++i) {
    const char c = text[i];
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (!IsDigit(c)) break;
    // Whole digits past the twentieth still count for the magnitude.
    if (!point) ++exponent;
    if (taken == kMaxDigits) {
      if (point) break;
      continue;
    }
    const int digit = c - '0';
    unsigned char& byte = key[kDigitBytes + taken / 2];
    byte |= static_cast<unsigned char>(taken % 2 == 0 ? digit << 4 : digit);
    ++taken;
    trailingZeros = digit == 0 ? trailingZeros + 1 : 0;
    if (digit != 0) allZero = false;
  }

  int count = 0;
  if (!allZero) {
    if (point && trailingZeros < decimals) {
      count = taken;
    } else {
      count = std::max(taken - trailingZeros, kWholeNumberDigits);
    }
    count = std::min(count, kMaxDigits);
  }
  key[kExponentByte] = static_cast<unsigned char>(std::clamp(kExponentBias + exponent, 0, 0xFF));
  key[kSignCountByte] = static_cast<unsigned char>(kAlwaysSetBit | (count << 2));
  if (negative && count > 0) key[kSignCountByte] |= kNegativeBit;
  return key;
}

PackedDecimal NumericKey(double value, int decimals) {
  const int places = std::clamp(decimals, 0, kMaxKeyDecimals);
  // Not printf: the decimal point must not follow the process locale.
  char text[kFixedTextSize];
  const auto written =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, places);
  if (written.ec != std::errc()) return PackDecimal("", places);
  return PackDecimal(std::string_view(text, static_cast<std::size_t>(written.ptr - text)), places);
}

namespace {

// The significant digits d1d2d3... of a packed decimal.
std::string PackedDigits(const unsigned char* key) {
  const int count = std::min(DigitCount(key), kMaxDigits);
  std::string digits;
  for (int k = 0; k < count; ++k) {
    const unsigned char byte = key[kDigitBytes + k / 2];
    digits += static_cast<char>('0' + ((k % 2 == 0 ? byte >> 4 : byte) & 0x0F));
  }
  return digits;
}

}  // namespace

double UnpackDecimal(const unsigned char* key) {
  const std::string digits = PackedDigits(key);
  if (digits.empty()) return 0.0;
  const std::string text = (IsNegative(key) ? "-0." : "0.") + digits + 'e' +
                           std::to_string(static_cast<int>(key[kExponentByte]) - kExponentBias);
  double value = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

std::string PackedDecimalText(const unsigned char* key) {
  std::string digits = PackedDigits(key);
  if (digits.empty()) return "0";
  const int exponent = static_cast<int>(key[kExponentByte]) - kExponentBias;
  const int count = static_cast<int>(digits.size());
  std::string text;
  if (exponent <= 0) {
    text = "0." + std::string(static_cast<std::size_t>(-exponent), '0') + digits;
  } else if (exponent >= count) {
    text = digits + std::string(static_cast<std::size_t>(exponent - count), '0');
  } else {
    text = digits.substr(0, static_cast<std::size_t>(exponent)) + "." +
           digits.substr(static_cast<std::size_t>(exponent));
  }
  if (text.find('.') != std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  return IsNegative(key) ? "-" + text : text;
}

DateKeyBytes DateKey(double dayNumber) {
  const auto bits = std::bit_cast<std::uint64_t>(dayNumber);
  DateKeyBytes key{};
  PutLe32(key.data(), static_cast<std::uint32_t>(bits));
  PutLe32(key.data() + 4, static_cast<std::uint32_t>(bits >> 32));
  return key;
}

double DateKeyValue(const unsigned char* key) {
  const std::uint64_t bits = GetLe32(key) | (static_cast<std::uint64_t>(GetLe32(key + 4)) << 32);
  return std::bit_cast<double>(bits);
}

int ComparePacked(const unsigned char* a, const unsigned char* b) {
  const bool negativeA = IsNegative(a);
  if (negativeA != IsNegative(b)) return negativeA ? -1 : 1;
  const int countA = DigitCount(a);
  const int countB = DigitCount(b);
  const int exponentA = countA == 0 ? 0 : a[kExponentByte];
  const int exponentB = countB == 0 ? 0 : b[kExponentByte];
  int result = Sign(exponentA - exponentB);
  if (result == 0) {
    // The count field has room for 31; the key for 20 digits only.
    const int digits = std::min(std::max(countA, countB), kMaxDigits);
    result = Sign(std::memcmp(a + kDigitBytes, b + kDigitBytes, (digits + 1) / 2));
  }
  return negativeA ? -result : result;
}

int KeyOrder::Compare(const unsigned char* a, const unsigned char* b) const {
  int result = 0;
  switch (type) {
    case KeyType::kCharacter:
      result = CompareCollated(collation, a, b, length);
      break;
    case KeyType::kNumeric:
      result = ComparePacked(a, b);
      break;
    case KeyType::kDate: {
      const double dayA = DateKeyValue(a);
      const double dayB = DateKeyValue(b);
      result = (dayA > dayB) - (dayA < dayB);
      break;
    }
  }
  return descending ? -result : result;
}

}  // namespace pw
