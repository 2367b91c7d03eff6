// Colours, times of day and dates as note records hold them.
#include <gtest/gtest.h>

#include "app/record/note_values.h"

namespace pw {
namespace {

TEST(NoteValuesTest, WindowsColourValuesHoldBlueGreenRedFromTheHighByteDown) {
  EXPECT_EQ(ColorOfWindowsValue(10092543), QColor(0xFF, 0xFF, 0x99));
  EXPECT_EQ(ColorOfWindowsValue(0x0000FF), QColor(Qt::red));
  EXPECT_EQ(WindowsValueOfColor(QColor(0x12, 0x34, 0x56)), 0x563412);
  EXPECT_EQ(WindowsValueOfColor(ColorOfWindowsValue(0xABCDEF)), 0xABCDEF);
}

TEST(NoteValuesTest, TimeTextsHaveNoLeadingZerosAndNoSeconds) {
  EXPECT_EQ(TimeText(QTime(9, 5, 42)), "9:5");
  EXPECT_EQ(TimeText(QTime(14, 30)), "14:30");
  EXPECT_EQ(TimeText(QTime(0, 0)), "0:0");
}

TEST(NoteValuesTest, TimeTextsReadBackLeniently) {
  EXPECT_EQ(TimeOfText("7:3"), QTime(7, 3));
  EXPECT_EQ(TimeOfText("12:0"), QTime(12, 0));
  EXPECT_EQ(TimeOfText("14:30       "), QTime(14, 30));
  EXPECT_EQ(TimeOfText("  9: 5"), QTime(9, 5));
  EXPECT_EQ(TimeOfText("08:07"), QTime(8, 7));
  // Only two characters after the colon make the minute.
  EXPECT_EQ(TimeOfText("10:456"), QTime(10, 45));
  EXPECT_EQ(TimeOfText(""), QTime(0, 0));
  EXPECT_EQ(TimeOfText("            "), QTime(0, 0));
  // Without ":" the first two characters are the minute.
  EXPECT_EQ(TimeOfText("15"), QTime(0, 15));
  EXPECT_EQ(TimeOfText(":30"), QTime(0, 30));
  EXPECT_EQ(TimeOfText("x:y"), QTime(0, 0));
  EXPECT_EQ(TimeOfText("99:99"), QTime(23, 59));
}

TEST(NoteValuesTest, DateTextsRoundTripAndBadOnesAreNoDate) {
  for (const QDate date : {QDate(2024, 2, 29), QDate(1999, 12, 31), QDate(2030, 1, 1)}) {
    EXPECT_EQ(DateOfText(DateText(date)), date) << date.toString().toStdString();
  }
  EXPECT_FALSE(DateOfText("").isValid());
  EXPECT_FALSE(DateOfText("  /  /    ").isValid());
  EXPECT_FALSE(DateOfText("13/45/2024").isValid());
  EXPECT_FALSE(DateOfText("garbage").isValid());
  EXPECT_TRUE(DateText(QDate()).isEmpty());
}

}  // namespace
}  // namespace pw
