// Fixture for navigation and editing tests: a table of one C(3) field TEXT
// whose records are given as their stored bytes (" abc" live, "*abc"
// deleted), opened in work area 1.
#pragma once

#include <string>
#include <vector>

#include "table_test_support.h"

namespace pw::testing {

class SmallTableTest : public TableTest {
 public:
  // The current raw record, deletion flag included.
  static std::string RawText();
  // The text of the image's TEXT slot (after its length byte).
  static std::string ImageText();
  // Puts `text` (3 characters) into the image's TEXT slot.
  static void SetImageText(const std::string& text);
  // The full upper-case path the engine names the table by.
  static std::string TableName();

 protected:
  static constexpr std::size_t kRecordLength = 4;

  // Writes the table and opens it with `options` (" EXCLUSIVE" or "").
  void Open(const std::vector<std::string>& records, const std::string& options = " EXCLUSIVE");
  // Record n as stored in the file now.
  std::string Stored(int n) const;

  std::string path_;
};

}  // namespace pw::testing
