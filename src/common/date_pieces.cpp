#include "common/date_pieces.h"

#include <charconv>

namespace pw {

std::string PadLeft(std::string_view text, std::size_t width, char fill) {
  std::string padded(text.size() < width ? width - text.size() : 0, fill);
  padded += text;
  return padded;
}

std::optional<int> WholeNumber(std::string_view text) {
  if (text.empty()) return std::nullopt;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string_view Characters(std::string_view text, std::size_t first, std::size_t count) {
  if (first == 0 || first > text.size()) return {};
  return text.substr(first - 1, count);
}

}  // namespace pw
