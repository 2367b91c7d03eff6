// The sort of an index build: items (key bytes, then the 4-byte record
// number) are collected in runs of 8189; a full run is sorted by key, then
// by record number, and spilled to a temporary file "TZP..." in the system's
// temporary folder. At the end a single run is sorted in memory, and several
// runs are merged: each is read through its own buffer, the runs are kept
// ordered by their current item (binary insertion), and the smallest item
// is taken each time. The temporary file is deleted when the sorter goes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/index/index_key.h"
#include "platform/file.h"

namespace pw {

inline constexpr std::size_t kSortRunItems = 8189;

class KeySorter {
 public:
  KeySorter(const KeyOrder& order, int keyLength);
  ~KeySorter();
  KeySorter(const KeySorter&) = delete;
  KeySorter& operator=(const KeySorter&) = delete;

  // Takes `keyLength` key bytes and the record number. False with the
  // error reported when a full run cannot be spilled.
  bool Add(const unsigned char* key, std::uint32_t record);
  // Ends the input: sorts a single run, or spills the last run and sets up
  // the merge. False with the error reported.
  bool Finish();
  // The next item in order; false at the end, or after reporting a read
  // error (then Failed() is true).
  bool Next(const unsigned char** key, std::uint32_t* record);
  bool Failed() const { return failed_; }

 private:
  struct Run;

  int Compare(const unsigned char* a, const unsigned char* b) const;
  void SortRun();
  bool SpillRun();
  bool StartMerge();
  bool Refill(Run& run);
  void InsertByCurrentItem(std::size_t run);
  bool Fail(int code, const std::string& detail);

  KeyOrder order_;
  std::size_t keyLength_;
  std::size_t itemSize_;
  std::vector<unsigned char> items_;   // the run being collected
  std::vector<std::uint32_t> sorted_;  // item numbers in key order
  std::size_t taken_ = 0;              // single run: items already given
  std::string tempPath_;
  platform::File temp_;
  std::uint64_t spilled_ = 0;  // items in the temporary file
  std::vector<Run> runs_;
  std::vector<std::size_t> heads_;  // runs with items, largest current item first
  bool merging_ = false;
  bool failed_ = false;
};

}  // namespace pw
