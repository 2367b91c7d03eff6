#include "dialogs/leading_number.h"

#include <gtest/gtest.h>

#include <limits>

namespace pw {
namespace {

TEST(LeadingNumberTest, TheLeadingDigitsCountAndTheRestIsIgnored) {
  EXPECT_EQ(LeadingWholeNumber("15x"), 15);
  EXPECT_EQ(LeadingWholeNumber("-3"), -3);
  EXPECT_EQ(LeadingWholeNumber("+7 min"), 7);
  EXPECT_EQ(LeadingWholeNumber("  42"), 42);
  EXPECT_EQ(LeadingWholeNumber("abc"), 0);
  EXPECT_EQ(LeadingWholeNumber(""), 0);
  EXPECT_EQ(LeadingWholeNumber("-"), 0);
  EXPECT_EQ(LeadingWholeNumber("1 2"), 1);
}

TEST(LeadingNumberTest, NumbersBeyondIntAreHeldAtItsLimits) {
  EXPECT_EQ(LeadingWholeNumber("99999999999999999999"), std::numeric_limits<int>::max());
  EXPECT_EQ(LeadingWholeNumber("-99999999999999999999"), std::numeric_limits<int>::min());
  EXPECT_EQ(LeadingWholeNumber("-2147483648"), std::numeric_limits<int>::min());
}

}  // namespace
}  // namespace pw
