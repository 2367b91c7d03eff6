#include "engine/index/tag_build.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "common/file_routines.h"
#include "common/path_names.h"
#include "engine/index/build_progress.h"
#include "engine/index/key_sorter.h"
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

bool EnoughDiskSpace(const WorkArea& area, const std::string& indexPath, const TagBuildPlan& plan) {
  const std::uint64_t needKb = SpaceNeeded(area.recordCount, plan.keyLength, plan.maxKeys) / 1024;
  const std::int32_t freeKb = DiskFreeKB(SplitPath(indexPath).folder);
  if (static_cast<std::uint64_t>(freeKb) >= needKb) return true;
  SetError(kDiskFull, "Available disk space: " + std::to_string(freeKb) + " KBytes;" +
                          "needed: " + std::to_string(needKb) + " KBytes [MakeIndex]");
  return false;
}

// The raw record as ReadRawRecord leaves it: the text after the deletion
// flag translated to ANSI.
bool ForConditionHolds(UnitState& condition) {
  const void* result = RegisteredHooks().expr->Evaluate(condition);
  return result != nullptr && *static_cast<const std::int32_t*>(result) != 0;
}

// Makes every record current in turn and hands the keys of those that meet
// the FOR condition to the sorter.
bool CollectKeys(WorkArea& area, const TagBuildPlan& plan, KeySorter& sorter, BuildTicker& ticker,
                 bool* forSatisfied) {
  const std::size_t recordLength = area.recordLength;
  if (recordLength == 0 || area.raw.size() != recordLength) return true;
  const std::size_t perChunk = std::max<std::size_t>(1, kReadChunkBytes / recordLength);
  std::vector<unsigned char> chunk(perChunk * recordLength);
  for (std::int32_t first = 1; first <= area.recordCount;) {
    const std::size_t count =
        std::min<std::size_t>(perChunk, static_cast<std::size_t>(area.recordCount - first + 1));
    if (int code =
            area.file.ReadExactAt(RecordOffset(area, first), chunk.data(), count * recordLength)) {
      SetError(static_cast<std::uint16_t>(code), "File:  " + area.fileName + "  [MakeIndex]");
      return false;
    }
    for (std::size_t i = 0; i < count; ++i) {
      std::memcpy(area.raw.data(), chunk.data() + i * recordLength, recordLength);
      TranslateAfterRead(area);
      area.recordNumber = first + static_cast<std::int32_t>(i);
      ticker.Step();
      if (plan.forExpression != nullptr) {
        if (!ForConditionHolds(*plan.forExpression)) continue;
        *forSatisfied = true;
      }
      const std::string key = RecordKey(*plan.keyExpression, plan.recipe, plan.keyLength);
      if (!sorter.Add(reinterpret_cast<const unsigned char*>(key.data()),
                      static_cast<std::uint32_t>(area.recordNumber))) {
        return false;
      }
    }
    first += static_cast<std::int32_t>(count);
  }
  return true;
}

// Takes the items in order into the tree; a unique tag keeps the first
// item of every key.
bool WriteTree(platform::File& file, const std::string& indexPath, const TagBuildPlan& plan,
               KeySorter& sorter, BuildTicker& ticker, std::uint32_t* root) {
  TreeWriter writer(file, plan.keyLength, plan.itemLength, plan.maxKeys);
  const KeyOrder order{plan.recipe.type, static_cast<std::size_t>(plan.keyLength), plan.descending};
  std::vector<unsigned char> previous;
  int code = writer.Start();
  const unsigned char* key = nullptr;
  std::uint32_t record = 0;
  while (code == 0 && sorter.Next(&key, &record)) {
    ticker.Step();
    if (plan.unique && !previous.empty() && order.Compare(previous.data(), key) == 0) continue;
    if (plan.unique) previous.assign(key, key + plan.keyLength);
    code = writer.Add(key, record);
  }
  if (sorter.Failed()) return false;
  if (code == 0) code = writer.Finish(root);
  if (code != 0) {
    SetError(static_cast<std::uint16_t>(code),
             "Error writing index file: " + indexPath + " [MakeIndex]");
    return false;
  }
  ticker.Finish();
  return true;
}

}  // namespace

bool BuildTagTree(WorkArea& area, platform::File& file, const std::string& indexPath,
                  const TagBuildPlan& plan, TagBuildResult* result) {
  if (!EnoughDiskSpace(area, indexPath, plan)) return false;
  const KeyOrder order{plan.recipe.type, static_cast<std::size_t>(plan.keyLength), plan.descending};
  KeySorter sorter(order, plan.keyLength);
  BuildTicker ticker(area.recordCount);
  TagBuildResult built;
  {
    SavedRecord saved(area);
    if (!CollectKeys(area, plan, sorter, ticker, &built.forSatisfied)) return false;
  }
  if (!sorter.Finish()) return false;
  if (!WriteTree(file, indexPath, plan, sorter, ticker, &built.root)) return false;
  *result = built;
  return true;
}

}  // namespace pw
