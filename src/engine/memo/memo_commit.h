// Whether a finished memo entry is committed to disk (fsync) before its
// block is handed back for the record. On by default: the record may then
// never reach the disk ahead of its entry. Bulk loads and benchmarks that
// can afford to lose their work in a crash may turn it off.
#pragma once

namespace pw {

bool MemoCommitOnClose();
// Returns the previous setting.
bool SetMemoCommitOnClose(bool on);

}  // namespace pw
