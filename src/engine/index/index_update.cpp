#include "engine/index/index_update.h"

#include "common/error_state.h"
#include "engine/index/index_navigation.h"
#include "engine/index/index_semaphore.h"
#include "engine/index/tag_node_io.h"
#include "engine/index/update_journal.h"
#include "engine/table/record_count.h"
#include "engine/table/record_io.h"

namespace pw {
namespace {

bool ReportJournal(const IndexState& state, int code) {
  SetError(static_cast<std::uint16_t>(code),
           "Error writing index file: " + state.journal.Path() + " [SeekAndWrite]");
  return false;
}

JournalSpan RecordSpan(const WorkArea& area, std::int32_t record) {
  return {RecordOffset(area, record), area.recordLength};
}

}  // namespace

bool BeginIndexUpdate(WorkArea& area, IndexState& state) {
  if (state.semaphore != nullptr) {
    // Another program's (or work area's) keys and splits come in before this
    // update writes a record or a key, so that both go into the trees as
    // they are on disk now.
    bool changed = false;
    if (!state.semaphore->SetLock(true) || !TakeInForeignChanges(state, &changed)) return false;
  }
  // A record appended by another program, or taken back by a rollback,
  // moves the place of a new one.
  if (const int code = RefreshRecordCount(area)) return ReportJournal(state, code);
  const int code = state.journal.BeginTable(area.file, {RecordSpan(area, area.recordCount + 1)});
  return code == 0 || ReportJournal(state, code);
}

bool NoteRecordBeforeRewrite(WorkArea& area, IndexState& state) {
  const int code = state.journal.AddTableSpans(area.file, {RecordSpan(area, area.recordNumber)});
  return code == 0 || ReportJournal(state, code);
}

bool EndIndexUpdate(WorkArea&, IndexState& state) {
  const int code = state.journal.InUpdate() ? state.journal.Finish() : 0;
  const bool finished = code == 0 || ReportJournal(state, code);
  if (state.semaphore == nullptr) return finished;
  const std::uint16_t before = state.semaphore->Record().updateCounter;
  const bool released = state.semaphore->SetLock(false);
  FollowOwnUpdate(state, before);
  return finished && released;
}

int RecoverInterruptedUpdate(WorkArea& area, IndexState& state, bool* rolledBack) {
  const int code = state.journal.RollBack(area.file, state.file, rolledBack);
  if (code != 0) {
    SetError(static_cast<std::uint16_t>(code),
             "Cannot undo the interrupted update in " + state.journal.Path());
    return code;
  }
  if (*rolledBack) {
    DropNodeCopies(state);
    if (const int countCode = DeriveRecordCount(area)) return countCode;
  }
  return 0;
}

}  // namespace pw
