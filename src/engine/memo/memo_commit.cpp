#include "engine/memo/memo_commit.h"

#include <utility>

#include "engine/table/engine_state.h"

namespace pw {

bool MemoCommitOnClose() {
  return ProcessState().memoCommitOnClose;
}

bool SetMemoCommitOnClose(bool on) {
  return std::exchange(ProcessState().memoCommitOnClose, on);
}

}  // namespace pw
