#include "engine/memo/memo_text_mode.h"

#include <algorithm>

namespace pw {

TextMode DecideTextMode(const unsigned char* bytes, std::size_t count) {
  const bool text = std::all_of(bytes, bytes + count, [](unsigned char c) {
    return c >= 32 || c == 9 || c == 10 || c == 13 || c == 15 || c == 20 || c == 21;
  });
  return text ? TextMode::Text : TextMode::Binary;
}

}  // namespace pw
