#include "reminders/reminder_due.h"

#include <optional>

#include "reminders/time_text.h"

namespace pw {
namespace {

constexpr int kMonday = 2;
constexpr int kFriday = 6;

// The reminder's day when today can be one, else nothing.
std::optional<QDate> ReminderDay(const ReminderFields& reminder, QDate today) {
  const QDate& anchor = reminder.alarmDate;
  switch (reminder.kind) {
    case kReminderEveryDay:
      return today;
    case kReminderEveryWeekday:
      if (!EveryWeekdayFallsOn(WeekdayNumber(anchor), WeekdayNumber(today))) return std::nullopt;
      return today;
    case kReminderEveryWeek:
      if (!anchor.isValid() || anchor.dayOfWeek() != today.dayOfWeek()) return std::nullopt;
      return today;
    case kReminderEveryMonth:
      // No shift at a month's end: the 31st has no day in a month of 30.
      if (!anchor.isValid() || anchor.day() != today.day()) return std::nullopt;
      return today;
    case kReminderEveryYear:
      if (!anchor.isValid() || anchor.month() != today.month() || anchor.day() != today.day())
        return std::nullopt;
      return today;
    default:
      return anchor;
  }
}

}  // namespace

int WeekdayNumber(QDate date) {
  // Qt counts 1 = Monday to 7 = Sunday.
  return date.isValid() ? date.dayOfWeek() % 7 + 1 : 0;
}

bool EveryWeekdayFallsOn(int /*alarmWeekday*/, int todayWeekday) {
  return todayWeekday >= kMonday && todayWeekday <= kFriday;
}

bool ReminderIsDue(const ReminderFields& reminder, const QDateTime& now) {
  if (!reminder.active) return false;
  const QDate today = now.date();
  const std::optional<QDate> day = ReminderDay(reminder, today);
  if (!day || !day->isValid() || *day != today) return false;
  const int time = SecondsOfTimeText(reminder.alarmTime);
  if (now.time().msecsSinceStartOfDay() / 1000 < time) return false;
  const bool firedAlready =
      reminder.firedDate == *day && SecondsOfTimeText(reminder.firedTime) == time;
  return !firedAlready;
}

}  // namespace pw
