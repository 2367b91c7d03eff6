// The engine's process-wide table of 33 work areas and the number of the
// current one. Operations that name no work area act on the current one.
#pragma once

#include <string>

#include "engine/table/work_area.h"

namespace pw {

inline constexpr int kWorkAreaCount = 33;

// 1-33: makes that work area current (it may be empty). 0: makes the
// lowest-numbered empty work area current. Fails with 220 otherwise.
bool Select(int number);
int CurrentWorkArea();

// The current work area, occupied or not.
WorkArea& CurrentArea();
// Work area `number` (1-33).
WorkArea& WorkAreaAt(int number);

// true (after reporting 215) when the current work area holds no table.
bool CheckInUse(const std::string& operation);

}  // namespace pw
