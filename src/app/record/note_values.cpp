#include "app/record/note_values.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <system_error>

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
  // The sort text's digits read directly: the minute pass reads two dates
  // of every active reminder, and a format parser costs more than the rest.
  const std::string sort = DateToSortText(dateText);
  int year = 0;
  int month = 0;
  int day = 0;
  const char* at = sort.data();
  const auto read = [&at](int width, int* value) {
    const auto [end, error] = std::from_chars(at, at + width, *value);
    const bool whole = error == std::errc() && end == at + width;
    at += width;
    return whole;
  };
  if (sort.size() != 8 || !read(4, &year) || !read(2, &month) || !read(2, &day)) return QDate();
  return QDate(year, month, day);
}

QString DateText(QDate date) {
  if (!date.isValid()) return QString();
  return QString::fromStdString(DateFrom(date.year(), date.month(), date.day()));
}

}  // namespace pw
