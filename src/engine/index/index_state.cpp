#include "engine/index/index_state.h"

#include <utility>

#include "engine/index/index_semaphore.h"
#include "engine/table/work_area.h"

namespace pw {

IndexTag::IndexTag(int tagNumber, std::string tagName, std::uint32_t block, const TagHeader& header,
                   KeyCollation collation)
    : number(tagNumber),
      name(std::move(tagName)),
      anchorBlock(block),
      anchor(header),
      order(header.Order(collation)),
      currentKey(static_cast<std::size_t>(header.KeyLength()), ' '),
      currentNode(header.ItemLength()) {}

IndexState::IndexState() = default;
IndexState::~IndexState() = default;

IndexTag* IndexState::TagNumbered(int number) const {
  for (const auto& slot : tagSlots) {
    if (slot != nullptr && slot->number == number) return slot.get();
  }
  return nullptr;
}

IndexState* AreaIndex(WorkArea& area) {
  return dynamic_cast<IndexState*>(area.index.get());
}

void InstallIndexState(WorkArea& area, std::unique_ptr<IndexState> state) {
  if (AreaIndex(area) != nullptr) CloseIndex(area);
  area.index = std::move(state);
}

}  // namespace pw
