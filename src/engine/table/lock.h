// Record and file locking: byte-range locks on a record file that keep the
// writers of a shared table apart. Every region lies at or beyond
// kLockBase (0x40000000), far past any table's data, so the locks only
// exclude one another and never block reads or writes of the table:
//
//   table lock byte   kLockBase                                  1 byte
//   append lock       kLockBase + 1                              1 byte
//   record n (n >= 1) kLockBase + header length
//                     + (n - 1) * record length                  record length
//
// A header is at least 65 bytes, so record regions never overlap the two
// single bytes. A work area holds either the append lock or record locks.
#pragma once

#include <cstdint>

#include "platform/file.h"

namespace pw {

constexpr std::uint64_t kLockBase = 0x40000000;

constexpr std::uint64_t TableLockByteOffset() {
  return kLockBase;
}
constexpr std::uint64_t AppendLockOffset() {
  return kLockBase + 1;
}
constexpr std::uint64_t RecordLockOffset(std::uint16_t headerLength, std::uint16_t recordLength,
                                         std::int32_t recordNumber) {
  return static_cast<std::uint64_t>(static_cast<std::int64_t>(kLockBase) + headerLength +
                                    (static_cast<std::int64_t>(recordNumber) - 1) * recordLength);
}

// Takes the append lock of the current table.
bool ALock();
// Locks the current record of the current table and enters it in the
// work area's record lock list.
bool RLock();
// Whether the record is in the current work area's record lock list.
bool IsLocked(std::int32_t recordNumber);
// Releases record n (n > 0), the oldest (-1), the newest (-2) or all (-3)
// record locks. Failures are stored in the error state, never dispatched.
bool UnlockRec(std::int32_t n);
// Releases whatever the current work area holds.
void Unlock();

// The table lock byte that the index engine holds around its semaphore work.
bool LockTableByte();
void UnlockTableByte();

// Non-blocking lock or release of a byte range: 0, or the platform's code.
// With network mode off they do nothing and return 0.
std::uint16_t LockRegion(platform::File& file, std::uint64_t offset, std::uint64_t length);
std::uint16_t UnlockRegion(platform::File& file, std::uint64_t offset, std::uint64_t length);
// A lock request under the engine's retry count, retry wait and
// lock-failure callback.
bool LockWithRetry(platform::File& file, std::uint64_t offset, std::uint64_t length);
// Waits, letting the program process its events when the wait is 10 ms or more.
void LockWait(int milliseconds);

}  // namespace pw
