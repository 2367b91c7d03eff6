#include "dialogs/leading_number.h"

#include <limits>

namespace pw {

int LeadingWholeNumber(const QString& text) {
  qsizetype i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  constexpr long long kLimit = std::numeric_limits<int>::max();
  long long magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = std::min(magnitude * 10 + (text[i].unicode() - '0'), kLimit + 1);
  }
  if (negative) return static_cast<int>(std::max(-magnitude, -kLimit - 1));
  return static_cast<int>(std::min(magnitude, kLimit));
}

}  // namespace pw
