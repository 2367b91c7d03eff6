// Which records navigation stops on: a record is hidden when the work area
// hides deleted records and it is marked deleted, or when the work area has a
// filter that the record does not pass. Go ignores visibility.
#pragma once

#include "engine/table/work_area.h"

namespace pw {

// Whether the current record (raw record and image) is visible.
bool IsVisible(WorkArea& area);

// Whether the current record of the current work area passes its filter,
// whatever its deleted flag; true when there is no filter or no expression
// unit.
bool FilterPasses();

}  // namespace pw
