// Shared set-up of the filter and locate tests: the expression and memo
// units registered for the test (all hooks restored afterwards) and a table
// with a field of every type searched, memo text stored through the memo
// unit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/expr/expr_test_support.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/locate_value.h"

namespace pw::testing {

struct Person {
  std::string name{};       // NAME C(20)
  std::string handle{};     // HANDLE N(10), stored text
  std::string amount{};     // AMOUNT N(15,2), stored text
  std::string due{};        // DUE D, YYYYMMDD or blank
  std::string done = "F";   // DONE L
  std::string alarm = "N";  // ALARMACT C(1)
  std::string desc{};       // DESC C(10)
  std::string memo{};       // MEMO M(10): the text, stored as a new entry unless empty
};

class FilterLocateTest : public ExprTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates and opens the table "people" holding `people`, in that order.
  void OpenPeople(const std::vector<Person>& people);
  // Marks record n deleted (the current record moves there).
  void Delete(std::int32_t n);
  // The record numbers that GoTop and Skip(1) visit.
  std::vector<std::int32_t> VisitedForward();
  // The record numbers that GoBottom and Skip(-1) visit.
  std::vector<std::int32_t> VisitedBackward();
  std::int32_t Current() const;
  bool AtEof() const;

 private:
  EngineHooks savedHooks_;
};

LocateValue TextValue(const std::string& text);
LocateValue WholeValue(long long whole);
LocateValue RealValue(double real);
LocateValue TruthValue(bool truth);

}  // namespace pw::testing
