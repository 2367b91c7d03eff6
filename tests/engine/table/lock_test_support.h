// Shared set-up of the lock tests: a scratch folder with a freshly created
// table, engine settings restored after each test, and a probe that asks a
// separate open of the file which byte range is locked.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/table/engine_settings.h"
#include "engine/table/field_def.h"

namespace pw::testing {

// A lock found by F_OFD_GETLK: where it starts and how long it is.
struct HeldRange {
  std::uint64_t offset = 0;
  std::uint64_t length = 0;
};

// Asks a raw open of `path` (no sharing lock of its own) for the first lock of
// another open that overlaps [offset, offset + length).
std::optional<HeldRange> LockHeldOn(const std::string& path, std::uint64_t offset,
                                    std::uint64_t length);

// Fields whose header is 1217 bytes long and whose records are 481 bytes.
std::vector<FieldDef> NoteSizedFields();

class LockTableTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates `name` in the scratch folder and returns its full path.
  std::string CreateTable(const std::string& name, const std::vector<FieldDef>& fields);
  // Opens `path` in the current work area with the Use options given.
  void Open(const std::string& path, const std::string& options = "");
  // Makes `recordNumber` the current record of the current work area.
  void MoveTo(std::int32_t recordNumber);

  std::string folder_;
  std::string tablePath_;

 private:
  EngineSettings savedSettings_;
  bool savedAutoDispatch_ = true;
};

}  // namespace pw::testing
