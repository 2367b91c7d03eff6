#include "engine/memo/memo_commit.h"

namespace pw {
namespace {

bool& CommitSetting() {
  static bool commit = true;
  return commit;
}

}  // namespace

bool MemoCommitOnClose() {
  return CommitSetting();
}

bool SetMemoCommitOnClose(bool on) {
  const bool previous = CommitSetting();
  CommitSetting() = on;
  return previous;
}

}  // namespace pw
