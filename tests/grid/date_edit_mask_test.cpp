// The date mask by format code and century switch.
#include <gtest/gtest.h>

#include "grid/date_edit_mask.h"

namespace pw {
namespace {

TEST(DateEditMaskTest, FollowsCenturyAndPutsTheYearFirstForCodeOne) {
  EXPECT_EQ(DateEditMask(0, false), "99/99/99;1; ");
  EXPECT_EQ(DateEditMask(0, true), "99/99/9999;1; ");
  EXPECT_EQ(DateEditMask(4, true), "99/99/9999;1; ");
  EXPECT_EQ(DateEditMask(1, true), "9999/99/99;1; ");
  EXPECT_EQ(DateEditMask(1, false), "99/99/99;1; ");
  EXPECT_EQ(InputMaskOf("99/99/9999;1; "), "99/99/9999; ");
  EXPECT_EQ(InputMaskOf("99-99;0;_"), "99-99;_");
  EXPECT_EQ(InputMaskOf("99-99"), "99-99; ");
}

}  // namespace
}  // namespace pw
