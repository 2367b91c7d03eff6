// Building the trees of the tags of an index from the table in a work area:
// a disk-space check per tag, one sequential pass over the records for all
// tags together (each record is read and translated once and becomes the
// current record while every tag's FOR condition and key are made), then
// for each tag in turn the sort and the bottom-up write of its nodes at the
// end of the index file.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/index/build_progress.h"
#include "engine/index/index_key.h"
#include "engine/index/key_sorter.h"
#include "engine/index/record_key.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/work_area.h"
#include "platform/file.h"

namespace pw {

struct TagBuildPlan {
  UnitState* keyExpression = nullptr;
  UnitState* forExpression = nullptr;  // null without a FOR condition
  KeyRecipe recipe;
  int keyLength = 0;
  int itemLength = 0;
  int maxKeys = 0;
  bool descending = false;
  bool unique = false;
  KeyCollation collation = KeyCollation::kBytes;  // of C keys
};

struct TagBuildResult {
  std::uint32_t root = 0;
  bool forSatisfied = false;  // some record met the FOR condition
};

// An error reported for a tag: its code (0 for none) and detail text.
struct TagFailure {
  std::uint16_t code = 0;
  std::string detail;
};

// Takes the error just reported (code and detail text) from the error state.
TagFailure TakeReportedFailure();

// One tag's build: its plan, the keys the pass collects for it, and the
// error that ended it, if any.
class TagTreeBuild {
 public:
  TagTreeBuild(const TagBuildPlan& plan, std::int32_t recordCount);

  const TagBuildPlan& Plan() const { return plan_; }
  bool Failed() const { return failure_.code != 0; }
  const TagFailure& Failure() const { return failure_; }
  // Ends the build with `failure`.
  void Fail(TagFailure failure) { failure_ = std::move(failure); }

  // The current record's part of the pass: FOR condition, key, sorter.
  // False with the error reported.
  bool AddCurrentRecord(std::uint32_t record);
  // Sorts the keys and writes the tree at the end of `file` (the index file
  // `indexPath`). False with the error reported; the nodes written so far
  // stay in the file.
  bool WriteTree(platform::File& file, const std::string& indexPath, TagBuildResult* result);

 private:
  TagBuildPlan plan_;
  KeySorter sorter_;
  BuildTicker ticker_;
  bool forSatisfied_ = false;
  TagFailure failure_;
};

// Checks each build's disk space, the free space counted after the tags
// before it; a build without room takes error 227.
void CheckTagDiskSpace(const WorkArea& area, const std::string& indexPath,
                       const std::vector<TagTreeBuild*>& builds);

// The pass over the table for every build that has not failed: a build
// whose sorter fails takes its error and leaves the pass, a read error ends
// it for all. The area's current record, position and flags are restored
// afterwards.
void CollectTagKeys(WorkArea& area, const std::vector<TagTreeBuild*>& builds);

}  // namespace pw
