#include "engine/index/tag_build.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <new>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "common/file_routines.h"
#include "common/path_names.h"
#include "engine/index/mdx_limits.h"
#include "engine/index/saved_record.h"
#include "engine/index/tree_writer.h"
#include "engine/table/record_io.h"

namespace pw {
namespace {

// Records are read in chunks of whole records of at most this many bytes.
constexpr std::size_t kReadChunkBytes = 32756;

// The bytes a build may need: every item once, plus one node per level for
// each level's nodes (record count divided by the keys per node, level by
// level).
std::uint64_t SpaceNeeded(std::int32_t recordCount, int keyLength, int maxKeys) {
  std::uint64_t need = static_cast<std::uint64_t>(keyLength + 4) * std::max(recordCount, 0);
  std::int64_t nodes = recordCount;
  do {
    nodes /= maxKeys;
    need += kMdxNodeSize * static_cast<std::uint64_t>(nodes + 1);
  } while (nodes > 0);
  return need;
}

// The raw record as ReadRawRecord leaves it: the text after the deletion
// flag translated to ANSI.
bool ForConditionHolds(UnitState& condition) {
  const void* result = RegisteredHooks().expr->Evaluate(condition);
  return result != nullptr && *static_cast<const std::int32_t*>(result) != 0;
}

bool ReportOutOfMemory() {
  SetError(kOutOfMemory, " to allocate curr_index [AddIndexTag()]");
  return false;
}

KeyOrder OrderOf(const TagBuildPlan& plan) {
  return {plan.recipe.type, static_cast<std::size_t>(plan.keyLength), plan.descending,
          plan.collation};
}

}  // namespace

TagTreeBuild::TagTreeBuild(const TagBuildPlan& plan, std::int32_t recordCount)
    : plan_(plan), sorter_(OrderOf(plan), plan.keyLength), ticker_(recordCount) {}

TagFailure TakeReportedFailure() {
  TagFailure failure{EngineErrorCode(), TakeDetailText()};
  if (failure.code == 0) failure.code = kInternalError;
  return failure;
}

bool TagTreeBuild::AddCurrentRecord(std::uint32_t record) {
  ticker_.Step();
  ExprHooks& expr = *RegisteredHooks().expr;
  expr.SetCurrentKey(plan_.keyExpression);
  if (plan_.forExpression != nullptr) {
    if (!ForConditionHolds(*plan_.forExpression)) return true;
    forSatisfied_ = true;
  }
  try {
    const std::string key = RecordKey(*plan_.keyExpression, plan_.recipe, plan_.keyLength);
    return sorter_.Add(reinterpret_cast<const unsigned char*>(key.data()), record);
  } catch (const std::bad_alloc&) {
    return ReportOutOfMemory();
  }
}

// Takes the items in order into the tree; a unique tag keeps the first
// item of every key.
bool TagTreeBuild::WriteTree(platform::File& file, const std::string& indexPath,
                             TagBuildResult* result) {
  try {
    if (!sorter_.Finish()) return false;
    TreeWriter writer(file, plan_.keyLength, plan_.itemLength, plan_.maxKeys);
    const KeyOrder order = OrderOf(plan_);
    std::vector<unsigned char> previous;
    int code = writer.Start();
    const unsigned char* key = nullptr;
    std::uint32_t record = 0;
    while (code == 0 && sorter_.Next(&key, &record)) {
      ticker_.Step();
      if (plan_.unique && !previous.empty() && order.Compare(previous.data(), key) == 0) continue;
      if (plan_.unique) previous.assign(key, key + plan_.keyLength);
      code = writer.Add(key, record);
    }
    if (sorter_.Failed()) return false;
    TagBuildResult built;
    built.forSatisfied = forSatisfied_;
    if (code == 0) code = writer.Finish(&built.root);
    if (code != 0) {
      SetError(static_cast<std::uint16_t>(code),
               "Error writing index file: " + indexPath + " [MakeIndex]");
      return false;
    }
    ticker_.Finish();
    *result = built;
    return true;
  } catch (const std::bad_alloc&) {
    return ReportOutOfMemory();
  }
}

void CheckTagDiskSpace(const WorkArea& area, const std::string& indexPath,
                       const std::vector<TagTreeBuild*>& builds) {
  const std::uint64_t freeKb =
      static_cast<std::uint64_t>(std::max(DiskFreeKB(SplitPath(indexPath).folder), 0));
  std::uint64_t claimedKb = 0;
  for (TagTreeBuild* build : builds) {
    if (build->Failed()) continue;
    const TagBuildPlan& plan = build->Plan();
    const std::uint64_t needKb = SpaceNeeded(area.recordCount, plan.keyLength, plan.maxKeys) / 1024;
    const std::uint64_t availableKb = freeKb - std::min(freeKb, claimedKb);
    if (availableKb >= needKb) {
      claimedKb += needKb;
      continue;
    }
    SetError(kDiskFull, "Available disk space: " + std::to_string(availableKb) + " KBytes;" +
                            "needed: " + std::to_string(needKb) + " KBytes [MakeIndex]");
    build->Fail(TakeReportedFailure());
  }
}

void CollectTagKeys(WorkArea& area, const std::vector<TagTreeBuild*>& builds) {
  const std::size_t recordLength = area.recordLength;
  if (recordLength == 0 || area.raw.size() != recordLength) return;
  std::vector<TagTreeBuild*> open;
  std::copy_if(builds.begin(), builds.end(), std::back_inserter(open),
               [](const TagTreeBuild* build) { return !build->Failed(); });
  SavedRecord saved(area);
  const std::size_t perChunk = std::max<std::size_t>(1, kReadChunkBytes / recordLength);
  std::vector<unsigned char> chunk(perChunk * recordLength);
  for (std::int32_t first = 1; first <= area.recordCount && !open.empty();) {
    const std::size_t count =
        std::min<std::size_t>(perChunk, static_cast<std::size_t>(area.recordCount - first + 1));
    if (int code =
            area.file.ReadExactAt(RecordOffset(area, first), chunk.data(), count * recordLength)) {
      SetError(static_cast<std::uint16_t>(code), "File:  " + area.fileName + "  [MakeIndex]");
      const TagFailure failure = TakeReportedFailure();
      for (TagTreeBuild* build : open) build->Fail(failure);
      return;
    }
    for (std::size_t i = 0; i < count; ++i) {
      std::memcpy(area.raw.data(), chunk.data() + i * recordLength, recordLength);
      TranslateAfterRead(area);
      area.recordNumber = first + static_cast<std::int32_t>(i);
      for (TagTreeBuild* build : open) {
        if (!build->AddCurrentRecord(static_cast<std::uint32_t>(area.recordNumber))) {
          build->Fail(TakeReportedFailure());
        }
      }
      std::erase_if(open, [](const TagTreeBuild* build) { return build->Failed(); });
    }
    first += static_cast<std::int32_t>(count);
  }
}

}  // namespace pw
