#include "engine/table/record_cache.h"

#include <algorithm>
#include <cstring>

namespace pw {

void RecordCache::Clear() {
  kept_.clear();
  bytes_.clear();
}

bool RecordCache::Current(const platform::File& file) {
  if (file.ChangeStamp() != stamp_) {
    Clear();
    stamp_ = file.ChangeStamp();
  }
  return !kept_.empty();
}

bool RecordCache::Get(const platform::File& file, std::int32_t n, std::size_t length,
                      unsigned char* out) {
  if (!Current(file) || length != length_ || n < 1) return false;
  const auto index = static_cast<std::size_t>(n - 1);
  if (index >= kept_.size() || !kept_[index]) return false;
  std::memcpy(out, bytes_.data() + index * length, length);
  return true;
}

void RecordCache::Keep(const platform::File& file, std::int32_t n, const unsigned char* bytes,
                       std::size_t length) {
  Current(file);
  if (n < 1 || length == 0) return;
  const auto index = static_cast<std::size_t>(n - 1);
  if ((index + 1) * length > kRecordCacheBytes) return;
  if (length != length_) {
    Clear();
    length_ = length;
  }
  if (index >= kept_.size()) {
    kept_.resize(index + 1, false);
    bytes_.resize((index + 1) * length);
  }
  std::memcpy(bytes_.data() + index * length, bytes, length);
  kept_[index] = true;
}

int RecordCache::WriteThrough(platform::File& file, std::uint64_t offset, const void* bytes,
                              std::size_t count, std::int32_t first, std::int32_t last) {
  // A change stamp the cache has not seen before this write: another write
  // went past it, and nothing kept can be trusted.
  const bool current = file.ChangeStamp() == stamp_;
  const int code = file.WriteAt(offset, bytes, count);
  if (!current) Clear();
  stamp_ = file.ChangeStamp();
  const auto end = static_cast<std::int64_t>(kept_.size());
  for (std::int64_t n = std::max<std::int64_t>(first, 1); n <= std::min<std::int64_t>(last, end);
       ++n) {
    kept_[static_cast<std::size_t>(n - 1)] = false;
  }
  return code;
}

}  // namespace pw
