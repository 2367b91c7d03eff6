#include "engine/index/set_index_to.h"

#include <memory>
#include <new>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/index/index_file_name.h"
#include "engine/index/index_semaphore.h"
#include "engine/index/index_state.h"
#include "engine/index/index_update.h"
#include "engine/index/mdx_io.h"
#include "engine/index/record_key.h"
#include "engine/index/reindex.h"
#include "engine/index/saved_record.h"
#include "engine/index/semaphore_scope.h"
#include "engine/index/stored_expression.h"
#include "engine/index/tag_walk.h"
#include "engine/table/dbf_header.h"
#include "engine/table/engine_settings.h"
#include "engine/table/pack_mark.h"
#include "engine/table/work_areas.h"
#include "platform/file_lookup.h"
#include "platform/os_error.h"

namespace pw {
namespace {

// Whether the index of this table takes part in the index semaphore: a
// shared table opened in the shared read-write mode, with an index it may
// write. A read-only reader stays out: every action writes the semaphore file.
bool UsesSemaphore(const WorkArea& area, const platform::File& index) {
  const OpenMode& mode = Settings().sharedOpenMode;
  return !area.exclusive && mode.access == platform::Access::ReadWrite &&
         mode.sharing == platform::Sharing::Shared &&
         index.AccessMode() == platform::Access::ReadWrite;
}

// Opens the index file read-write, or read-only when the table is read-only
// or the file refuses writing (access denied, sharing violation): another
// user's folder, a read-only mount or copy still walks and finds.
bool OpenIndexHandle(const WorkArea& area, IndexState& state) {
  const platform::Sharing sharing =
      area.exclusive ? platform::Sharing::Exclusive : platform::Sharing::Shared;
  int code = platform::kAccessDenied;
  if (area.access == platform::Access::ReadWrite) {
    code = state.file.Open(state.fileName, platform::Access::ReadWrite, sharing);
  }
  if (code == platform::kAccessDenied || code == platform::kSharingViolation) {
    code = state.file.Open(state.fileName, platform::Access::Read, sharing);
  }
  if (code != 0) {
    SetError(static_cast<std::uint16_t>(code), "Unable to open index: " + state.fileName);
    return false;
  }
  return true;
}

// Without the semaphore: an exclusive table undoes a killed update itself;
// a reader that may not write refuses the half-written files.
bool RecoverAtOpen(WorkArea& area, IndexState& state) {
  if (!area.exclusive) return true;
  if (state.file.AccessMode() == platform::Access::Read || area.access == platform::Access::Read) {
    if (!state.journal.Hot()) return true;
    SetError(kMdxCorrupted, "Unable to open index: " + state.fileName +
                                " (an interrupted update waits in " + state.journal.Path() +
                                "; open the table for writing to undo it)");
    return false;
  }
  bool changedFiles = false;
  return RecoverInterruptedUpdate(area, state, &changedFiles) == 0;
}

// A pack was killed between the table and its index: before anyone uses
// the index it is rebuilt for the records as they are (Reindex opens it
// again). A reader that may not write refuses it.
bool FinishInterruptedPack(WorkArea& area, IndexState& state) {
  static bool rebuilding = false;
  if (rebuilding) return true;  // the reopen after a failed rebuild
  if (state.file.AccessMode() == platform::Access::Read) {
    const std::string path = state.fileName;
    CloseIndex(area);
    SetError(kMdxCorrupted, "Unable to open index: " + path +
                                " (a pack was interrupted; open the table for writing to "
                                "rebuild it)");
    return false;
  }
  rebuilding = true;
  const bool rebuilt = Reindex();
  rebuilding = false;
  return rebuilt;
}

// Compiles a stored text after normalising it; null (reporting nothing)
// when it does not compile.
std::unique_ptr<UnitState> CompileStored(ExprHooks& expr, const std::string& text) {
  AutoDispatchOff quiet;
  std::unique_ptr<UnitState> compiled = expr.AssignExpr(NormalizeStoredExpression(text));
  ClearEngineError();
  return compiled;
}

// The length of the key the tag makes from the blank record after the last
// record.
int BlankRecordKeyLength(WorkArea& area, IndexTag& tag) {
  SavedRecord saved(area);
  area.raw.assign(area.raw.size(), ' ');
  area.recordNumber = area.recordCount + 1;
  return static_cast<int>(RecordKey(*tag.keyExpression, tag.recipe).size());
}

// Reads tag n's anchor and compiles its expressions: 0, kMdxCorrupted or
// kInvalidSize.
int OpenTag(WorkArea& area, IndexState& state, int n) {
  ExprHooks* expr = RegisteredHooks().expr;
  if (expr == nullptr) return kMdxCorrupted;
  const TagEntry entry = state.header.Entry(n);
  TagHeader anchor;
  if (ReadTagHeader(state.file, entry.headerBlock, &anchor) != 0) return kMdxCorrupted;
  auto tag = std::make_unique<IndexTag>(n, entry.name, entry.headerBlock, anchor,
                                        CollationOfLanguage(area.prolog[kLanguageDriverByte]));
  tag->keyExpression = CompileStored(*expr, anchor.KeyExpression());
  if (tag->keyExpression == nullptr) return kMdxCorrupted;
  const ExprShape shape = expr->Shape(*tag->keyExpression);
  if (shape.type != static_cast<char>(anchor.Type())) return kMdxCorrupted;
  tag->recipe = {anchor.Type(), shape.decimals, area.oem};
  if (anchor.HasFor()) {
    tag->forExpression = CompileStored(*expr, anchor.ForExpression());
    if (tag->forExpression == nullptr) return kMdxCorrupted;
  }
  // A C key may be shorter on the blank record than stored: a key such as
  // TRIM(LAST)+FIRST is stored with the full width of its fields, and every
  // key made for the tag is blank-padded to the stored length. Only a
  // longer one cannot be held.
  if (anchor.Type() == KeyType::kCharacter &&
      BlankRecordKeyLength(area, *tag) > anchor.KeyLength()) {
    return kInvalidSize;
  }
  state.tagSlots[static_cast<std::size_t>(n - 1)] = std::move(tag);
  return 0;
}

void ReportTagFailure(int code, const std::string& path) {
  switch (code) {
    case kInvalidSize:
      SetError(kInvalidSize, "Incorrect key length: Must be 1 to 100. " + path);
      return;
    case kOutOfMemory:
      SetError(kOutOfMemory, "Insufficient memory to open index: " + path);
      return;
    default:
      SetError(kMdxCorrupted, "Invalid dBASE key expression or corrupted index file " + path);
      return;
  }
}

// Reads the header of the open file and opens every tag into `state`.
bool OpenIndexTags(WorkArea& area, IndexState& state) {
  const std::string& path = state.fileName;
  const SemaphoreScope reading(state, SemaphoreScope::Use::kRead);
  if (ReadMdxHeader(state.file, &state.header) != 0) {
    SetError(kMdxCorrupted, "Unable to open index: " + path);
    return false;
  }
  for (int n = 1; n <= state.header.TagCount(); ++n) {
    int code = 0;
    try {
      code = OpenTag(area, state, n);
    } catch (const std::bad_alloc&) {
      code = kOutOfMemory;
    }
    if (code != 0) {
      ReportTagFailure(code, path);
      return false;
    }
  }
  return true;
}

}  // namespace

bool SetIndexTo(const std::string& fileName) {
  ClearEngineError();
  if (CheckInUse("SetIndexTo")) return false;
  WorkArea& area = CurrentArea();
  if (AreaIndex(area) != nullptr) CloseIndex(area);
  auto state = std::make_unique<IndexState>();
  state->fileName = IndexFilePath(area, fileName);
  if (!platform::FileExists(state->fileName)) {
    SetError(platform::kFileNotFound, "SetIndexTo(" + state->fileName + ")");
    return false;
  }
  if (!OpenIndexHandle(area, *state)) return false;
  state->journal.SetPath(UpdateJournalPath(state->fileName));
  if (UsesSemaphore(area, state->file)) {
    if (IndexSemaphore::Login(area, &state->semaphore) != 0) return false;
    state->semaphore->SetRecovery([&area, index = state.get()](bool* changedFiles) {
      return RecoverInterruptedUpdate(area, *index, changedFiles);
    });
  } else if (!RecoverAtOpen(area, *state)) {
    return false;
  }
  if (!OpenIndexTags(area, *state)) {
    if (state->semaphore != nullptr) {
      AutoDispatchOff quiet;  // the open's own failure is the one to report
      const std::uint16_t code = EngineErrorCode();
      std::string detail = TakeDetailText();
      state->semaphore->Logout(area);
      SetError(code, detail);
    }
    return false;
  }
  // Nodes read are kept while another program's changes can be told: on an
  // exclusive table there are none, on a shared one the semaphore tells.
  state->nodes.SetKeepRead(area.exclusive || state->semaphore != nullptr);
  if (state->semaphore != nullptr) state->nodes.SetStamp(state->semaphore->Record().updateCounter);
  IndexState& installed = *state;
  InstallIndexState(area, std::move(state));
  if (PackMarked(area.file.Path())) return FinishInterruptedPack(area, installed);
  // Tag 1 controls; it starts on its first key (BOF and EOF when empty).
  if (installed.TagCount() == 0) return true;
  const SemaphoreScope reading(installed, SemaphoreScope::Use::kRead);
  return SeekEdge(installed, *installed.Controlling(), false);
}

}  // namespace pw
