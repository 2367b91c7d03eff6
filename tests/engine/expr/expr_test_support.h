// Shared set-up of the expression tests: real tables made with CreateDBF,
// opened with Use and filled with Append, and short ways to compile and
// evaluate an expression against the current record.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/expr/compiled_expr.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/field_def.h"
#include "engine/table/table_test_support.h"

namespace pw::testing {

// The note-like table most tests use, one record:
//   NOTEBOARD C(50) "Shopping list"  HANDLE N(10) 42  SHOWING C(1) "Y"
//   ALARMACT C(1) "Y"  DATECREATE D 20240307  NAME C(20) "abc"
//   AMOUNT N(8,2) 12.50  FLAG L T  DATE D 20000101
std::vector<FieldDef> NoteFields();
std::vector<std::string> NoteRecord();

class ExprTest : public TableTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates `name` with `fields`, opens it exclusively in the current work
  // area (with `alias` when given) and appends `records`: one stored text
  // per field, left-aligned for C, D and L, right-aligned for N, F and M.
  void OpenTable(const std::string& name, const std::vector<FieldDef>& fields,
                 const std::vector<std::vector<std::string>>& records,
                 const std::string& alias = "");
  void OpenNotes() { OpenTable("notes", NoteFields(), {NoteRecord()}); }
  void AddRecord(const std::vector<std::string>& values);
  // Overwrites field `name` of the current record in memory (the raw record).
  void PokeField(const std::string& name, const std::string& stored);

  // Compiles; a failure fails the test with the engine's detail text.
  CompiledExpr* Compile(const std::string& text);
  // Compiles, checks the result type, evaluates once and releases.
  std::string Text(const std::string& text);
  double Number(const std::string& text);
  double DateValue(const std::string& text);
  bool Logical(const std::string& text);
  // The error code of a failed compilation (0 when it compiled).
  int CompileError(const std::string& text);

 private:
  std::vector<CompiledExpr*> compiled_;
  int savedMemoSize_ = 0;
  MemoHooks* savedMemoHooks_ = nullptr;
};

}  // namespace pw::testing
