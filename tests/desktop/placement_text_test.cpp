#include "desktop/placement_text.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(PlacementTextTest, WritesTenNumbersWithoutBlanks) {
  PlacementRecord record;
  record.left = 120;
  record.top = 80;
  record.right = 760;
  record.bottom = 520;
  EXPECT_EQ(FormatPlacement(record), "0,1,-1,-1,-1,-1,120,80,760,520");
}

TEST(PlacementTextTest, WrittenTextIsCutTo40Characters) {
  PlacementRecord record;
  record.showCommand = PlacementRecord::kShowMaximized;
  record.left = -1000000;
  record.top = -2000000;
  record.right = 3000000;
  record.bottom = 4000000;
  const std::string text = FormatPlacement(record);
  EXPECT_EQ(text, std::string("0,3,-1,-1,-1,-1,-1000000,-2000000,3000000,4000000").substr(0, 40));
}

TEST(PlacementTextTest, ReadsTheNumbersBack) {
  const PlacementRecord record = ParsePlacement("2,3,-1,-2,-3,-4,120,80,760,520");
  EXPECT_EQ(record.flags, 2);
  EXPECT_EQ(record.showCommand, 3);
  EXPECT_EQ(record.minimizedX, -1);
  EXPECT_EQ(record.minimizedY, -2);
  EXPECT_EQ(record.maximizedX, -3);
  EXPECT_EQ(record.maximizedY, -4);
  EXPECT_EQ(record.NormalRect(), QRect(120, 80, 640, 440));
}

TEST(PlacementTextTest, NonNumericNumbersReadAsZero) {
  const PlacementRecord record = ParsePlacement("x,1,,-1,-1,-1,1y0,80,760,520");
  EXPECT_EQ(record.flags, 0);
  EXPECT_EQ(record.showCommand, 1);
  EXPECT_EQ(record.minimizedY, -1);
  EXPECT_EQ(record.left, 0);
  EXPECT_EQ(record.top, 80);
}

TEST(PlacementTextTest, AfterAMissingCommaEveryNumberReadsAsZero) {
  const PlacementRecord record = ParsePlacement("0,1,-1,-1,-1,-1,120 80 760 520");
  EXPECT_EQ(record.maximizedY, -1);
  EXPECT_EQ(record.left, 0);
  EXPECT_EQ(record.top, 0);
  EXPECT_EQ(record.right, 0);
  EXPECT_EQ(record.bottom, 0);
}

TEST(PlacementTextTest, ReadTextIsCutTo40CharactersAndTheLastNumberTo10) {
  // 41 characters: the last digit of the bottom is lost.
  const PlacementRecord cut = ParsePlacement("0,1,-1,-1,-1,-1,10000,20000,3000000,45678");
  EXPECT_EQ(cut.right, 3000000);
  EXPECT_EQ(cut.bottom, 4567);
  // The cut leaves the right without its comma: it and the bottom read 0.
  const PlacementRecord noComma = ParsePlacement("0,1,-1,-1,-1,-1,1000000000,2000000000,30");
  EXPECT_EQ(noComma.top, 2000000000);
  EXPECT_EQ(noComma.right, 0);
  EXPECT_EQ(noComma.bottom, 0);
  // Only the first ten characters after the ninth comma count.
  EXPECT_EQ(ParsePlacement("0,1,2,3,4,5,6,7,8,12345678901").bottom, 1234567890);
  EXPECT_EQ(ParsePlacement("0,1,2,3,4,5,6,7,8,5,6").bottom, 0);
}

TEST(PlacementTextTest, MinimizedWindowReturnsToMaximizedOnlyWithItsFlag) {
  EXPECT_TRUE(ParsePlacement("0,3,-1,-1,-1,-1,1,1,9,9").OpensMaximized());
  EXPECT_TRUE(ParsePlacement("2,2,-1,-1,-1,-1,1,1,9,9").OpensMaximized());
  EXPECT_FALSE(ParsePlacement("0,2,-1,-1,-1,-1,1,1,9,9").OpensMaximized());
  EXPECT_FALSE(ParsePlacement("0,1,-1,-1,-1,-1,1,1,9,9").OpensMaximized());
}

}  // namespace
}  // namespace pw
