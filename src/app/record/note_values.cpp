#include "app/record/note_values.h"

#include <algorithm>
#include <string>

#include "common/date_text.h"

namespace pw {

namespace {

// The decimal number at the start of `text` after leading blanks; 0 when
// there is none.
int LeadingNumber(QStringView text) {
  int position = 0;
  while (position < text.size() && text[position] == ' ') ++position;
  int value = 0;
  for (; position < text.size() && text[position].isDigit() && value < 1000; ++position) {
    value = value * 10 + text[position].digitValue();
  }
  return value;
}

}  // namespace

QColor ColorOfWindowsValue(std::int32_t value) {
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

std::int32_t WindowsValueOfColor(const QColor& color) {
  return color.red() | (color.green() << 8) | (color.blue() << 16);
}

QString TimeText(QTime time) {
  return QStringLiteral("%1:%2").arg(time.hour()).arg(time.minute());
}

QTime TimeOfText(const QString& text) {
  const qsizetype colon = text.indexOf(':');
  const QStringView view(text);
  const int hour = LeadingNumber(colon < 0 ? view : view.left(colon));
  const int minute = colon < 0 ? 0 : LeadingNumber(view.mid(colon + 1, 2));
  return QTime(std::min(hour, 23), std::min(minute, 59));
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
