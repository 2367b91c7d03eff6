#include "engine/table/work_areas.h"

#include <array>

#include "common/error_codes.h"
#include "common/error_state.h"

namespace pw {
namespace {

struct WorkAreaTable {
  std::array<WorkArea, kWorkAreaCount> areas;
  int current = 1;
};

WorkAreaTable& Table() {
  static WorkAreaTable table;
  return table;
}

}  // namespace

bool Select(int number) {
  WorkAreaTable& table = Table();
  if (number == 0) {
    for (int n = 1; n <= kWorkAreaCount; ++n) {
      if (!table.areas[n - 1].occupied) {
        table.current = n;
        return true;
      }
    }
    SetError(kInvalidParameter, "No free workarea available [Select(0)]");
    return false;
  }
  if (number < 0 || number > kWorkAreaCount) {
    SetError(kInvalidParameter,
             "Invalid workarea selected = [Select(" + std::to_string(number) + ")]");
    return false;
  }
  table.current = number;
  return true;
}

int CurrentWorkArea() {
  return Table().current;
}

WorkArea& CurrentArea() {
  return WorkAreaAt(Table().current);
}

WorkArea& WorkAreaAt(int number) {
  return Table().areas[number - 1];
}

bool CheckInUse(const std::string& operation) {
  if (CurrentArea().occupied) return false;
  SetError(kNoDatabaseInUse, "No database in use [" + operation +
                                 "]  WorkArea = " + std::to_string(CurrentWorkArea()));
  return true;
}

}  // namespace pw
