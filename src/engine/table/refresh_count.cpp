#include "engine/table/refresh_count.h"

#include <string>

#include "common/error_state.h"
#include "engine/table/record_count.h"

namespace pw {

bool RefreshCountReported(WorkArea& area, std::string_view operation) {
  const int code = RefreshRecordCount(area);
  if (code == 0) return true;
  SetError(static_cast<std::uint16_t>(code),
           "File:  " + area.fileName + " [" + std::string(operation) + "]");
  return false;
}

}  // namespace pw
