#include "engine/index/index_semaphore_area.h"

#include <string>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

// The engine's areas are numbered 1-33; the semaphore's table had room for 34.
constexpr int kFirstAreaOutOfRange = 35;

}  // namespace

int SemaphoreAreaNumber(const WorkArea& area) {
  for (int n = 1; n <= kWorkAreaCount; ++n) {
    if (&WorkAreaAt(n) == &area) return n;
  }
  return 0;
}

bool SemaphoreAreaOutOfRange(int number) {
  if (number >= 1 && number < kFirstAreaOutOfRange) return false;
  SetError(kInternalError,
           "Work area [" + std::to_string(number) + " ] out of range. [HandleSemafore]");
  return true;
}

SelectedArea::SelectedArea(int number) : previous_(CurrentWorkArea()) {
  Select(number);
}

SelectedArea::~SelectedArea() {
  Select(previous_);
}

}  // namespace pw
