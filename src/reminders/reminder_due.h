// When a note's reminder is due: the six recurrence kinds of ALARMTYPE, the
// time of day, and the "already fired" test on DATEALMACT and TIMEALMACT.
// Pure: the caller reads the record and the clock.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

namespace pw {

// ALARMTYPE values.
enum ReminderKind {
  kReminderOnce = 0,
  kReminderEveryDay = 1,
  kReminderEveryWeekday = 2,
  kReminderEveryWeek = 3,
  kReminderEveryMonth = 4,
  kReminderEveryYear = 5,
};

// The fields of a note record that decide its reminder. A date field that
// is blank or holds no valid date is an invalid QDate, a day that is never
// today.
struct ReminderFields {
  bool active = false;  // ALARMACT is "Y"
  int kind = kReminderOnce;
  QDate alarmDate;
  QString alarmTime;  // time text
  QDate firedDate;    // DATEALMACT
  QString firedTime;  // TIMEALMACT: the ALARMTIME text in force then
};

// Weekdays numbered 1 = Sunday to 7 = Saturday.
int WeekdayNumber(QDate date);
// The day test of "Every Weekday": Monday to Friday (2 to 6), whatever the
// weekday of ALARMDATE. On those days the reminder behaves as "Every Day".
bool EveryWeekdayFallsOn(int alarmWeekday, int todayWeekday);

// Due when today is the reminder's day, the time of day (seconds included)
// is at or after ALARMTIME, and it has not fired on that day at that
// ALARMTIME. Days the program did not run are not caught up, and a one-time
// reminder whose day has passed never fires.
bool ReminderIsDue(const ReminderFields& reminder, const QDateTime& now);

}  // namespace pw
