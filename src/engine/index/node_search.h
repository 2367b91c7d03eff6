// Where a key belongs within one node: the first item whose key is not
// below it. In a branch the pointer at that position (the trailing pointer
// for a position past the last item) leads one level down.
#pragma once

#include "engine/index/index_key.h"
#include "engine/index/index_node.h"

namespace pw {

enum class NodePlace {
  kAtOrBelowFirst,  // empty node, or the key is not above the first key
  kInside,          // between the first and the last key
  kBeyond,          // above the last key: position Count()
};

struct NodePosition {
  int position = 0;
  NodePlace place = NodePlace::kAtOrBelowFirst;
};

NodePosition SearchNode(const IndexNode& node, const unsigned char* key, const KeyOrder& order);

}  // namespace pw
