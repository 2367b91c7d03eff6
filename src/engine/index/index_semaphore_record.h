// The record of an index semaphore file: one record of 4 bytes at offset 0.
//
//   offset 0  1 byte   number of programs logged in
//   offset 1  1 byte   number of active readers (0 to 127), or 1 while a
//                      writer holds the index
//   offset 2  2 bytes  update counter, little-endian, raised by every writer
//                      as it releases the index; 65534 is followed by 0
//
// Writers and record updates lock the 4 bytes at offset 1 (one past the
// record's start, as the file has always been locked).
//
// A count in byte 1 outlives a program killed while it reads or writes. So
// that such a count can be told from a live one, a program counted there as
// a reader holds a shared lock of the reader mark byte (far past the record,
// touching no range other programs lock), and the writer holds the lock at
// offset 1 throughout; the system drops both with the program. A writer
// that has the lock at offset 1 and finds byte 1 set while no other open
// holds the reader mark knows the count is left by programs that have ended.
#pragma once

#include <array>
#include <cstdint>

namespace pw {

inline constexpr std::uint64_t kSemaphoreRecordSize = 4;
inline constexpr std::uint64_t kSemaphoreLockOffset = 1;
inline constexpr std::uint64_t kSemaphoreLockLength = 4;
inline constexpr std::uint64_t kSemaphoreReaderMarkOffset = 0x40000000;
inline constexpr std::uint64_t kSemaphoreReaderMarkLength = 1;
inline constexpr std::uint8_t kMaxSemaphoreReaders = 127;
inline constexpr std::uint16_t kLastUpdateCounter = 65534;

struct SemaphoreRecord {
  std::uint8_t logins = 0;
  std::uint8_t readers = 0;  // or 1 while a writer holds the index
  std::uint16_t updateCounter = 0;
};

using SemaphoreRecordBytes = std::array<unsigned char, kSemaphoreRecordSize>;

SemaphoreRecord DecodeSemaphoreRecord(const SemaphoreRecordBytes& bytes);
SemaphoreRecordBytes EncodeSemaphoreRecord(const SemaphoreRecord& record);

// The counter value after `counter`: one more, and 0 after 65534.
std::uint16_t NextUpdateCounter(std::uint16_t counter);

}  // namespace pw
