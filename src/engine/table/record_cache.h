// The records of an exclusive table kept in memory as read from its file
// (before any code page translation). No other program may write an
// exclusive table's file, and every write of this program's goes through
// the work area's File, so a record read once is served from memory while
// the File's change stamp says that nothing was written since, or only
// writes that told the cache what they changed. Any other write, a
// truncation or a new open drops every record. Records lying beyond
// kRecordCacheBytes of the table are never kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/file.h"

namespace pw {

inline constexpr std::size_t kRecordCacheBytes = std::size_t{8} << 20;

class RecordCache {
 public:
  // Copies record `n` (`length` bytes) of `file` into `out` when it is kept
  // and nothing has been written through `file` since.
  bool Get(const platform::File& file, std::int32_t n, std::size_t length, unsigned char* out);
  // Keeps record `n` just read from `file`.
  void Keep(const platform::File& file, std::int32_t n, const unsigned char* bytes,
            std::size_t length);
  // Writes `count` bytes at `offset` of `file` (File::WriteAt's result) for
  // a write that changes records [first, last] of it, none when last <
  // first: those records are dropped, even when the write fails.
  int WriteThrough(platform::File& file, std::uint64_t offset, const void* bytes, std::size_t count,
                   std::int32_t first, std::int32_t last);

 private:
  void Clear();
  // Drops everything when the file changed unseen; false when the cache is
  // then empty.
  bool Current(const platform::File& file);

  std::uint64_t stamp_ = 0;
  std::size_t length_ = 0;
  std::vector<unsigned char> bytes_;  // record n at (n - 1) * length_
  std::vector<bool> kept_;            // [n - 1]
};

}  // namespace pw
