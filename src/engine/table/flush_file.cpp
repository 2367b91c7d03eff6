#include "engine/table/flush_file.h"

#include "common/error_state.h"

namespace pw {

bool FlushFile(platform::File& file) {
  if (int code = file.Flush(); code != 0) {
    SetError(static_cast<std::uint16_t>(code), "Unable to flush file [FlushFile]");
    return false;
  }
  return true;
}

}  // namespace pw
