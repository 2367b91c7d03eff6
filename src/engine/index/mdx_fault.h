// Why bytes read from an index file were refused. Counts, lengths, links and
// block numbers read from a file are never trusted: every reader checks them
// and names the fault, and the index engine reports any fault as a corrupted
// index (kMdxCorrupted).
#pragma once

#include <cstdint>

namespace pw {

inline constexpr int kMdxCorrupted = 222;

enum class MdxFault {
  kNone,
  kFileTooShort,  // below header plus one node
  kHeaderLayout,  // node or tag-entry size other than the fixed ones
  kTagCount,      // more than 47 tags
  kTagEntry,      // a tag entry with a bad block, link, name or key type
  kKeyType,       // key type other than C, N, D
  kKeyLength,     // key length outside 1-100, or not 12 for N / 8 for D
  kItemLayout,    // item length or keys per node that cannot fit a node
  kExpression,    // expression text without its terminator or too long
  kNodeCount,     // a node whose items run past its 1024 bytes
};

}  // namespace pw
