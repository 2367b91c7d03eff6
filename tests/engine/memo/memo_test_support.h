// Shared set-up of the memo unit tests: the memo unit registered for the
// test's duration, tables with a memo field of each kind, and memo I/O
// through the stream operations.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/memo/memo_format.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/table_test_support.h"

namespace pw::testing {

// The table version byte of each memo kind.
unsigned char VersionOf(MemoKind kind);

class MemoTest : public TableTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A table "name" with fields NAME C(10) and MEMO M(10) of the given kind
  // and `records` records whose memo fields hold `blocks` (one per record),
  // with a new memo file beside it. Returns the table's path.
  std::string MakeTable(const std::string& name, MemoKind kind,
                        const std::vector<std::int32_t>& blocks = {});
  // Opens the table exclusively (network mode off) in the current work area.
  void Open(const std::string& path);
  // The memo file's path of table `path`.
  std::string MemoPath(const std::string& path, MemoKind kind) const;

  // Writes `data` through a write stream; returns the block (absolute).
  std::int32_t WriteMemo(const std::string& data, bool translate = false);
  // Reads entry `block` through a read stream in pieces of `piece` bytes.
  std::string ReadMemo(std::int32_t block, bool translate = false, std::size_t piece = 4096);
  // The memo field of record n as a block number (Peek).
  std::int32_t StoredBlock(std::int32_t record);
  // Points record n's memo field at `block` (Poke).
  void PointAt(std::int32_t record, std::int32_t block);

 private:
  MemoHooks* savedMemoHooks_ = nullptr;
};

}  // namespace pw::testing
