#include "common/decimal_rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace pw {
namespace {

std::string Fixed(double value, int decimals) {
  return FixedDecimalText(value, decimals).value_or("none");
}

TEST(DecimalRounding, HalvesGoAwayFromZero) {
  EXPECT_EQ(Fixed(2.5, 0), "3");
  EXPECT_EQ(Fixed(-2.5, 0), "-3");
  EXPECT_EQ(Fixed(3.5, 0), "4");
  EXPECT_EQ(Fixed(-1.25, 1), "-1.3");
  EXPECT_EQ(Fixed(0.125, 2), "0.13");
  EXPECT_EQ(Fixed(0.5, 0), "1");
  EXPECT_EQ(Fixed(0.49999, 0), "0");
  EXPECT_EQ(Fixed(1234.5678, 3), "1234.568");
}

TEST(DecimalRounding, FifteenSignificantDigitsComeFirst) {
  // Each is stored a little below the half.
  EXPECT_EQ(Fixed(2.675, 2), "2.68");
  EXPECT_EQ(Fixed(1.005, 2), "1.01");
  EXPECT_EQ(Fixed(-8.345, 2), "-8.35");
  EXPECT_EQ(Fixed(0.1 + 0.2, 17), "0.30000000000000000");
  EXPECT_EQ(Fixed(9007199254740993.0, 0), "9007199254740990");
  EXPECT_EQ(Fixed(123456789012345678.0, 1), "123456789012346000.0");
}

TEST(DecimalRounding, ZerosCarriesAndExtremes) {
  EXPECT_EQ(Fixed(0.0, 2), "0.00");
  EXPECT_EQ(Fixed(-0.0, 0), "0");
  EXPECT_EQ(Fixed(-0.004, 2), "0.00");
  EXPECT_EQ(Fixed(-0.005, 2), "-0.01");
  EXPECT_EQ(Fixed(9.995, 2), "10.00");
  EXPECT_EQ(Fixed(999.5, 0), "1000");
  EXPECT_EQ(Fixed(1.5e-10, 2), "0.00");
  EXPECT_EQ(Fixed(4.9e-324, 0), "0");
  EXPECT_EQ(Fixed(1e20, 0), "100000000000000000000");
  EXPECT_EQ(Fixed(-7, -3), "-7");
  EXPECT_EQ(Fixed(1.25, 5), "1.25000");
  EXPECT_EQ(Fixed(std::numeric_limits<double>::max(), 0).size(), 309u);
  EXPECT_EQ(Fixed(std::nan(""), 2), "none");
  EXPECT_EQ(Fixed(-std::numeric_limits<double>::infinity(), 2), "none");
}

TEST(DecimalRounding, RoundToWholeSaturates) {
  EXPECT_EQ(RoundToWhole(2.5), 3);
  EXPECT_EQ(RoundToWhole(-2.5), -3);
  EXPECT_EQ(RoundToWhole(2.4999999999999996), 3);  // 2.50000000000000 in 15 digits
  EXPECT_EQ(RoundToWhole(4915112345678.0), 4915112345678);
  EXPECT_EQ(RoundToWhole(1e30), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(RoundToWhole(-1e30), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(RoundToWhole(std::nan("")), 0);
}

}  // namespace
}  // namespace pw
