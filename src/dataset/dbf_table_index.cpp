// Preparing the production index when the table is opened: build it from
// IndexList when CreateIndex asks for it (always, when the stored tags
// differ, or when the file is missing or unreadable), otherwise open it.
#include "common/error_codes.h"
#include "common/error_state.h"
#include "common/file_routines.h"
#include "dataset/dataset_ui.h"
#include "dataset/dbf_table.h"
#include "dataset/engine_path.h"
#include "dataset/engine_text.h"
#include "dataset/index_list_lines.h"
#include "engine/index/build_progress.h"
#include "engine/index/index_file_name.h"
#include "engine/index/index_semaphore.h"
#include "engine/index/index_tag_list.h"
#include "engine/index/make_index.h"
#include "engine/index/set_index_to.h"
#include "engine/table/production_index_flag.h"
#include "engine/table/work_areas.h"
#include "platform/os_error.h"

namespace pw {
namespace {

// Whether another program has the table's index open: its semaphore file
// exists. Files left from another day are stale and deleted first.
bool IndexInUseElsewhere(const std::string& tableFile) {
  const std::string semaphore = SemaphoreFileName(tableFile);
  if (FileIsPresent(semaphore) && !FileIsFromToday(semaphore)) EraseFile(semaphore);
  return FileIsPresent(semaphore);
}

QStringList LinesOf(const std::vector<std::string>& stored) {
  QStringList lines;
  for (const std::string& line : stored) lines.append(FromEngineText(line));
  return lines;
}

}  // namespace

void DbfTable::PrepareIndex() {
  IndexCreation state = createIndex_;
  if (!IndexListTags(indexList_).empty()) {
    ProductionIndexFlag(true);
  } else if (ProductionIndexFlag()) {
    state = IndexCreation::kNever;
  } else {
    return;
  }
  const std::string indexFile = IndexFilePath(CurrentArea(), "");
  if (state == IndexCreation::kNever) {
    pw::SetIndexTo("");
    return;
  }
  AutoDispatchOff quiet;
  bool build = false;
  if (FileIsPresent(indexFile)) {
    if ((state == IndexCreation::kAlways || state == IndexCreation::kVerifyHeader) &&
        IndexInUseElsewhere(CurrentArea().file.Path())) {
      state = IndexCreation::kWhenMissing;
    }
    ClearEngineError();
  } else {
    build = true;
  }
  if (!build && state == IndexCreation::kVerifyHeader) {
    std::vector<std::string> stored;
    if (!IndexTagList(indexFile, &stored)) {
      build = true;
    } else if (indexList_.isEmpty()) {
      indexList_ = LinesOf(stored);
      state = IndexCreation::kWhenMissing;
    } else if (!SameIndexList(indexList_, stored)) {
      build = true;
    } else {
      state = IndexCreation::kWhenMissing;
    }
  }
  if (!build && state == IndexCreation::kAlways) build = true;
  if (!build && state == IndexCreation::kWhenMissing && !pw::SetIndexTo("")) {
    const std::uint16_t code = EngineErrorCode();
    if (code == platform::kFileNotFound || code == kCorruptedIndex ||
        code == kIndexVersionMismatch) {
      ClearEngineError();
      build = true;
    }
  }
  if (build) BuildIndex(indexFile);
}

void DbfTable::BuildIndex(const std::string& indexFile) {
  const QString name = FromEnginePath(indexFile);
  bool canMake = true;
  if (OnBeforeMakeIndex) OnBeforeMakeIndex(name, canMake);
  // A handler may have used other tables.
  Select(workArea_);
  if (!canMake) {
    ProductionIndexFlag(false);
    return;
  }
  DatasetUi& ui = CurrentDatasetUi();
  BuildProgressCallback previous;
  if (showProgress_) {
    ui.ProgressStart(QStringLiteral("Indexing ") + name + QStringLiteral("..."));
    previous = SetBuildProgress([&ui] { ui.ProgressTick(); });
  }
  ClearEngineError();
  const bool built = MakeIndex(IndexListTags(indexList_), "");
  if (showProgress_) {
    SetBuildProgress(previous);
    ui.ProgressFinish();
  }
  const std::uint16_t code = EngineErrorCode();
  if (OnAfterMakeIndex) OnAfterMakeIndex(name);
  Select(workArea_);
  if (built && code == 0) pw::SetIndexTo("");
}

}  // namespace pw
