// Opening and closing a table's record file in a work area.
#pragma once

#include <string>

#include "engine/table/work_area.h"
#include "platform/file.h"

namespace pw {

// Opens the record file at `path` (its real name on disk) with the given
// mode, reads and checks its header and sets the first position: record 1,
// or record 0 with BOF and EOF for an empty table. `area.fileName` names the
// table in messages. On failure the area is reset to empty and the error is
// reported.
bool OpenDbf(WorkArea& area, const std::string& path, platform::Access access,
             platform::Sharing sharing);

// Writes the prolog (and the end marker) when the header state demands it,
// closes the file and frees the raw record and field table. Returns 0 or the
// operating system's code without reporting it.
int CloseDbfFile(WorkArea& area);
// Reports a failure of CloseDbfFile.
void ReportCloseFailure(int code, const std::string& path);
// CloseDbfFile, reporting a failure.
bool CloseDbf(WorkArea& area);

}  // namespace pw
