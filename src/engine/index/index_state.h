// The open index of one work area (held in WorkArea::index): the index file,
// its header and its nodes kept in memory, the tags in their slots, the
// natural-order flag, the path of the controlling tag from the root to the
// current leaf, and the index semaphore of a shared table.
//
// Slots: slot 1 always holds the controlling tag; every other tag sits in the
// slot of its tag-table number, except the tag displaced from slot 1, which
// sits in the slot of the controlling tag's number. Keys are added and
// removed in slot order.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/index/index_key.h"
#include "engine/index/index_node.h"
#include "engine/index/mdx_file_header.h"
#include "engine/index/mdx_limits.h"
#include "engine/index/node_cache.h"
#include "engine/index/record_key.h"
#include "engine/index/tag_header.h"
#include "engine/index/tag_hints.h"
#include "engine/index/update_journal.h"
#include "engine/table/engine_hooks.h"
#include "platform/file.h"

namespace pw {

class IndexSemaphore;

// One open tag.
struct IndexTag {
  // A tag read from the tag table: entry `tagNumber` named `tagName`, its
  // anchor at `block`. Starts at BOF and EOF with a blank current key; the
  // opener compiles the expressions and sets the recipe.
  // `collation`: the order of the table's language driver, for C keys.
  IndexTag(int tagNumber, std::string tagName, std::uint32_t block, const TagHeader& header,
           KeyCollation collation);

  int number;        // tag-table number, 1-47
  std::string name;  // as the tag table holds it
  std::uint32_t anchorBlock;
  TagHeader anchor;
  bool anchorChanged = false;

  std::unique_ptr<UnitState> keyExpression;
  std::unique_ptr<UnitState> forExpression;  // null without a FOR condition
  KeyRecipe recipe;                          // set when the key is compiled
  KeyOrder order;                            // over the whole key length

  TagHints hints;  // where records and nodes sit, once a search needed them

  std::string currentKey;  // key length bytes
  std::uint32_t currentBlock = 0;
  IndexNode currentNode;
  int item = 0;
  bool bof = true;
  bool eof = true;

  // Where the record being rewritten stood before the rewrite (noted before
  // the record is written, used to update the tag after it).
  enum class OldKey { kHeld, kForNotMet, kMissing };
  OldKey oldKey = OldKey::kMissing;
};

// One node of the controlling tag's path.
struct PathEntry {
  std::uint32_t block = 0;
  IndexNode node;
  // The child taken (a branch: 0 to Count(), Count() for the trailing
  // pointer) or the current item (the leaf).
  int position = 0;
};

struct IndexState final : UnitState {
  IndexState();
  ~IndexState() override;

  std::string fileName;  // the index file's full name, for messages
  platform::File file;
  NodeCache nodes;  // nodes kept in memory, changed nodes until WriteBack
  MdxHeader header;
  bool headerChanged = false;
  UpdateJournal journal;  // the undo journal of the update under way

  // tagSlots[0] is slot 1 (the controlling tag); tagSlots[n - 1] is slot n. Only
  // the first header.TagCount() slots are filled.
  std::array<std::unique_ptr<IndexTag>, kMdxMaxTags> tagSlots;
  bool naturalOrder = false;

  // Root first, current leaf last; filled by the tag numbered pathTag (0
  // when empty).
  std::vector<PathEntry> path;
  int pathTag = 0;

  bool found = false;                         // what the last Find left
  std::unique_ptr<IndexSemaphore> semaphore;  // null for exclusive tables

  int TagCount() const { return header.TagCount(); }
  IndexTag* Controlling() const { return tagSlots[0].get(); }
  // The tag numbered `number` wherever it sits, or null.
  IndexTag* TagNumbered(int number) const;
};

// The area's open index, or null.
IndexState* AreaIndex(WorkArea& area);

// Makes `state` the area's open index, replacing (and closing) any other.
void InstallIndexState(WorkArea& area, std::unique_ptr<IndexState> state);

// Writes changed anchors and the header, closes the file, logs out of the
// semaphore and frees the area's index state. False with the error
// reported when something could not be written or closed; the state is
// freed either way.
bool CloseIndex(WorkArea& area);

}  // namespace pw
