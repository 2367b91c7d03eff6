#include "engine/memo/memo_lock.h"

#include <algorithm>
#include <vector>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/table/lock.h"

namespace pw {
namespace {

constexpr int kLockAttempts = 11;
constexpr int kBusyWaitCount = 5000;
constexpr std::uint64_t kDbase3NewFileSize = 513;

void BusyWait() {
  for (volatile int countDown = kBusyWaitCount; countDown > 0;) countDown = countDown - 1;
}

}  // namespace

bool LockMemo(MemoState& memo) {
  if (!memo.shared) return true;
  bool locked = false;
  for (int attempt = 0; attempt < kLockAttempts && !locked; ++attempt) {
    if (attempt > 0) BusyWait();
    locked = LockRegion(memo.file, kMemoLockOffset, 1) == 0;
  }
  memo.locked = locked;
  return locked;
}

bool UnlockMemo(MemoState& memo) {
  if (!memo.locked) return true;
  memo.locked = false;
  if (UnlockRegion(memo.file, kMemoLockOffset, 1) != 0) {
    SetError(kCannotUnlockMemo, memo.path);
    return false;
  }
  return true;
}

bool LockMemoOrReport(MemoState& memo, const std::string& operation) {
  if (LockMemo(memo)) return true;
  ReportMemoError(memo, kCannotLockMemo, operation);
  return false;
}

std::uint64_t AppendPosition(const MemoState& memo, std::uint64_t size) {
  if (memo.kind == MemoKind::Dbase3 && size == kDbase3NewFileSize) return size;
  const std::uint64_t end = std::max(size, HeaderExtent(memo.kind));
  return (end + memo.blockSize - 1) / memo.blockSize * memo.blockSize;
}

std::uint64_t LockMemoPadAndSeekEOF(MemoState& memo, const std::string& operation) {
  if (!LockMemoOrReport(memo, operation)) return 0;
  std::uint64_t size = 0;
  int code = memo.file.Size(&size);
  const std::uint64_t end = AppendPosition(memo, size);
  if (code == 0 && end > size) {
    const std::vector<unsigned char> zeros(end - size, 0);
    code = memo.file.WriteAt(size, zeros.data(), zeros.size());
  }
  if (code != 0) {
    ReportMemoError(memo, static_cast<std::uint16_t>(code), "LockMemoPadAndSeekEOF");
    UnlockMemo(memo);
    return 0;
  }
  return end;
}

}  // namespace pw
