#include "engine_session.h"

#include "common/error_codes.h"
#include "common/error_state.h"
#include "date_key_hint.h"
#include "engine/expr/expr_hooks.h"
#include "engine/index/index_file_name.h"
#include "engine/index/index_unit.h"
#include "engine/index/set_index_to.h"
#include "engine/memo/memo_unit.h"
#include "engine/table/close_work_area.h"
#include "engine/table/engine_settings.h"
#include "engine/table/production_index_flag.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "platform/file_lookup.h"
#include "platform/os_error.h"
#include "tool_error.h"

namespace pw::pwdbf {

void StartEngineSession() {
  RegisterMemoUnit();
  RegisterExprUnit();
  RegisterIndexUnit();
  SetAutoDispatch(false);
  SetRaiseMode(false);
}

OpenTable::OpenTable(const std::string& path, OpenPurpose purpose, bool ansi) : path_(path) {
  EngineSettings& settings = Settings();
  settings.ansiLanguage = ansi;
  if (purpose == OpenPurpose::kRead) {
    // A read-only shared open, which also keeps the index unit out of the
    // index semaphore (it writes its file beside the table).
    settings.forcedAccess = platform::Access::Read;
    settings.sharedOpenMode.access = platform::Access::Read;
  } else {
    settings.forcedAccess.reset();
    settings.sharedOpenMode.access = platform::Access::ReadWrite;
  }
  Select(1);
  const bool exclusive = purpose == OpenPurpose::kExclusive;
  if (!Use(path + (exclusive ? " EXCLUSIVE" : ""))) {
    if (exclusive && EngineErrorCode() == platform::kSharingViolation) {
      throw ToolError(path, "in use by another program (" + EngineErrorLine() + ")");
    }
    ThrowEngineError(path);
  }
  open_ = true;
  if (purpose != OpenPurpose::kRead && ProductionIndexFlag() && !ProductionIndexPath().empty()) {
    OpenProductionIndex();
  }
}

OpenTable::~OpenTable() {
  if (open_) CloseWorkArea();
}

std::string OpenTable::ProductionIndexPath() const {
  const std::string indexPath = IndexFilePath(CurrentArea(), "");
  return platform::FileExists(indexPath) ? indexPath : std::string();
}

void OpenTable::OpenProductionIndex() {
  if (SetIndexTo("")) return;
  if (EngineErrorCode() == kInvalidSize) {
    const std::string refusal = EngineErrorLine();
    throw ToolError(path_, refusal + DateKeyLengthHint(IndexFilePath(CurrentArea(), "")));
  }
  ThrowEngineError(path_);
}

void OpenTable::Close() {
  ClearEngineError();
  CloseWorkArea();
  open_ = false;
  if (EngineErrorCode() != 0) ThrowEngineError(path_);
}

}  // namespace pw::pwdbf
