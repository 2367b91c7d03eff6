// The record count refresh that navigation and edits run on a shared table
// before they look at the count, so that records appended by another
// process become reachable.
#pragma once

#include <string_view>

#include "engine/table/work_area.h"

namespace pw {

// RefreshRecordCount; a failure to read the file size is reported with
// "File:  <path> [<operation>]". Returns false on failure.
bool RefreshCountReported(WorkArea& area, std::string_view operation);

}  // namespace pw
