#include "engine/index/index_find.h"

#include <cstdint>
#include <memory>
#include <utility>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/index/index_navigation.h"
#include "engine/index/semaphore_scope.h"
#include "engine/index/sync_index.h"
#include "engine/index/tag_record.h"
#include "engine/index/tag_walk.h"
#include "engine/table/engine_state.h"
#include "engine/table/record_io.h"
#include "engine/table/refresh_count.h"
#include "engine/table/visibility.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

constexpr std::size_t kLongestSearchText = 100;

// A search key and the order it is compared under.
struct SearchKey {
  std::string bytes;
  KeyOrder order;
};

double DayNumberOfText(std::string text) {
  ExprHooks* expr = RegisteredHooks().expr;
  const std::size_t first = text.find_first_not_of(' ');
  text = first == std::string::npos ? std::string() : text.substr(first);
  text.erase(text.find_last_not_of(' ') + 1);
  if (expr == nullptr || text.find('"') != std::string::npos) return kBlankDateDay;
  const std::unique_ptr<UnitState> ctod = expr->AssignExpr("CTOD(\"" + text + "\")");
  const void* day = ctod == nullptr ? nullptr : expr->Evaluate(*ctod);
  return day == nullptr ? kBlankDateDay : *static_cast<const double*>(day);
}

// The text as a key of the tag's type. A C text is compared over its own
// length unless `exact` pads it with blanks to the key length, so that a
// descent lands on the first key that begins with it in either direction.
SearchKey MakeSearchKey(const WorkArea& area, const IndexTag& tag, std::string text, bool exact) {
  SearchKey search{{}, tag.order};
  switch (tag.anchor.Type()) {
    case KeyType::kNumeric: {
      const PackedDecimal key = PackDecimal(text, 0);
      search.bytes.assign(key.begin(), key.end());
      return search;
    }
    case KeyType::kDate: {
      const DateKeyBytes key = DateKey(DayNumberOfText(text));
      search.bytes.assign(key.begin(), key.end());
      return search;
    }
    case KeyType::kCharacter:
      break;
  }
  const auto keyLength = static_cast<std::size_t>(tag.anchor.KeyLength());
  if (text.size() > keyLength) text.resize(keyLength);
  if (exact) text.resize(keyLength, ' ');
  search.order.length = text.size();
  search.bytes = CharacterKey(text, area.oem);
  search.bytes.resize(keyLength, '\0');
  return search;
}

bool& ExactSearch() {
  return ProcessState().exactFind;
}

// The first visible record from the tag's position on.
bool SkipHidden(WorkArea& area, IndexState& state, IndexTag& tag) {
  while (!tag.eof) {
    if (ReadRecord(area, static_cast<std::int32_t>(RecordAt(tag))) != 0) return false;
    if (IsVisible(area)) return true;
    if (!StepForward(state, tag)) return false;
  }
  return true;
}

// Whether the tag already stands where ReloadCurrentKeys would put it: on
// the current record's own item, holding the record's key, which meets the
// FOR condition. Saves the second descent after a Find.
bool StandsOnRecord(const WorkArea& area, IndexTag& tag) {
  if (tag.eof || RecordAt(tag) != static_cast<std::uint32_t>(area.recordNumber)) return false;
  if (!KeyAtEquals(tag, KeyOfRecord(tag)) || !MeetsFor(tag)) return false;
  tag.bof = false;
  return true;
}

bool Search(WorkArea& area, IndexState& state, const SearchKey& search) {
  // Another program's new records may already hold keys: the count is
  // read again before a found record is read.
  if (!CheckForeignChanges(area, state) || !RefreshCountReported(area, "Find")) return false;
  IndexTag& tag = *state.Controlling();
  const auto* key = reinterpret_cast<const unsigned char*>(search.bytes.data());
  if (!SeekKey(state, tag, key, search.order, SeekMode::kFind)) return false;
  tag.bof = false;
  if (!SkipHidden(area, state, tag)) return false;
  state.found = !tag.eof && search.order.Compare(tag.currentNode.Key(tag.item), key) == 0;
  // Only the controlling tag is placed on the record. The other tags are
  // placed when next used, and every use positions them afresh: a change of
  // order syncs the tag that takes control, key maintenance seeks each key
  // it adds or removes. Walking their runs of equal keys here made each
  // Find linear in the table.
  if (state.found) return StandsOnRecord(area, tag) || ReloadCurrentKeys(area, state);
  SetEndOfFileState(area);
  tag.eof = true;
  return true;
}

}  // namespace

bool Find(const std::string& keyText) {
  ClearEngineError();
  if (CheckInUse("Find")) return false;
  WorkArea& area = CurrentArea();
  IndexState* state = AreaIndex(area);
  if (state == nullptr) {
    SetError(kIndexNotOpen, "Index not open. (DBF=" + area.fileName + ") [Find]");
    return false;
  }
  if (state->naturalOrder || state->Controlling() == nullptr) {
    SetError(kInternalError, "Cannot use Find() with index order 0 (natural order) [Find]");
    return false;
  }
  if (keyText.empty()) return false;
  const SearchKey search = MakeSearchKey(area, *state->Controlling(),
                                         keyText.substr(0, kLongestSearchText), ExactSearch());
  state->found = false;
  const SemaphoreScope reading(*state, SemaphoreScope::Use::kRead);
  Search(area, *state, search);
  return state->found;
}

bool FindExact(const std::string& keyText) {
  struct ExactForTheSearch {
    bool previous = std::exchange(ExactSearch(), true);
    ~ExactForTheSearch() { ExactSearch() = previous; }
  } exact;
  return Find(keyText);
}

bool Found() {
  IndexState* state = AreaIndex(CurrentArea());
  return state != nullptr && state->found;
}

}  // namespace pw
