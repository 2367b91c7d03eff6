#include "dialogs/note_props_reminder_kinds.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(ReminderKindsTest, DaysTakeTheirEnglishOrdinalSuffix) {
  const std::pair<int, const char*> cases[] = {{1, "st"},  {2, "nd"},  {3, "rd"},  {4, "th"},
                                               {9, "th"},  {10, "th"}, {11, "th"}, {12, "th"},
                                               {13, "th"}, {20, "th"}, {21, "st"}, {22, "nd"},
                                               {23, "rd"}, {30, "th"}, {31, "st"}};
  for (const auto& [day, suffix] : cases) EXPECT_EQ(OrdinalSuffix(day), suffix) << day;
}

TEST(ReminderKindsTest, TheEntriesNameTheDateInTheLocalesLongNames) {
  const QLocale english(QLocale::English, QLocale::UnitedStates);
  EXPECT_EQ(ReminderKindEntries(QDate(2026, 12, 1), english),
            QStringList({"Tuesday, December 1, 2026", "Every Day", "Every Weekday", "Every Tuesday",
                         "Every Month on the 1st", "Every Year on December 1"}));
  const QLocale german(QLocale::German, QLocale::Germany);
  const QStringList entries = ReminderKindEntries(QDate(2027, 3, 13), german);
  ASSERT_EQ(entries.size(), kReminderKindCount);
  EXPECT_EQ(entries[3], "Every Samstag");
  EXPECT_EQ(entries[4], "Every Month on the 13th");
  EXPECT_EQ(entries[5], QString::fromUtf8("Every Year on M\u00e4rz 13"));
}

}  // namespace
}  // namespace pw
