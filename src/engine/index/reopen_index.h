// Opening a work area's index file again: for a table whose sharing mode
// changed while the index was open (a pack takes a shared table
// exclusively, rebuilds the index, and gives the table back), and after a
// rebuild replaced the file.
#pragma once

#include <string>

#include "engine/index/index_state.h"
#include "engine/table/work_area.h"

namespace pw {

// Which index file an area has open and which order it follows.
struct IndexSelection {
  std::string fileName;
  std::string controlling;  // empty: no tag in control
  bool naturalOrder = false;
};

IndexSelection SelectionOf(const IndexState& state);

// Opens the selection's file in the current area in the table's present
// mode (shared: logged in to the semaphore) and restores its order.
bool OpenIndexAgain(const IndexSelection& selection);

// Closes the area's index and opens the same file again as above; every
// tag stands on the current record. True without an open index.
bool ReopenIndex(WorkArea& area);

}  // namespace pw
