#include "app/record/note_values.h"

#include <algorithm>
#include <string>

#include "common/date_text.h"
#include "reminders/time_text.h"

namespace pw {

QString TimeText(QTime time) {
  return QStringLiteral("%1:%2").arg(time.hour()).arg(time.minute());
}

QTime TimeOfText(const QString& text) {
  const TimeOfDay time = HourAndMinuteOfTimeText(text);
  return QTime(std::min(time.hour, 23), std::min(time.minute, 59));
}

QDate DateOfText(const QString& text) {
  std::string dateText = text.toStdString();
  if (!ValidateDateText(dateText)) return QDate();
  return QDate::fromString(QString::fromStdString(DateToSortText(dateText)),
                           QStringLiteral("yyyyMMdd"));
}

QString DateText(QDate date) {
  if (!date.isValid()) return QString();
  return QString::fromStdString(DateFrom(date.year(), date.month(), date.day()));
}

}  // namespace pw
