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

int SecondsOfTimeText(QStringView text) {
  const qsizetype colon = text.indexOf(u':');
  const int hour = colon < 0 ? 0 : LeadingNumber(text.left(colon));
  const int minute = LeadingNumber(text.mid(colon + 1, kMinuteDigits));
  return hour * 3600 + minute * 60;
}

}  // namespace pw
