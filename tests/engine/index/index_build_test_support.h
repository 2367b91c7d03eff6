// Shared set-up of the index build and open tests: the expression and memo
// units registered for the test's duration (the hooks restored after),
// tables written record by record or byte by byte, and an in-order walk of
// a tag's tree through the format layer's own readers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/expr/expr_test_support.h"
#include "engine/index/tag_description.h"
#include "engine/index/tag_header.h"
#include "engine/table/engine_hooks.h"

namespace pw::testing {

// One leaf item: the record number and the key bytes (key length).
struct LeafItem {
  std::uint32_t record = 0;
  std::string key;
};

// The five tags of the note tables and their IndexList lines.
std::vector<std::string> NoteIndexListLines();
// Fields the note-table tags need: NOTEBOARD C(50), HANDLE N(10),
// SHOWING C(1), ALARMACT C(1), EXPIRES C(1).
std::vector<FieldDef> NoteTagFields();

class IndexTest : public ExprTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes the table `name` with `fields` and `records` (one stored text
  // per field, as ExprTest::AddRecord places them) in one go, and opens it
  // exclusively in the current work area. Returns the table's path.
  std::string WriteTable(const std::string& name, const std::vector<FieldDef>& fields,
                         const std::vector<std::vector<std::string>>& records);
  // The tag numbered `tag` of the index file: its anchor and, walking the
  // tree from the root, its leaf items in order. Every branch key is checked
  // to be the highest key under its child.
  TagHeader Anchor(const std::string& indexPath, int tag);
  std::vector<LeafItem> LeafItems(const std::string& indexPath, int tag);
  // MakeIndex of one tag; fails the test with the engine's detail text.
  void Build(const TagDescription& tag, const std::string& fileName = "");

 private:
  EngineHooks savedHooks_;
};

}  // namespace pw::testing
