// Key encodings and their order: packed decimals byte by byte and in
// numeric order, C keys as unsigned bytes, date keys with the blank date
// last, and descending tags reversing every comparison.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/index/index_key.h"

namespace pw {
namespace {

PackedDecimal Bytes(std::initializer_list<unsigned char> head) {
  PackedDecimal key{};
  std::copy(head.begin(), head.end(), key.begin());
  return key;
}

int Sign(double value) {
  return (value > 0) - (value < 0);
}

TEST(IndexKeyTest, PackedDecimalExamples) {
  EXPECT_EQ(PackDecimal("10", 0), Bytes({0x36, 0x29, 0x10}));
  EXPECT_EQ(PackDecimal("-5", 0), Bytes({0x35, 0xA9, 0x50}));
  EXPECT_EQ(PackDecimal("0", 0), Bytes({0x34, 0x01}));
  EXPECT_EQ(PackDecimal("123.45", 2), Bytes({0x37, 0x15, 0x12, 0x34, 0x50}));
}

TEST(IndexKeyTest, NumericKeysWriteTheValueWithTheExpressionsDecimals) {
  EXPECT_EQ(NumericKey(10, 0), Bytes({0x36, 0x29, 0x10}));
  EXPECT_EQ(NumericKey(-5, 0), Bytes({0x35, 0xA9, 0x50}));
  EXPECT_EQ(NumericKey(0, 0), Bytes({0x34, 0x01}));
  EXPECT_EQ(NumericKey(123.45, 2), Bytes({0x37, 0x15, 0x12, 0x34, 0x50}));
  // Rounded to the decimals first: 2.999 with 2 decimals is 3.00, a whole number.
  EXPECT_EQ(NumericKey(2.999, 2), Bytes({0x35, 0x29, 0x30}));
}

TEST(IndexKeyTest, PackingSkipsBlanksSignsAndLeadingZeros) {
  EXPECT_EQ(PackDecimal("   +0010", 0), PackDecimal("10", 0));
  EXPECT_EQ(PackDecimal("  - 005", 0), PackDecimal("-5", 0));
  // 0.05: one zero between the point and the first digit.
  EXPECT_EQ(PackDecimal("0.05", 2), Bytes({0x33, 0x05, 0x50}));
  EXPECT_EQ(PackDecimal(".5", 1), Bytes({0x34, 0x05, 0x50}));
  // The second decimal point ends the number.
  EXPECT_EQ(PackDecimal("1.5.7", 1), PackDecimal("1.5", 1));
}

TEST(IndexKeyTest, ZeroInEveryFormIsTheSameKeyWithoutSign) {
  const PackedDecimal zero = Bytes({0x34, 0x01});
  EXPECT_EQ(PackDecimal("-0", 0), zero);
  EXPECT_EQ(PackDecimal("0.00", 2), zero);
  EXPECT_EQ(PackDecimal("-0.00", 2), zero);
  EXPECT_EQ(PackDecimal("   ", 0), zero);
  EXPECT_EQ(NumericKey(-0.001, 2), zero);
  // Fewer zeros than the decimals still make a zero, not a one-digit key.
  EXPECT_EQ(PackDecimal("0.0", 2), zero);
}

TEST(IndexKeyTest, DigitCountFollowsTheTrailingZeroRule) {
  // Whole numbers count at least 10 digits.
  EXPECT_EQ(PackDecimal("100", 0)[1], 0x01 | (10 << 2));
  // Decimals all written: every digit taken counts.
  EXPECT_EQ(PackDecimal("1.50", 2)[1], 0x01 | (3 << 2));
  // Trailing zeros as many as the decimals: they are dropped, then 10 at least.
  EXPECT_EQ(PackDecimal("2.00", 2)[1], 0x01 | (10 << 2));
  // Twenty digits at most.
  const PackedDecimal many = PackDecimal("1234567890.1234567891234", 13);
  EXPECT_EQ(many[1], 0x01 | (20 << 2));
  EXPECT_EQ(many[11], 0x91);
}

TEST(IndexKeyTest, WholeDigitsPastTheTwentiethStillCountForTheExponent) {
  const PackedDecimal big = PackDecimal("1234567890123456789012345", 0);
  EXPECT_EQ(big[0], 0x34 + 25);
  EXPECT_GT(ComparePacked(big.data(), PackDecimal("9999999999999999999999", 0).data()), 0);
}

TEST(IndexKeyTest, UnpackingGivesTheValueBack) {
  for (double value : {0.0, 10.0, -5.0, 123.45, -0.05, 0.001, 987654321.25, -1e15, 3e-3}) {
    const PackedDecimal key = NumericKey(value, 3);
    EXPECT_DOUBLE_EQ(UnpackDecimal(key.data()), value) << value;
  }
}

// Values of every kind: negative and positive, fractions, zero, large.
std::vector<double> MixedNumbers() {
  std::vector<double> values = {0.0, 1e17, -1e17, 1e22, -1e25, 0.01, -0.01, 0.99, -0.99};
  for (double mantissa : {1.0, 1.5, 2.25, 9.99, 12.34, 99.99, 123.45}) {
    for (int exponent = -2; exponent <= 12; ++exponent) {
      const double value = mantissa * std::pow(10.0, exponent);
      values.push_back(value);
      values.push_back(-value);
    }
  }
  return values;
}

// Every pair of keys made with `decimals` compares as the numbers they were
// written as, and the other way round in a descending tag.
void ExpectNumericOrder(const std::vector<double>& values, int decimals) {
  struct Entry {
    double written;
    PackedDecimal key;
  };
  std::vector<Entry> entries;
  for (double value : values) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    entries.push_back({std::strtod(text, nullptr), NumericKey(value, decimals)});
  }
  const KeyOrder ascending{KeyType::kNumeric, 12, false};
  const KeyOrder descending{KeyType::kNumeric, 12, true};
  int mismatches = 0;
  for (const Entry& a : entries) {
    for (const Entry& b : entries) {
      const int expected = Sign(a.written - b.written);
      mismatches += ascending.Compare(a.key.data(), b.key.data()) != expected;
      mismatches += descending.Compare(a.key.data(), b.key.data()) != -expected;
    }
  }
  EXPECT_EQ(mismatches, 0) << "decimals " << decimals;
}

TEST(IndexKeyTest, PackedKeysSortAsTheirNumbers) {
  const std::vector<double> values = MixedNumbers();
  ASSERT_GT(values.size(), 200u);
  ExpectNumericOrder(values, 0);
  ExpectNumericOrder(values, 2);
  ExpectNumericOrder(values, 4);
}

TEST(IndexKeyTest, SortingByPackedKeyGivesNumericOrder) {
  std::vector<double> values = MixedNumbers();
  std::vector<PackedDecimal> keys;
  for (double value : values) keys.push_back(NumericKey(value, 2));
  std::sort(keys.begin(), keys.end(), [](const PackedDecimal& a, const PackedDecimal& b) {
    return ComparePacked(a.data(), b.data()) < 0;
  });
  for (std::size_t i = 1; i < keys.size(); ++i) {
    EXPECT_LE(UnpackDecimal(keys[i - 1].data()), UnpackDecimal(keys[i].data())) << i;
  }
  EXPECT_LT(UnpackDecimal(keys.front().data()), -1e24);
  EXPECT_GT(UnpackDecimal(keys.back().data()), 1e21);
}

TEST(IndexKeyTest, OversizedDigitCountIsComparedOverTheKeyOnly) {
  // A damaged count of 31 digits would need 16 digit bytes; the bytes after
  // the key differ and must not be looked at.
  std::array<unsigned char, 32> a{};
  std::array<unsigned char, 32> b{};
  const PackedDecimal five = NumericKey(5, 0);
  std::copy(five.begin(), five.end(), a.begin());
  std::copy(five.begin(), five.end(), b.begin());
  a[1] = b[1] = 0x01 | (31 << 2);
  a[13] = 1;
  b[13] = 2;
  EXPECT_EQ(ComparePacked(a.data(), b.data()), 0);
  b[11] = 0x01;
  EXPECT_LT(ComparePacked(a.data(), b.data()), 0);
}

TEST(IndexKeyTest, CharacterKeysCompareAsUnsignedBytes) {
  const KeyOrder order{KeyType::kCharacter, 3, false};
  auto compare = [&](const char* a, const char* b) {
    return order.Compare(reinterpret_cast<const unsigned char*>(a),
                         reinterpret_cast<const unsigned char*>(b));
  };
  EXPECT_LT(compare("ABC", "ABD"), 0);
  EXPECT_LT(compare("B  ", "a  "), 0);
  EXPECT_GT(compare("\xe9  ", "z  "), 0);
  EXPECT_EQ(compare("ABCx", "ABCy"), 0);  // beyond the key length
  const KeyOrder partial{KeyType::kCharacter, 2, false};
  EXPECT_EQ(partial.Compare(reinterpret_cast<const unsigned char*>("ABx"),
                            reinterpret_cast<const unsigned char*>("ABC")),
            0);
  const KeyOrder descending{KeyType::kCharacter, 3, true};
  EXPECT_GT(descending.Compare(reinterpret_cast<const unsigned char*>("ABC"),
                               reinterpret_cast<const unsigned char*>("ABD")),
            0);
}

TEST(IndexKeyTest, CharacterKeysOfOemTablesAreConverted) {
  EXPECT_EQ(CharacterKey("caf\xe9", false), "caf\xe9");
  EXPECT_EQ(CharacterKey("caf\xe9", true), "caf\x82");
}

TEST(IndexKeyTest, DateKeysAreLittleEndianDoubles) {
  const DateKeyBytes key = DateKey(2451545.0);  // 2000-01-01
  const DateKeyBytes expected = {0x00, 0x00, 0x00, 0x80, 0x2C, 0xB4, 0x42, 0x41};
  EXPECT_EQ(key, expected);
  EXPECT_EQ(DateKeyValue(key.data()), 2451545.0);
}

TEST(IndexKeyTest, DatesSortByDayWithTheBlankDateLast) {
  const KeyOrder order{KeyType::kDate, 8, false};
  const DateKeyBytes early = DateKey(1721426.0);
  const DateKeyBytes late = DateKey(5373484.0);
  const DateKeyBytes fraction = DateKey(1721426.5);
  const DateKeyBytes blank = DateKey(kBlankDateDay);
  EXPECT_LT(order.Compare(early.data(), fraction.data()), 0);
  EXPECT_LT(order.Compare(late.data(), blank.data()), 0);
  EXPECT_GT(order.Compare(blank.data(), early.data()), 0);
  EXPECT_EQ(order.Compare(blank.data(), DateKey(1e100).data()), 0);
  const KeyOrder descending{KeyType::kDate, 8, true};
  EXPECT_GT(descending.Compare(late.data(), blank.data()), 0);
}

}  // namespace
}  // namespace pw
