#include "engine/table/locate_fields.h"

#include <algorithm>
#include <cstdint>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/table/go.h"
#include "engine/table/locate.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

std::vector<std::string> SplitNames(const std::string& fieldList) {
  std::vector<std::string> names;
  std::size_t from = 0;
  for (std::size_t at = fieldList.find(';'); at != std::string::npos;
       at = fieldList.find(';', from)) {
    names.push_back(fieldList.substr(from, at - from));
    from = at + 1;
  }
  names.push_back(fieldList.substr(from));
  return names;
}

// Each field is searched from the record where the previous one matched,
// that record included; a field that matches only in a later record starts
// the round again with the first field from there.
bool LocateAll(const std::vector<std::string>& names, const std::vector<LocateValue>& values,
               bool caseInsensitive, bool exact) {
  const WorkArea& area = CurrentArea();
  std::size_t i = 0;
  std::int32_t start = 1;
  for (;;) {
    if (!LocateField(names[i], values[i], caseInsensitive, exact, start)) return false;
    ++i;
    if (i > 1) {
      if (area.recordNumber != start) {
        i = 0;
      } else if (i == names.size()) {
        return true;
      }
    }
    start = area.recordNumber;
  }
}

}  // namespace

bool LocateFields(const std::string& fieldList, const std::vector<LocateValue>& values,
                  bool caseInsensitive, bool exact, bool stay) {
  const WorkArea& area = CurrentArea();
  const std::int32_t saved = area.recordNumber;
  const std::vector<std::string> names = SplitNames(fieldList);
  if (values.size() < names.size()) {
    SetError(kInvalidParameter, "Fewer values than fields [LocateFields(" + fieldList + ")]");
    return false;
  }
  const bool found = names.size() == 1
                         ? LocateField(fieldList, values.front(), caseInsensitive, exact, 1)
                         : LocateAll(names, values, caseInsensitive, exact);
  if (!(stay && found) && saved >= 1 && saved <= area.recordCount && area.recordNumber != saved) {
    // Going back must not hide what a field search reported (an unknown name).
    const std::uint16_t code = EngineErrorCode();
    Go(saved);
    if (code != 0 && EngineErrorCode() == 0) SetEngineErrorCode(code);
  }
  return found;
}

}  // namespace pw
