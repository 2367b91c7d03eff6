// Day numbers and the date functions under the date format codes and the
// century switch.
#include <ctime>
#include <string>

#include "common/date_settings.h"
#include "expr_test_support.h"

namespace pw::testing {
namespace {

using ExprDateFunctions = ExprTest;

TEST_F(ExprDateFunctions, DayNumbersAreJulianDayNumbers) {
  OpenNotes();
  EXPECT_EQ(DateValue("CTOD('01/01/0001')"), 1721426);
  EXPECT_EQ(DateValue("CTOD('01/01/2000')"), 2451545);
  EXPECT_EQ(DateValue("CTOD('12/31/9999')"), 5373484);
  EXPECT_EQ(DateValue("CTOD('03/01/2024')") - DateValue("CTOD('02/28/2024')"), 2);
  EXPECT_EQ(DateValue("CTOD('03/01/1900')") - DateValue("CTOD('02/28/1900')"), 1);
  EXPECT_EQ(Text("DTOS(CTOD('12/31/9999'))"), "99991231");
  EXPECT_EQ(Text("DTOS(CTOD('01/01/0001'))"), "00010101");
  EXPECT_EQ(Text("DTOS(CTOD('02/29/2000'))"), "20000229");
}

TEST_F(ExprDateFunctions, ImpossibleDatesAreTheBlankDate) {
  OpenNotes();
  EXPECT_EQ(DateValue("CTOD('02/30/24')"), 1e100);
  EXPECT_EQ(Text("DTOS(CTOD('02/30/24'))"), "        ");
  EXPECT_EQ(DateValue("CTOD('13/01/2024')"), 1e100);
  EXPECT_EQ(DateValue("CTOD('02/29/2023')"), 1e100);
  EXPECT_EQ(DateValue("CTOD('')"), 1e100);
  EXPECT_EQ(DateValue("CTOD('hello')"), 1e100);
  EXPECT_EQ(Text("DTOS(CTOD('01/01/0001') - 1)"), "        ");
  EXPECT_EQ(Text("DTOS(CTOD('12/31/9999') + 0.5)"), "        ");
  EXPECT_EQ(Text("DTOC(CTOD('02/30/24'))"), "  /  /  ");
}

TEST_F(ExprDateFunctions, CtodReadsTheCurrentLayoutWithFourDigitYears) {
  OpenNotes();
  // Two-digit years are completed by the century rule (epoch year 1954 here).
  CurrentDateSettings().epochYear = 1954;
  EXPECT_EQ(Text("DTOS(CTOD('3/7/24'))"), "20240307");
  EXPECT_EQ(Text("DTOS(CTOD('3/7/60'))"), "19600307");
  SetDateType(5);
  EXPECT_EQ(Text("DTOS(CTOD('07.03.2024'))"), "20240307");
  SetDateType(1);
  EXPECT_EQ(Text("DTOS(CTOD('2024.03.07'))"), "20240307");
  EXPECT_FALSE(CurrentDateSettings().century);  // restored after CTOD
}

TEST_F(ExprDateFunctions, DtocFollowsTheFormatCodeAndCenturySwitch) {
  OpenNotes();
  const std::string created = "DTOC(DATECREATE)";
  SetDateType(0);
  EXPECT_EQ(Text(created), "03/07/24");
  SetDateType(1);
  EXPECT_EQ(Text(created), "24.03.07");
  SetDateType(2);
  EXPECT_EQ(Text(created), "07/03/24");
  SetDateType(3);
  EXPECT_EQ(Text(created), "07-03-24");
  SetDateType(5);
  EXPECT_EQ(Text(created), "07.03.24");
  CurrentDateSettings().century = true;
  SetDateType(5);
  EXPECT_EQ(Text(created), "07.03.2024");
  SetDateType(0);
  EXPECT_EQ(Text(created), "03/07/2024");
  EXPECT_EQ(Text("DTOC(CTOD('02/30/2024'))"), "  /  /    ");
}

TEST_F(ExprDateFunctions, PartsAndNamesReadTheDtocText) {
  OpenNotes();
  SetDateType(0);
  EXPECT_EQ(Number("DAY(DATECREATE)"), 7);
  EXPECT_EQ(Number("MONTH(DATECREATE)"), 3);
  EXPECT_EQ(Number("YEAR(DATECREATE)"), 24);  // two digits with the century switch off
  EXPECT_EQ(Number("DOW(DATECREATE)"), 5);    // a Thursday
  EXPECT_EQ(Number("DOW(DATE)"), 7);          // 2000-01-01, a Saturday
  EXPECT_EQ(Text("CDOW(DATECREATE)"), "Thursday ");
  EXPECT_EQ(Text("CMONTH(DATECREATE)"), "March    ");
  CurrentDateSettings().century = true;
  SetDateType(5);
  EXPECT_EQ(Number("YEAR(DATECREATE)"), 2024);
  EXPECT_EQ(Number("DAY(DATECREATE)"), 7);
  EXPECT_EQ(Text("CDOW(DATECREATE + 3)"), "Sonntag   ");
  EXPECT_EQ(Text("CDOW(CTOD(''))"), std::string(10, ' '));
}

TEST_F(ExprDateFunctions, DateIsTodayAndTomorrowIsOneMore) {
  OpenNotes();
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  local.tm_mday += 1;
  local.tm_hour = 12;
  std::mktime(&local);
  char tomorrow[9];
  std::strftime(tomorrow, sizeof tomorrow, "%Y%m%d", &local);
  const std::string result = Text("DTOS(DATE() + 1)");
  // Around midnight the clock may move on between the two readings.
  if (result != tomorrow) GTEST_SKIP() << "the day changed during the test";
  EXPECT_EQ(result, tomorrow);
}

}  // namespace
}  // namespace pw::testing
