// Registers the memo, index and expression units with the table engine.
// The data set layer calls it before its first open; later calls do nothing.
#pragma once

namespace pw {

void InitEngineUnits();

}  // namespace pw
