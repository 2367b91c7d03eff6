// Index files of one tag laid out as other writers lay them out, written
// byte by byte without the engine's format layer: the header, the tag's
// nodes bottom-up, then its tag header, with the stored maximum keys per node,
// the key length and the node fill each test chooses.
#pragma once

#include <string>
#include <vector>

#include "index_build_test_support.h"

namespace pw::testing {

struct ForeignTag {
  std::string name;
  char type = 'C';
  int keyLength = 1;
  int storedMaxKeys = 0;  // offset 14 of the tag header
  std::string keyExpression;
  std::vector<LeafItem> items;  // in key order, keys of keyLength bytes
  int leafKeys = 0;             // keys written to a leaf
  int branchKeys = 0;           // keys written to a branch besides its trailing pointer
};

// Writes the index `path` of table `tableName` holding `tag`.
void WriteForeignMdx(const std::string& path, const std::string& tableName, const ForeignTag& tag);

// `text` blank-padded to `length` bytes.
std::string BlankPadded(std::string text, int length);

}  // namespace pw::testing
