// Closing a work area's index: nodes still waiting for a write-back, changed
// anchors (under a lock of byte 0 of the index file when the table is
// shared) and the header are written, the tags and the file closed, and the
// program logged out of the semaphore.
// The first failure is reported once everything is released.
#include <cstdint>
#include <string>

#include "common/error_state.h"
#include "engine/index/index_semaphore.h"
#include "engine/index/index_state.h"
#include "engine/index/tag_node_io.h"
#include "engine/index/update_journal.h"
#include "engine/table/lock.h"
#include "engine/table/work_area.h"

namespace pw {
namespace {

constexpr std::uint64_t kAnchorLockOffset = 0;
constexpr std::uint64_t kAnchorLockLength = 1;

bool WriteChangedAnchor(IndexState& state, IndexTag& tag, bool shared) {
  if (!tag.anchorChanged) return true;
  if (shared) {
    const std::uint16_t code = LockRegion(state.file, kAnchorLockOffset, kAnchorLockLength);
    if (code != 0) {
      SetError(code, "Could not lock index for writing anchor node " + IndexTagText(state, tag));
      return false;
    }
  }
  bool written = WriteAnchor(state, tag);
  if (shared) {
    const std::uint16_t code = UnlockRegion(state.file, kAnchorLockOffset, kAnchorLockLength);
    if (code != 0) {
      SetError(code,
               "Could not unlock index after writing anchor node " + IndexTagText(state, tag));
      written = false;
    }
  }
  return written;
}

}  // namespace

bool CloseIndex(WorkArea& area) {
  IndexState* state = AreaIndex(area);
  if (state == nullptr) return true;
  const bool dispatch = SetAutoDispatch(false);
  bool closed = WriteChangedNodes(*state);
  for (const auto& slot : state->tagSlots) {
    if (slot != nullptr && !WriteChangedAnchor(*state, *slot, !area.exclusive)) closed = false;
  }
  if (!WriteHeaderIfChanged(*state)) closed = false;
  for (auto& slot : state->tagSlots) slot.reset();
  // An exclusive table's journal is nobody else's; an empty one goes. (A
  // shared table's stays: another program may be about to write it.)
  const bool writable = state->file.AccessMode() == platform::Access::ReadWrite;
  if (area.exclusive && writable && !state->journal.Hot()) {
    state->journal.Remove();
  }
  const int code = state->file.Close();
  if (code != 0 && closed) {
    SetError(static_cast<std::uint16_t>(code), "Error closing index file:  " + state->fileName);
    closed = false;
  }
  if (state->semaphore != nullptr && state->semaphore->Logout(area) != 0) closed = false;
  area.index.reset();
  SetAutoDispatch(dispatch);
  if (!closed && dispatch) DispatchError();
  return closed;
}

}  // namespace pw
