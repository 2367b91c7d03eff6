#include "desktop/placement_text.h"

#include <array>

#include "settings/decimal_number.h"

namespace pw {
namespace {

constexpr std::size_t kFieldCount = 10;
constexpr std::size_t kLastFieldLength = 10;

// The fields in their stored order; const or not as `r` is.
template <class Record>
auto Fields(Record& r) {
  return std::array{&r.flags,      &r.showCommand, &r.minimizedX, &r.minimizedY, &r.maximizedX,
                    &r.maximizedY, &r.left,        &r.top,        &r.right,      &r.bottom};
}

}  // namespace

std::string FormatPlacement(const PlacementRecord& record) {
  std::string text;
  for (const int* field : Fields(record)) {
    if (!text.empty()) text += ',';
    text += std::to_string(*field);
  }
  return text.substr(0, kPlacementTextLength);
}

PlacementRecord ParsePlacement(std::string_view text) {
  text = text.substr(0, kPlacementTextLength);
  PlacementRecord record;
  const auto fields = Fields(record);
  static_assert(std::tuple_size_v<decltype(fields)> == kFieldCount);
  for (int* field : fields) *field = 0;
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    if (i + 1 == kFieldCount) {
      *fields[i] = ParseDecimal(text.substr(0, kLastFieldLength)).value_or(0);
      break;
    }
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) break;
    *fields[i] = ParseDecimal(text.substr(0, comma)).value_or(0);
    text.remove_prefix(comma + 1);
  }
  return record;
}

}  // namespace pw
