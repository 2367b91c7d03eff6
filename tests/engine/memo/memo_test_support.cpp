#include "memo_test_support.h"

#include "common/error_state.h"
#include "common/number_routines.h"
#include "common/text_routines.h"
#include "engine/memo/blob_stream.h"
#include "engine/memo/memo_file.h"
#include "engine/memo/memo_pack_journal.h"
#include "engine/memo/memo_unit.h"
#include "engine/table/peek_poke.h"
#include "engine/table/use.h"

namespace pw::testing {

unsigned char VersionOf(MemoKind kind) {
  switch (kind) {
    case MemoKind::Dbase3:
      return 0x83;
    case MemoKind::FoxPro:
      return 0xF5;
    case MemoKind::Dbase4:
      break;
  }
  return 0x8B;
}

void MemoTest::SetUp() {
  TableTest::SetUp();
  savedMemoHooks_ = RegisteredHooks().memo;
  RegisterMemoUnit();
  Settings().networkMode = false;
}

void MemoTest::TearDown() {
  TableTest::TearDown();
  RegisteredHooks().memo = savedMemoHooks_;
}

std::string MemoTest::MakeTable(const std::string& name, MemoKind kind,
                                const std::vector<std::int32_t>& blocks) {
  std::vector<std::string> records;
  for (std::int32_t block : blocks) {
    records.push_back(" " + PadRight(name, 10) + MemoFieldText(static_cast<std::uint32_t>(block)));
  }
  const std::string path = Path(name + ".dbf");
  WriteBytes(path, DbfBytes(VersionOf(kind), {{"NAME", 'C', 10}, {"MEMO", 'M', 10}}, records));
  EXPECT_TRUE(CreateMemofile(MemoPath(path, kind), VersionOf(kind), 512, "test")) << Detail();
  return path;
}

void MemoTest::Open(const std::string& path) {
  ASSERT_TRUE(Use(path)) << Detail();
}

std::string MemoTest::MemoPath(const std::string& path, MemoKind kind) const {
  return path.substr(0, path.size() - 3) + (kind == MemoKind::FoxPro ? "fpt" : "dbt");
}

std::int32_t MemoTest::WriteMemo(const std::string& data, bool translate) {
  const std::int32_t block = CreateBlobDescriptor(translate, 0, 2);
  EXPECT_NE(block, 0) << Detail();
  EXPECT_EQ(WriteBlobStream(data.data(), data.size()), data.size()) << Detail();
  EXPECT_TRUE(CloseBlobStream()) << Detail();
  return block < 0 ? -block : block;
}

std::string MemoTest::ReadMemo(std::int32_t block, bool translate, std::size_t piece) {
  EXPECT_NE(CreateBlobDescriptor(translate, block, 1), 0) << Detail();
  std::string data;
  std::string buffer(piece, '\0');
  while (std::size_t got = ReadBlobStream(buffer.data(), buffer.size())) {
    data.append(buffer, 0, got);
  }
  EXPECT_TRUE(CloseBlobStream());
  return data;
}

std::int32_t MemoTest::StoredBlock(std::int32_t record) {
  return ValLongText(AllTrim(Peek(2, record)));
}

void MemoTest::PointAt(std::int32_t record, std::int32_t block) {
  ASSERT_TRUE(Poke(MemoFieldText(static_cast<std::uint32_t>(block)), 2, record)) << Detail();
}

}  // namespace pw::testing
