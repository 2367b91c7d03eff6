#include "common/date_test_fixture.h"
#include "common/date_text.h"

namespace pw {
namespace {

using DateLayoutTest = DateTest;

TEST_F(DateLayoutTest, BlankDateTextOfEveryCodeWithTwoDigitYears) {
  UseDates(0, false);
  const char* expected[] = {"  /  /  ", "  .  .  ", "  /  /  ", "  -  -  ", "  .  .  ",
                            "  .  .  ", "  .  .  ", "  .  .  ", "  .  .  "};
  for (int code = 0; code <= 8; ++code) EXPECT_EQ(BlankDateText(code), expected[code]) << code;
}

TEST_F(DateLayoutTest, BlankDateTextOfEveryCodeWithCentury) {
  UseDates(0, true);
  const char* expected[] = {"  /  /    ", "    .  .  ", "  /  /    ", "  -  -    ", "  .  .    ",
                            "  .  .    ", "  .  .    ", "  .  .    ", "  .  .    "};
  for (int code = 0; code <= 8; ++code) EXPECT_EQ(BlankDateText(code), expected[code]) << code;
}

TEST_F(DateLayoutTest, ToAmericanPadsPiecesOfAmericanText) {
  UseDates(0, false);
  EXPECT_EQ(ToAmericanDate("3/7/24"), "03/07/24");
  EXPECT_EQ(ToAmericanDate(" 3 / 7 /24"), "03/07/24");
}

TEST_F(DateLayoutTest, ToAmericanReordersPiecesByCode) {
  UseDates(2, false);
  EXPECT_EQ(ToAmericanDate("07/03/24"), "03/07/24");
  UseDates(1, false);
  EXPECT_EQ(ToAmericanDate("24.03.07"), "03/07/24");
  UseDates(5, false);
  EXPECT_EQ(ToAmericanDate("07.03.24"), "03/07/24");
  UseDates(3, false);
  EXPECT_EQ(ToAmericanDate("07-03-24"), "03/07/24");
}

TEST_F(DateLayoutTest, YearFirstWithSlashesAndUsWithDashes) {
  UseDates(9, false);
  EXPECT_EQ(CurrentDateSettings().shortDatePattern, "yy/MM/dd");
  EXPECT_EQ(BlankDateText(9), "  /  /  ");
  EXPECT_EQ(ToAmericanDate("24/03/07"), "03/07/24");
  EXPECT_EQ(FromAmericanDate("03/07/24"), "24/03/07");
  UseDates(9, true);
  EXPECT_EQ(BlankDateText(9), "    /  /  ");
  EXPECT_EQ(FromAmericanDate("03/07/24"), "2024/03/07");
  UseDates(10, false);
  EXPECT_EQ(CurrentDateSettings().dateSeparator, '-');
  EXPECT_EQ(ToAmericanDate("03-07-24"), "03/07/24");
  EXPECT_EQ(FromAmericanDate("03/07/24"), "03-07-24");
  EXPECT_EQ(DateToSortText("12-31-99"), "19991231");
}

TEST_F(DateLayoutTest, ToAmericanCompletesYearWithCentury) {
  UseDates(0, true);
  EXPECT_EQ(ToAmericanDate("3/7/24"), "03/07/2024");
  EXPECT_EQ(ToAmericanDate("3/7/5"), "03/07/2005");
  EXPECT_EQ(ToAmericanDate("3/7/60"), "03/07/1960");
  EXPECT_EQ(ToAmericanDate("3/7/1899"), "03/07/1899");
}

TEST_F(DateLayoutTest, ToAmericanKeepsTextWithoutSeparator) {
  UseDates(0, false);
  EXPECT_EQ(ToAmericanDate("20240307"), "20240307");
  EXPECT_EQ(ToAmericanDate(""), "");
}

TEST_F(DateLayoutTest, ToAmericanPrefersSlashThenDashThenDot) {
  UseDates(0, false);
  // The slash wins: the dot stays inside the second piece.
  EXPECT_EQ(ToAmericanDate("3.1/7/24"), "3.1/07/24");
  EXPECT_EQ(ToAmericanDate("3-7-24"), "03/07/24");
  EXPECT_EQ(ToAmericanDate("3.7.24"), "03/07/24");
}

TEST_F(DateLayoutTest, ToAmericanReadsAtMostTenCharactersAndStopsAtNul) {
  UseDates(0, false);
  EXPECT_EQ(ToAmericanDate("03/07/2024999"), "03/07/2024");
  EXPECT_EQ(ToAmericanDate(std::string("03/07/24\0/9", 11)), "03/07/24");
}

TEST_F(DateLayoutTest, ToAmericanOfBlankTextIsAmericanBlank) {
  UseDates(5, false);
  EXPECT_EQ(ToAmericanDate("  .  .  "), "  /  /  ");
  UseDates(1, true);
  EXPECT_EQ(ToAmericanDate("    .  .  "), "  /  /    ");
}

TEST_F(DateLayoutTest, FromAmericanWritesLayoutOfCode) {
  struct Case {
    int code;
    const char* expected;
  };
  const Case cases[] = {{0, "03/07/24"}, {1, "24.03.07"}, {2, "07/03/24"},
                        {3, "07-03-24"}, {5, "07.03.24"}, {8, "07.03.24"}};
  for (const Case& c : cases) {
    UseDates(c.code, false);
    EXPECT_EQ(FromAmericanDate("03/07/24"), c.expected) << c.code;
  }
}

TEST_F(DateLayoutTest, FromAmericanPadsAndNormalisesYear) {
  UseDates(5, true);
  EXPECT_EQ(FromAmericanDate("3/7/24"), "07.03.2024");
  UseDates(5, false);
  EXPECT_EQ(FromAmericanDate("3/7/2024"), "07.03.2024");
}

TEST_F(DateLayoutTest, FromAmericanOfBlankIsBlankOfCode) {
  UseDates(3, false);
  EXPECT_EQ(FromAmericanDate("  /  /  "), "  -  -  ");
  UseDates(1, true);
  EXPECT_EQ(FromAmericanDate("  /  /    "), "    .  .  ");
}

TEST_F(DateLayoutTest, ConversionsRoundTripInEveryCode) {
  for (int code = 0; code <= 8; ++code) {
    for (bool century : {false, true}) {
      UseDates(code, century);
      const std::string american = century ? "12/31/1999" : "12/31/99";
      EXPECT_EQ(ToAmericanDate(FromAmericanDate(american)), american) << code;
    }
  }
}

}  // namespace
}  // namespace pw
