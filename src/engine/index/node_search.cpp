#include "engine/index/node_search.h"

namespace pw {

NodePosition SearchNode(const IndexNode& node, const unsigned char* key, const KeyOrder& order) {
  const int count = node.Count();
  if (count == 0 || order.Compare(key, node.Key(0)) <= 0) return {0, NodePlace::kAtOrBelowFirst};
  if (order.Compare(key, node.Key(count - 1)) > 0) return {count, NodePlace::kBeyond};
  // Key(low) < key <= Key(high) holds throughout.
  int low = 0;
  int high = count - 1;
  while (high - low > 1) {
    const int middle = low + (high - low) / 2;
    if (order.Compare(node.Key(middle), key) < 0) {
      low = middle;
    } else {
      high = middle;
    }
  }
  return {high, NodePlace::kInside};
}

}  // namespace pw
