#include "engine/memo/memo_free_list.h"

#include <algorithm>

#include "common/byte_order.h"
#include "common/error_codes.h"
#include "engine/memo/memo_header.h"

namespace pw {
namespace {

constexpr int kMaxSteps = 100;

// The first 8 bytes of a block: of a free run its next run and block count;
// of the header its next available block and reserved bytes.
struct RunLink {
  std::uint32_t next = 0;
  std::uint32_t count = 0;
  bool isEntry = false;  // the block starts with 0xFF 0xFF: an entry, not a run
};

class FreeList {
 public:
  FreeList(MemoState& memo, std::uint32_t blocks, const std::string& operation)
      : memo_(memo), blocks_(blocks), operation_(operation) {}

  bool Read(std::uint32_t block, RunLink* link) {
    EntryHeader bytes{};
    if (memo_.file.ReadExactAt(Offset(block), bytes.data(), bytes.size()) != 0) {
      ReportMemoError(memo_, kDeviceReadFault, operation_);
      return false;
    }
    link->next = GetLe32(bytes.data());
    link->count = GetLe32(bytes.data() + 4);
    link->isEntry = bytes[0] == 0xFF && bytes[1] == 0xFF;
    return true;
  }
  bool WriteNext(std::uint32_t block, std::uint32_t next) {
    unsigned char bytes[4];
    PutLe32(bytes, next);
    return Write(block, bytes, sizeof bytes);
  }
  bool WriteRun(std::uint32_t block, std::uint32_t next, std::uint32_t count) {
    unsigned char bytes[8];
    PutLe32(bytes, next);
    PutLe32(bytes + 4, count);
    return Write(block, bytes, sizeof bytes);
  }
  // Whether a walk may go on from `from` to `next`: forward, inside the file.
  bool Follows(std::uint32_t from, std::uint32_t next, int steps) const {
    return steps <= kMaxSteps && next > from && next < blocks_;
  }
  std::uint32_t blocks() const { return blocks_; }

 private:
  std::uint64_t Offset(std::uint32_t block) const {
    return static_cast<std::uint64_t>(block) * memo_.blockSize;
  }
  bool Write(std::uint32_t block, const unsigned char* bytes, std::size_t count) {
    if (memo_.file.WriteAt(Offset(block), bytes, count) != 0) {
      ReportMemoError(memo_, kDeviceWriteFault, operation_);
      return false;
    }
    return true;
  }

  MemoState& memo_;
  std::uint32_t blocks_;
  const std::string& operation_;
};

// Blocks the entry at `block` occupies, as far as the file reaches; 0 when
// no dBASE IV entry starts there.
bool EntryBlocks(MemoState& memo, FreeList& list, std::uint32_t block, std::uint32_t* count) {
  *count = 0;
  if (block == 0 || block >= list.blocks()) return true;
  EntryHeader bytes{};
  RunLink link;
  if (!list.Read(block, &link)) return false;
  PutLe32(bytes.data(), link.next);
  PutLe32(bytes.data() + 4, link.count);
  if (const auto length = DecodeEntryHeader(MemoKind::Dbase4, bytes)) {
    *count = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(BlocksForEntry(*length, memo.blockSize), list.blocks() - block));
  }
  return true;
}

bool GiveBack(FreeList& list, std::uint32_t start, std::uint32_t count) {
  RunLink header;
  if (!list.Read(0, &header)) return false;
  // An empty list stays empty; a head on the header itself or on `start` is damage.
  if (header.next == list.blocks() || header.next == 0 || header.next == start) return true;
  if (header.next > start) {
    return list.WriteRun(start, header.next, count) && list.WriteNext(0, start);
  }
  std::uint32_t current = header.next;
  for (int steps = 0;; ++steps) {
    RunLink link;
    if (!list.Read(current, &link)) return false;
    if (link.isEntry || link.next == start) return true;
    if (link.next > start) {
      return list.WriteRun(start, link.next, count) && list.WriteNext(current, start);
    }
    if (!list.Follows(current, link.next, steps)) return true;
    current = link.next;
  }
}

// Appends at the end of the file. The list's last link (or, for a damaged
// list, the header) is set to the new end, which marks the list's end.
bool Append(FreeList& list, std::uint32_t lastLink, std::uint32_t needed, std::uint32_t* block) {
  *block = list.blocks();
  return list.WriteNext(lastLink, list.blocks() + needed);
}

}  // namespace

bool AllocateEntry(MemoState& memo, std::uint32_t blocks, std::uint32_t oldBlock,
                   std::uint64_t dataLength, const std::string& operation, std::uint32_t* block) {
  FreeList list(memo, std::max<std::uint32_t>(blocks, 1), operation);
  const auto needed = static_cast<std::uint32_t>(BlocksForEntry(dataLength, memo.blockSize));
  std::uint32_t oldCount = 0;
  if (!EntryBlocks(memo, list, oldBlock, &oldCount)) return false;
  if (oldCount >= needed) {
    *block = oldBlock;
    return oldCount == needed || GiveBack(list, oldBlock + needed, oldCount - needed);
  }
  if (oldCount > 0 && !GiveBack(list, oldBlock, oldCount)) return false;

  std::uint32_t previous = 0;
  RunLink link;
  if (!list.Read(0, &link)) return false;
  for (int steps = 0;; ++steps) {
    if (!list.Follows(previous, link.next, steps)) {
      // The end of the list, or a damaged link: the header then forgets the list.
      const bool damaged = link.next < list.blocks() || steps > kMaxSteps;
      return Append(list, damaged ? 0 : previous, needed, block);
    }
    const std::uint32_t current = link.next;
    RunLink run;
    if (!list.Read(current, &run)) return false;
    if (run.isEntry) return Append(list, 0, needed, block);
    if (run.count >= needed) {
      *block = current;
      if (run.count == needed) return list.WriteNext(previous, run.next);
      const std::uint32_t rest = current + needed;
      return list.WriteRun(rest, run.next, run.count - needed) && list.WriteNext(previous, rest);
    }
    previous = current;
    link = run;
  }
}

bool GiveBackBlocks(MemoState& memo, std::uint32_t blocks, std::uint32_t start, std::uint32_t count,
                    const std::string& operation) {
  FreeList list(memo, std::max<std::uint32_t>(blocks, 1), operation);
  return GiveBack(list, start, count);
}

}  // namespace pw
