#include "reminders/time_text.h"

namespace pw {
namespace {

constexpr int kMinuteDigits = 2;
// Enough digits for any 12-character field without overflow.
constexpr int kLargestNumber = 1000000;

int LeadingNumber(QStringView piece) {
  qsizetype position = 0;
  while (position < piece.size() && piece[position] == ' ') ++position;
  int value = 0;
  for (; position < piece.size() && piece[position].isDigit() && value < kLargestNumber;
       ++position) {
    value = value * 10 + piece[position].digitValue();
  }
  return value;
}

}  // namespace

TimeOfDay HourAndMinuteOfTimeText(QStringView text) {
  const qsizetype colon = text.indexOf(u':');
  return {.hour = colon < 0 ? 0 : LeadingNumber(text.left(colon)),
          .minute = LeadingNumber(text.mid(colon + 1, kMinuteDigits))};
}

int SecondsOfTimeText(QStringView text) {
  const TimeOfDay time = HourAndMinuteOfTimeText(text);
  return time.hour * 3600 + time.minute * 60;
}

}  // namespace pw
