#include "engine/index/index_unit.h"

#include "common/error_state.h"
#include "engine/index/index_navigation.h"
#include "engine/index/index_semaphore.h"
#include "engine/index/index_semaphore_settings.h"
#include "engine/index/index_update.h"
#include "engine/index/key_maintenance.h"
#include "engine/index/reindex.h"
#include "engine/index/reopen_index.h"
#include "engine/index/sync_index.h"
#include "engine/index/tag_node_io.h"
#include "engine/table/work_area.h"

namespace pw {
namespace {

// The area's index when it has a controlling tag; null otherwise.
IndexState* OpenIndex(WorkArea& area) {
  IndexState* state = AreaIndex(area);
  return state != nullptr && state->Controlling() != nullptr ? state : nullptr;
}

// An index-ordered step that raises the engine's exception gives 0.
long Step(WorkArea& area, long (*step)(WorkArea&, IndexState&)) {
  try {
    return step(area, *OpenIndex(area));
  } catch (const EngineError&) {
    return 0;
  }
}

class IndexUnit : public IndexHooks {
 public:
  bool IndexActive(WorkArea& area) override { return OpenIndex(area) != nullptr; }

  void IndexNavigate(WorkArea& area, bool begin) override {
    IndexState* state = OpenIndex(area);
    if (state == nullptr || state->semaphore == nullptr) return;
    state->semaphore->SetRead(begin);
    // Nodes kept from before another program's update are not used.
    if (begin) FollowUpdateCounter(*state);
  }

  bool IndexUpdate(WorkArea& area, bool begin) override {
    IndexState* state = OpenIndex(area);
    if (state == nullptr) return true;
    return begin ? BeginIndexUpdate(area, *state) : EndIndexUpdate(area, *state);
  }

  long IndexFirst(WorkArea& area) override { return Step(area, FirstRecord); }
  long IndexLast(WorkArea& area) override { return Step(area, LastRecord); }
  long IndexNext(WorkArea& area) override { return Step(area, NextRecord); }
  long IndexPrev(WorkArea& area) override { return Step(area, PriorRecord); }

  bool IndexAtEnd(WorkArea& area) override {
    IndexState& state = *OpenIndex(area);
    return state.naturalOrder ? area.eof : state.Controlling()->eof;
  }

  bool IndexAtStart(WorkArea& area) override {
    IndexState& state = *OpenIndex(area);
    return state.naturalOrder ? area.bof : state.Controlling()->bof;
  }

  void IndexSetStart(WorkArea& area) override { OpenIndex(area)->Controlling()->bof = true; }
  void IndexSetEnd(WorkArea& area) override { OpenIndex(area)->Controlling()->eof = true; }

  void IndexPositionLost(WorkArea& area) override {
    IndexState& state = *OpenIndex(area);
    if (!state.naturalOrder) ReloadCurrentKeys(area, state);
  }

  void IndexSync(WorkArea& area) override {
    IndexState& state = *OpenIndex(area);
    if (!state.naturalOrder) SyncIndex(area, state);
  }

  bool IndexAddKeys(WorkArea& area) override { return AppendNewKey(area, *OpenIndex(area)); }
  bool IndexNoteOldKeys(WorkArea& area) override {
    IndexState& state = *OpenIndex(area);
    return NoteRecordBeforeRewrite(area, state) && NoteOldKeys(area, state);
  }
  bool IndexUpdateKeys(WorkArea& area) override { return CompareKeys(area, *OpenIndex(area)); }
  bool IndexRebuild(WorkArea&) override { return Reindex(); }
  void IndexClose(WorkArea& area) override { CloseIndex(area); }
  bool IndexReopen(WorkArea& area) override { return ReopenIndex(area); }
};

}  // namespace

void RegisterIndexUnit() {
  // Never destroyed: the exit handler that closes the tables still open
  // calls the unit, also when it was registered after that handler.
  static IndexUnit& unit = *new IndexUnit;
  RegisteredHooks().index = &unit;
  // Made before any table opens, so that it outlives the exit handler that
  // closes the tables still open (and logs them out of the semaphore).
  IndexSemaphoreSettings();
}

}  // namespace pw
