#include "engine/index/key_sorter.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "common/byte_order.h"
#include "common/error_codes.h"
#include "common/error_state.h"
#include "common/file_routines.h"

namespace pw {
namespace {

// Each run of a merge is read through a buffer of this many bytes.
constexpr std::size_t kMergeBufferBytes = 65512;

}  // namespace

struct KeySorter::Run {
  std::uint64_t next = 0;       // file offset of the first item not yet read
  std::uint64_t remaining = 0;  // items not yet read from the file
  std::vector<unsigned char> buffer;
  std::size_t at = 0;      // offset of the current item in the buffer
  std::size_t filled = 0;  // bytes in the buffer
  const unsigned char* Current() const { return buffer.data() + at; }
};

KeySorter::KeySorter(const KeyOrder& order, int keyLength)
    : order_(order),
      keyLength_(static_cast<std::size_t>(keyLength)),
      itemSize_(static_cast<std::size_t>(keyLength) + 4) {
  items_.reserve(kSortRunItems * itemSize_);
}

KeySorter::~KeySorter() {
  if (tempPath_.empty()) return;
  temp_.Close();
  EraseFile(tempPath_);
}

int KeySorter::Compare(const unsigned char* a, const unsigned char* b) const {
  if (const int byKey = order_.Compare(a, b); byKey != 0) return byKey;
  const std::uint32_t recordA = GetLe32(a + keyLength_);
  const std::uint32_t recordB = GetLe32(b + keyLength_);
  return (recordA > recordB) - (recordA < recordB);
}

bool KeySorter::Add(const unsigned char* key, std::uint32_t record) {
  if (items_.size() == kSortRunItems * itemSize_ && !SpillRun()) return false;
  items_.insert(items_.end(), key, key + keyLength_);
  unsigned char number[4];
  PutLe32(number, record);
  items_.insert(items_.end(), number, number + 4);
  return true;
}

void KeySorter::SortRun() {
  const std::size_t count = items_.size() / itemSize_;
  sorted_.resize(count);
  for (std::size_t i = 0; i < count; ++i) sorted_[i] = static_cast<std::uint32_t>(i);
  const unsigned char* base = items_.data();
  std::sort(sorted_.begin(), sorted_.end(), [&](std::uint32_t a, std::uint32_t b) {
    return Compare(base + a * itemSize_, base + b * itemSize_) < 0;
  });
}

bool KeySorter::SpillRun() {
  if (!temp_.IsOpen()) {
    tempPath_ = UniqueFilename();
    if (tempPath_.empty()) {
      failed_ = true;  // UniqueFilename has reported why
      return false;
    }
    if (int code =
            temp_.Open(tempPath_, platform::Access::ReadWrite, platform::Sharing::Exclusive)) {
      return Fail(code, " [MakeIndex]");
    }
  }
  SortRun();
  std::vector<unsigned char> ordered(items_.size());
  for (std::size_t i = 0; i < sorted_.size(); ++i) {
    std::memcpy(ordered.data() + i * itemSize_, items_.data() + sorted_[i] * itemSize_, itemSize_);
  }
  Run run;
  run.next = spilled_ * itemSize_;
  run.remaining = sorted_.size();
  if (int code = temp_.WriteAt(run.next, ordered.data(), ordered.size())) {
    return Fail(code, " [MakeIndex]");
  }
  spilled_ += sorted_.size();
  runs_.push_back(std::move(run));
  items_.clear();
  sorted_.clear();
  return true;
}

bool KeySorter::Finish() {
  if (runs_.empty()) {
    SortRun();
    return true;
  }
  if (!items_.empty() && !SpillRun()) return false;
  items_ = {};
  return StartMerge();
}

bool KeySorter::StartMerge() {
  const std::size_t bufferItems = std::max<std::size_t>(1, kMergeBufferBytes / itemSize_);
  try {
    for (Run& run : runs_) run.buffer.resize(bufferItems * itemSize_);
    heads_.reserve(runs_.size());
  } catch (const std::bad_alloc&) {
    return Fail(kOutOfMemory, "after freeing all pools [MakeIndex]");
  }
  merging_ = true;
  for (std::size_t i = 0; i < runs_.size(); ++i) {
    if (!Refill(runs_[i])) return false;
    InsertByCurrentItem(i);
  }
  return true;
}

bool KeySorter::Refill(Run& run) {
  const std::size_t count = static_cast<std::size_t>(
      std::min<std::uint64_t>(run.remaining, run.buffer.size() / itemSize_));
  if (int code = temp_.ReadExactAt(run.next, run.buffer.data(), count * itemSize_)) {
    return Fail(code, " [MakeIndex]");
  }
  run.next += count * itemSize_;
  run.remaining -= count;
  run.at = 0;
  run.filled = count * itemSize_;
  return true;
}

// heads_ runs from the largest current item to the smallest, so the
// smallest is taken from the back.
void KeySorter::InsertByCurrentItem(std::size_t run) {
  const unsigned char* item = runs_[run].Current();
  const auto place = std::lower_bound(heads_.begin(), heads_.end(), item,
                                      [&](std::size_t head, const unsigned char* key) {
                                        return Compare(runs_[head].Current(), key) > 0;
                                      });
  heads_.insert(place, run);
}

bool KeySorter::Next(const unsigned char** key, std::uint32_t* record) {
  if (failed_) return false;
  if (!merging_) {
    if (taken_ >= sorted_.size()) return false;
    const unsigned char* item = items_.data() + sorted_[taken_++] * itemSize_;
    *key = item;
    *record = GetLe32(item + keyLength_);
    return true;
  }
  if (heads_.empty()) return false;
  // The item given last stays readable until this call; the run advances
  // only now.
  if (taken_ != 0) {
    const std::size_t last = heads_.back();
    heads_.pop_back();
    Run& run = runs_[last];
    run.at += itemSize_;
    if (run.at == run.filled && run.remaining > 0 && !Refill(run)) return false;
    if (run.at < run.filled) InsertByCurrentItem(last);
    if (heads_.empty()) return false;
  }
  ++taken_;
  const unsigned char* item = runs_[heads_.back()].Current();
  *key = item;
  *record = GetLe32(item + keyLength_);
  return true;
}

bool KeySorter::Fail(int code, const std::string& detail) {
  failed_ = true;
  SetError(static_cast<std::uint16_t>(code), detail);
  return false;
}

}  // namespace pw
