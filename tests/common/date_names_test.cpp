#include "common/date_names.h"

#include "common/date_test_fixture.h"
#include "common/date_text.h"

namespace pw {
namespace {

using DateNamesTest = DateTest;

TEST_F(DateNamesTest, DayOfWeekOfKnownDates) {
  UseDates(0, true);
  EXPECT_EQ(DayOfWeekOf("01/01/2000"), 7);
  EXPECT_EQ(DayOfWeekOf("03/01/2024"), 6);
  EXPECT_EQ(DayOfWeekOf("03/03/2024"), 1);
  EXPECT_EQ(DayOfWeekOf("02/29/2024"), 5);
  EXPECT_EQ(DayOfWeekOf("12/31/1899"), 1);
}

TEST_F(DateNamesTest, DayOfWeekCompletesTwoDigitYear) {
  UseDates(2, false);
  EXPECT_EQ(DayOfWeekOf("01/01/00"), 7);
  EXPECT_EQ(DayOfWeekOf("01/01/60"), 6);  // 1 January 1960 was a Friday
}

TEST_F(DateNamesTest, DayOfWeekAdvancesThroughAWeek) {
  UseDates(0, true);
  for (int day = 3; day <= 9; ++day) {
    EXPECT_EQ(DayOfWeekOf(DateFrom(2024, 3, day)), day - 2);
  }
}

TEST_F(DateNamesTest, TodayWeekdayMatchesDayOfWeek) {
  UseDates(0, true);
  const TodayDate today = TodayParts();
  EXPECT_EQ(DayOfWeekOf(DateFrom(today.year, today.month, today.day)), today.weekday);
}

TEST_F(DateNamesTest, DayNamesHaveTheirTableWidth) {
  struct Case {
    int code;
    const char* sunday;
  };
  const Case cases[] = {
      {0, "Sunday   "},
      {1, "Sunday   "},
      {2, "Sunday   "},
      {3, "Domenica "},
      {4, "Dimanche"},
      {5, "Sonntag   "},
      {6, "Domingo  "},
      {7, "Dimanche"},
      // Voskresen'e in code page 866, 11 characters.
      {8, "\x82\xae\xe1\xaa\xe0\xa5\xe1\xa5\xad\xec\xa5"},
  };
  for (const Case& c : cases) {
    UseDates(c.code, true);
    EXPECT_EQ(DayNameOf(FromAmericanDate("03/03/2024")), c.sunday) << c.code;
  }
}

TEST_F(DateNamesTest, DayNamesRunSundayToSaturday) {
  UseDates(5, true);
  const char* german[] = {"Sonntag   ", "Montag    ", "Dienstag  ", "Mittwoch  ",
                          "Donnerstag", "Freitag   ", "Samstag   "};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(DayNameOf(DateFrom(2024, 3, 3 + i)), german[i]);
  UseDates(0, true);
  EXPECT_EQ(DayNameOf("03/06/2024"), "Wednesday");
  UseDates(6, true);
  EXPECT_EQ(DayNameOf("06.03.2024"), "Miercoles");
  UseDates(8, true);
  EXPECT_EQ(DayNameOf("09.03.2024"), "\x91\xe3\xa1\xa1\xae\xe2\xa0    ");  // Subbota
}

TEST_F(DateNamesTest, MonthNamesHaveTheirTableWidth) {
  struct Case {
    int code;
    int month;
    const char* name;
  };
  const Case cases[] = {
      {0, 9, "September"},
      {3, 3, "Marzo    "},
      {4, 2, "F\x82vrier  "},
      {7, 8, "Ao\x96t     "},
      {4, 12,
       "D\x82"
       "cembre "},
      {5, 3, "M\x84rz     "},
      {6, 9, "Septiembre"},
      {6, 1, "Enero     "},
      {1, 5, "May      "},
      // Sentyabr' and Mai in code page 866, 8 characters.
      {8, 9, "\x91\xa5\xad\xe2\xef\xa1\xe0\xec"},
      {8, 5, "\x8c\xa0\xa9     "},
  };
  for (const Case& c : cases) {
    UseDates(c.code, false);
    EXPECT_EQ(MonthNameOf(DateFrom(24, c.month, 1)), c.name) << c.code << " " << c.month;
  }
}

TEST_F(DateNamesTest, EveryNameHasItsWidthInEveryCode) {
  const std::size_t dayWidth[] = {9, 9, 9, 9, 8, 10, 9, 8, 11};
  const std::size_t monthWidth[] = {9, 9, 9, 9, 9, 9, 10, 9, 8};
  for (int code = 0; code <= 8; ++code) {
    UseDates(code, true);
    for (int day = 3; day <= 9; ++day) {
      const std::string name = DayNameOf(DateFrom(2024, 3, day));
      EXPECT_EQ(name.size(), dayWidth[code]) << code;
      EXPECT_NE(name.front(), ' ') << code;
    }
    for (int month = 1; month <= 12; ++month) {
      const std::string name = MonthNameOf(DateFrom(2024, month, 1));
      EXPECT_EQ(name.size(), monthWidth[code]) << code;
      EXPECT_NE(name.front(), ' ') << code;
    }
  }
}

TEST_F(DateNamesTest, BlankDateHasBlankNames) {
  UseDates(5, false);
  EXPECT_EQ(DayNameOf("  .  .  "), std::string(10, ' '));
  EXPECT_EQ(MonthNameOf("  .  .  "), std::string(9, ' '));
  EXPECT_EQ(DayNameOf(""), std::string(10, ' '));
  EXPECT_EQ(MonthNameOf(""), std::string(9, ' '));
}

TEST_F(DateNamesTest, MonthOutOfRangeHasBlankName) {
  UseDates(0, false);
  EXPECT_EQ(MonthNameOf("13/01/24"), std::string(9, ' '));
  EXPECT_EQ(MonthNameOf("00/01/24"), std::string(9, ' '));
}

}  // namespace
}  // namespace pw
