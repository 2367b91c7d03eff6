#include "engine/memo/memo_header.h"

#include <algorithm>

#include "common/error_codes.h"
#include "engine/memo/memo_lock.h"

namespace pw {

int ReadNextFree(const MemoState& memo, std::uint32_t* block) {
  unsigned char bytes[4];
  if (int code = memo.file.ReadExactAt(0, bytes, sizeof bytes); code != 0) return code;
  *block = DecodeNextFree(memo.kind, bytes);
  return 0;
}

int WriteNextFree(MemoState& memo, std::uint32_t block) {
  const auto bytes = EncodeNextFree(memo.kind, block);
  return memo.file.WriteAt(0, bytes.data(), bytes.size());
}

bool MainHeaderWrite(MemoState& memo, const std::string& operation) {
  std::uint64_t size = 0;
  int code = memo.file.Size(&size);
  if (code == 0) {
    const std::uint64_t blocks = (size + memo.blockSize - 1) / memo.blockSize;
    code = WriteNextFree(memo,
                         static_cast<std::uint32_t>(std::min<std::uint64_t>(blocks, kAppendAtEnd)));
  }
  if (code != 0) {
    ReportMemoError(memo, kDeviceWriteFault, operation);
    return false;
  }
  return true;
}

bool UpdateMemoHeader(MemoState& memo) {
  const bool written = MainHeaderWrite(memo, "UpdateMemoHeader()");
  return UnlockMemo(memo) && written;
}

}  // namespace pw
