// The process-wide state of the engine outside the work areas, the error
// state and the settings: what the last operations left behind for the ones
// that follow. The units above the table engine keep their pieces here too;
// every member is of a plain type, so this header needs none of theirs.
#pragma once

#include <functional>

#include "engine/table/locate_state.h"

namespace pw {

struct EngineState {
  // Table engine: the last locate, which Continue searches on.
  LocateState locate;
  // Table engine: whether the last successful Reopen asked for exclusive
  // access; a table that is exclusive while this is false was opened so by
  // Use.
  bool lastReopenExclusive = false;
  // Memo unit: whether a finished memo entry is committed to disk before its
  // block is handed back for the record.
  bool memoCommitOnClose = true;
  // Expression unit: the working pool of a memo-typed expression.
  int memoWorkingSize = 256;
  // Index unit: whether Find pads a character key with blanks to the key
  // length (set while FindExact searches).
  bool exactFind = false;
  // Index unit: called on every progress tick of an index build.
  std::function<void()> buildProgress;
};

EngineState& ProcessState();

}  // namespace pw
