#include "engine_session.h"

#include <iostream>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "common/path_names.h"
#include "date_key_hint.h"
#include "engine/expr/expr_hooks.h"
#include "engine/index/index_file_name.h"
#include "engine/index/index_unit.h"
#include "engine/index/make_index.h"
#include "engine/index/set_index_to.h"
#include "engine/memo/memo_pack_journal.h"
#include "engine/memo/memo_unit.h"
#include "engine/table/close_work_area.h"
#include "engine/table/dbf_header.h"
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
  // A maintenance program sees every whole record in the file, also those a
  // killed shared writer appended past the count its prolog holds.
  Settings().deriveCountFromFileSize = true;
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
  const bool exclusive = purpose == OpenPurpose::kExclusive || purpose == OpenPurpose::kRebuild;
  if (!UseTable({path, "", exclusive})) {
    if (exclusive && EngineErrorCode() == platform::kSharingViolation) {
      throw ToolError(path, "in use by another program (" + EngineErrorLine() + ")");
    }
    ThrowEngineError(path);
  }
  open_ = true;
  try {
    AfterOpen(purpose);
  } catch (...) {
    // A throwing constructor runs no destructor: the table is closed here.
    CloseWorkArea();
    open_ = false;
    throw;
  }
}

void OpenTable::AfterOpen(OpenPurpose purpose) {
  if (purpose == OpenPurpose::kRead) {
    if (MemoPackInterrupted(CurrentArea())) {
      std::cerr << "pwdbf: " << path_ << ": a memo pack was interrupted; the memos are read as "
                << "it left them, and the next read-write open (pack, reindex, append) "
                << "completes it\n";
    }
    return;
  }
  if (!ProductionIndexFlag()) return;
  if (!ProductionIndexPath().empty()) {
    OpenProductionIndex();
  } else if (purpose != OpenPurpose::kRebuild) {
    throw ToolError(path_, "the header names a production index, but " +
                               FileNameOf(IndexFilePath(CurrentArea(), "")) +
                               " is missing; make it again with pwdbf reindex --index");
  }
}

OpenTable::~OpenTable() {
  if (open_) CloseWorkArea();
}

KeyCollation TableCollation() {
  return CollationOfLanguage(CurrentArea().prolog[kLanguageDriverByte]);
}

std::string OpenTable::ProductionIndexPath() const {
  const std::string indexPath = IndexFilePath(CurrentArea(), "");
  return platform::FileExists(indexPath) ? indexPath : std::string();
}

void OpenTable::OpenProductionIndex() {
  if (SetIndexTo("")) {
    const std::string hint = DateKeyLengthHint(IndexFilePath(CurrentArea(), ""), false);
    if (!hint.empty()) std::cerr << "pwdbf: " << path_ << ": " << hint << '\n';
    return;
  }
  if (EngineErrorCode() == kInvalidSize) {
    const std::string refusal = EngineErrorLine();
    const std::string hint = DateKeyLengthHint(IndexFilePath(CurrentArea(), ""), true);
    throw ToolError(path_, hint.empty() ? refusal : refusal + "; " + hint);
  }
  ThrowEngineError(path_);
}

void OpenTable::MakeProductionIndex(const std::vector<TagDescription>& tags,
                                    const std::string& name) {
  ClearEngineError();
  if (!MakeIndex(tags, ""))
    throw ToolError(name, "the index cannot be built: " + EngineErrorLine());
  ProductionIndexFlag(true);
  // The engine reopens tags from their stored texts: make sure it can.
  OpenProductionIndex();
}

void OpenTable::Close() {
  ClearEngineError();
  CloseWorkArea();
  open_ = false;
  if (EngineErrorCode() != 0) ThrowEngineError(path_);
}

}  // namespace pw::pwdbf
