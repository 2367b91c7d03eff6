// The six entries of the reminder kind list, built from the reminder's
// date; the entry's index is the ALARMTYPE the note stores.
#pragma once

#include <QDate>
#include <QLocale>
#include <QStringList>

namespace pw {

inline constexpr int kReminderKindCount = 6;

// "st", "nd", "rd" or "th" as English writes it after the day `day`
// (1st, 2nd, 3rd, 4th, 11th, 12th, 13th, 21st, 22nd, 23rd, 31st).
QString OrdinalSuffix(int day);

// Once on the date ("dddd, mmmm d, yyyy"), every day, every weekday, every
// week on its weekday, every month on its day, every year on its month and
// day; names in the long forms of `locale`.
QStringList ReminderKindEntries(QDate date, const QLocale& locale);

}  // namespace pw
