#include "dialogs/note_props_reminder_kinds.h"

namespace pw {

QString OrdinalSuffix(int day) {
  // The teens all take "th": 11th, 12th, 13th.
  if (day % 100 >= 11 && day % 100 <= 13) return QStringLiteral("th");
  switch (day % 10) {
    case 1:
      return QStringLiteral("st");
    case 2:
      return QStringLiteral("nd");
    case 3:
      return QStringLiteral("rd");
    default:
      return QStringLiteral("th");
  }
}

QStringList ReminderKindEntries(QDate date, const QLocale& locale) {
  return {locale.toString(date, QStringLiteral("dddd, MMMM d, yyyy")),
          QStringLiteral("Every Day"),
          QStringLiteral("Every Weekday"),
          QStringLiteral("Every ") + locale.dayName(date.dayOfWeek(), QLocale::LongFormat),
          QStringLiteral("Every Month on the %1%2").arg(date.day()).arg(OrdinalSuffix(date.day())),
          QStringLiteral("Every Year on ") + locale.toString(date, QStringLiteral("MMMM d"))};
}

}  // namespace pw
