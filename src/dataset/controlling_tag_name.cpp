#include "dataset/controlling_tag_name.h"

#include "engine/index/index_order.h"
#include "engine/index/index_state.h"
#include "engine/table/work_areas.h"

namespace pw {

std::string ControllingTagName() {
  const IndexState* index = AreaIndex(CurrentArea());
  if (index == nullptr || CurrentOrder() == 0 || index->Controlling() == nullptr) return {};
  return index->Controlling()->name;
}

}  // namespace pw
