// Shared set-up of the index navigation and key maintenance tests: the
// index unit registered on top of the build fixture, an indexed table made
// with CreateDBF, Use, Append, MakeIndex and SetIndexTo, walks through the
// table engine in the controlling order, and edits of the current record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/index/index_state.h"
#include "index_build_test_support.h"

namespace pw::testing {

class IndexNavTest : public IndexTest {
 protected:
  void SetUp() override;

  // Creates table "t" with `fields` and `records`, builds `tags` into its
  // production index and opens it (tag 1 controlling).
  void OpenIndexed(const std::vector<FieldDef>& fields,
                   const std::vector<std::vector<std::string>>& records,
                   const std::vector<TagDescription>& tags);
  // The production index's path.
  std::string IndexPath() const;
  // The open index of the current work area.
  static IndexState& State();

  // Who wrote the tree: this engine fills leaves to the leaf capacity and
  // branches one key less; other writers fill both to the stored maximum
  // keys per node where their blocks hold that many.
  enum class TreeOrigin { kThisEngine, kOtherWriter };
  // The leaf items of tag `number` read through the open index's own file,
  // checking the tree on the way: every node within its key count, all
  // leaves at one depth, no empty node below the root, leaf keys in order,
  // and every branch key the highest key under its child.
  static std::vector<LeafItem> CheckedItems(int number,
                                            TreeOrigin origin = TreeOrigin::kThisEngine);
  // The record numbers of CheckedItems, in order.
  static std::vector<std::int32_t> TagRecords(int number);

  // Record numbers in the controlling order: GoTop then Skip(1) to EOF,
  // or GoBottom then Skip(-1) to BOF.
  static std::vector<std::int32_t> WalkForward();
  static std::vector<std::int32_t> WalkBackward();
  // The current record's stored field, trailing blanks kept.
  static std::string FieldText(const std::string& name);
  // Sets field `name` of the current record to `stored` and writes it.
  void Rewrite(const std::string& name, const std::string& stored);

  std::string tablePath_;
};

}  // namespace pw::testing
