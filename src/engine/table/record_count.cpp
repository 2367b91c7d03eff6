#include "engine/table/record_count.h"

#include <algorithm>
#include <limits>

namespace pw {

std::int32_t RecordCountForSize(const WorkArea& area, std::uint64_t fileSize) {
  if (area.recordLength == 0 || fileSize <= area.headerLength) return 0;
  const std::uint64_t records = (fileSize - area.headerLength) / area.recordLength;
  // One below the largest record number, so that the position after the
  // last record (count + 1) is one too.
  return static_cast<std::int32_t>(
      std::min<std::uint64_t>(records, std::numeric_limits<std::int32_t>::max() - 1));
}

int DeriveRecordCount(WorkArea& area) {
  std::uint64_t size = 0;
  if (int code = area.file.Size(&size); code != 0) return code;
  area.recordCount = RecordCountForSize(area, size);
  return 0;
}

int RefreshRecordCount(WorkArea& area) {
  return area.exclusive ? 0 : DeriveRecordCount(area);
}

}  // namespace pw
