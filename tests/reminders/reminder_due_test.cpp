// When reminders are due and notes expire, on a clock the tests set: the
// recurrence kinds day by day, the time of day, the "already fired" test,
// and the reading of time texts.
#include <gtest/gtest.h>

#include <QList>

#include "reminders/note_expiry.h"
#include "reminders/reminder_due.h"
#include "reminders/time_text.h"

namespace pw {
namespace {

QDateTime At(QDate day, int hour, int minute, int second = 0) {
  return QDateTime(day, QTime(hour, minute, second));
}

// The days from `first` to `last` on which `reminder` is due at noon, when
// it never fired before.
QList<QDate> DueDays(const ReminderFields& reminder, QDate first, QDate last) {
  QList<QDate> due;
  for (QDate day = first; day <= last; day = day.addDays(1)) {
    if (ReminderIsDue(reminder, At(day, 12, 0))) due << day;
  }
  return due;
}

ReminderFields Reminder(int kind, QDate alarmDate, const char* time = "9:0") {
  return {.active = true,
          .kind = kind,
          .alarmDate = alarmDate,
          .alarmTime = time,
          .firedDate = QDate(),
          .firedTime = QString()};
}

TEST(ReminderDueTest, MonthlyOnThe31stSkipsShorterMonths) {
  const ReminderFields monthly = Reminder(kReminderEveryMonth, QDate(2025, 10, 31));
  EXPECT_EQ(DueDays(monthly, QDate(2026, 1, 1), QDate(2026, 4, 30)),
            QList<QDate>({QDate(2026, 1, 31), QDate(2026, 3, 31)}));
  EXPECT_EQ(DueDays(monthly, QDate(2026, 6, 1), QDate(2026, 6, 30)), QList<QDate>());
  EXPECT_EQ(DueDays(monthly, QDate(2026, 9, 1), QDate(2026, 9, 30)), QList<QDate>());
  EXPECT_EQ(DueDays(monthly, QDate(2026, 11, 1), QDate(2026, 11, 30)), QList<QDate>());
}

TEST(ReminderDueTest, YearlyOn29FebruaryOnlyInLeapYears) {
  const ReminderFields yearly = Reminder(kReminderEveryYear, QDate(2024, 2, 29));
  QList<QDate> due;
  for (int year = 2024; year <= 2032; ++year) {
    due << DueDays(yearly, QDate(year, 2, 27), QDate(year, 3, 2));
  }
  EXPECT_EQ(due, QList<QDate>({QDate(2024, 2, 29), QDate(2028, 2, 29), QDate(2032, 2, 29)}));
}

TEST(ReminderDueTest, WeeklyFiresOnTheWeekdayOfItsDate) {
  const QDate thursday(2026, 1, 1);
  ASSERT_EQ(WeekdayNumber(thursday), 5);
  const QList<QDate> due =
      DueDays(Reminder(kReminderEveryWeek, thursday), QDate(2026, 3, 1), QDate(2026, 3, 31));
  EXPECT_EQ(due, QList<QDate>({QDate(2026, 3, 5), QDate(2026, 3, 12), QDate(2026, 3, 19),
                               QDate(2026, 3, 26)}));
}

TEST(ReminderDueTest, EveryWeekdayIsMondayToFridayAndDailyOnThoseDays) {
  // 2026-03-02 is a Monday.
  const ReminderFields weekdays = Reminder(kReminderEveryWeekday, QDate(2026, 3, 7));
  EXPECT_EQ(DueDays(weekdays, QDate(2026, 3, 1), QDate(2026, 3, 8)),
            QList<QDate>({QDate(2026, 3, 2), QDate(2026, 3, 3), QDate(2026, 3, 4),
                          QDate(2026, 3, 5), QDate(2026, 3, 6)}));
  EXPECT_EQ(
      DueDays(Reminder(kReminderEveryDay, QDate()), QDate(2026, 3, 1), QDate(2026, 3, 8)).size(),
      8);
}

TEST(ReminderDueTest, OneTimeReminderFiresOnItsDayOnlyAndNeverWhenPast) {
  const QDate today(2026, 5, 14);
  // Set for 09:00, the program started at 10:00: due at the first pass.
  EXPECT_TRUE(ReminderIsDue(Reminder(kReminderOnce, today), At(today, 10, 1)));
  EXPECT_FALSE(ReminderIsDue(Reminder(kReminderOnce, today), At(today, 8, 59, 59)));
  EXPECT_FALSE(ReminderIsDue(Reminder(kReminderOnce, today.addDays(-1)), At(today, 10, 0)));
  // An unknown kind is a one-time reminder.
  EXPECT_EQ(DueDays(Reminder(9, today), today.addDays(-3), today.addDays(3)),
            QList<QDate>({today}));
  // A date that is none is never today.
  EXPECT_FALSE(ReminderIsDue(Reminder(kReminderOnce, QDate()), At(today, 10, 0)));
  ReminderFields inactive = Reminder(kReminderEveryDay, today);
  inactive.active = false;
  EXPECT_FALSE(ReminderIsDue(inactive, At(today, 10, 0)));
}

TEST(ReminderDueTest, FiresOncePerDayAndTimeAndAgainAtANewTime) {
  const QDate today(2026, 5, 14);
  ReminderFields daily = Reminder(kReminderEveryDay, QDate(2026, 1, 1));
  ASSERT_TRUE(ReminderIsDue(daily, At(today, 9, 0)));
  daily.firedDate = today;
  daily.firedTime = "9:0         ";
  EXPECT_FALSE(ReminderIsDue(daily, At(today, 9, 1)));
  EXPECT_TRUE(ReminderIsDue(daily, At(today.addDays(1), 9, 0)));

  daily.alarmTime = "9:30";
  EXPECT_FALSE(ReminderIsDue(daily, At(today, 9, 29, 59)));
  ASSERT_TRUE(ReminderIsDue(daily, At(today, 9, 30)));
  daily.firedTime = "9:30";
  daily.alarmTime = "9:0";
  // TIMEALMACT holds 9:30, so 9:0 rings once more.
  EXPECT_TRUE(ReminderIsDue(daily, At(today, 9, 31)));
}

TEST(ReminderDueTest, TimeTextsReadAsHourAndMinute) {
  EXPECT_EQ(SecondsOfTimeText(u"9:5"), 9 * 3600 + 5 * 60);
  EXPECT_NE(SecondsOfTimeText(u"9:5"), SecondsOfTimeText(u"9:50"));
  EXPECT_EQ(SecondsOfTimeText(u" 7:3        "), 7 * 3600 + 3 * 60);
  EXPECT_EQ(SecondsOfTimeText(u"14:305"), 14 * 3600 + 30 * 60);
  EXPECT_EQ(SecondsOfTimeText(u"            "), 0);
  EXPECT_EQ(SecondsOfTimeText(u"x:y"), 0);
  // Without ":" the hour piece is empty and the minute is the first two
  // characters.
  EXPECT_EQ(SecondsOfTimeText(u"45"), 45 * 60);
  EXPECT_EQ(SecondsOfTimeText(u"930"), 93 * 60);

  const QDate today(2026, 5, 14);
  const ReminderFields at905 = Reminder(kReminderOnce, today, "9:5");
  EXPECT_FALSE(ReminderIsDue(at905, At(today, 9, 4, 59)));
  EXPECT_TRUE(ReminderIsDue(at905, At(today, 9, 5)));
  // A blank time is midnight: due from the first pass of the day.
  EXPECT_TRUE(ReminderIsDue(Reminder(kReminderEveryDay, today, ""), At(today, 0, 0)));
}

TEST(NoteExpiryTest, ExpiresOnItsDayAtItsTimeOrEveryDayOrOnceItsDayHasPassed) {
  const QDate today(2026, 5, 14);
  const auto note = [](QDate date, int type, const char* time) {
    return ExpiryFields{
        .expires = true, .expireDate = date.toString("yyyyMMdd"), .type = type, .expireTime = time};
  };
  EXPECT_FALSE(NoteIsExpired(note(today, 1, "14:0"), At(today, 13, 59, 59)));
  EXPECT_TRUE(NoteIsExpired(note(today, 1, "14:0"), At(today, 14, 0)));
  EXPECT_FALSE(NoteIsExpired(note(today.addDays(3), 1, "0:0"), At(today, 23, 59)));
  // Every day: today at its time, although its date lies ahead.
  EXPECT_FALSE(NoteIsExpired(note(today.addDays(3), 2, "14:0"), At(today, 13, 59)));
  EXPECT_TRUE(NoteIsExpired(note(today.addDays(3), 2, "14:0"), At(today, 14, 0)));
  EXPECT_TRUE(NoteIsExpired(note(today.addDays(-1), 1, "23:59"), At(today, 0, 0)));
  ExpiryFields never = note(today.addDays(-1), 1, "0:0");
  never.expires = false;
  EXPECT_FALSE(NoteIsExpired(never, At(today, 12, 0)));
}

}  // namespace
}  // namespace pw
