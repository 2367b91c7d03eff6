// Reading the time texts of a note record (ALARMTIME, EXPIRETIME,
// TIMEALMACT): the hour, ":" and the minute without leading zeros ("9:5" is
// 09:05), blank-padded in a 12-character field, seconds never stored.
#pragma once

#include <QStringView>

namespace pw {

// The hour and minute of a time text, and its seconds after midnight. The hour is the number before
// the first ":", the minute the number in the (at most) two characters after it; each number runs
// from its first digit (leading blanks skipped) to the first non-digit, and a piece without one
// reads 0. A text without ":" has an empty hour piece and takes its minute from its first two
// characters. So a blank text is midnight. Hours and minutes are not clamped: a text no dialog
// writes ("25:0") is simply never reached on its day.
struct TimeOfDay {
  int hour = 0;
  int minute = 0;
};
TimeOfDay HourAndMinuteOfTimeText(QStringView text);
int SecondsOfTimeText(QStringView text);

}  // namespace pw
