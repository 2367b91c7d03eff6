// Pack: which records stay, the bytes of the packed file, the position
// afterwards, failures that leave the table alone, the memo and index hooks,
// and the sharing mode of the table across the pack (with real processes).
#include "engine/table/pack.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/date_text.h"
#include "common/error_state.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "support/forked_child.h"
#include "table_test_support.h"

namespace pw::testing {
namespace {

const std::vector<RawField> kFields = {{"TEXT", 'C', 4}};
constexpr std::size_t kHeaderLength = 32 + 32 + 1;
constexpr std::size_t kRecordLength = 5;

std::string RawRecord() {
  const WorkArea& area = CurrentArea();
  return std::string(area.raw.begin(), area.raw.end());
}

// The records of a file's bytes, as many as its prolog counts.
std::vector<std::string> RecordsIn(const Bytes& bytes) {
  std::vector<std::string> records;
  const std::size_t header = Le16(bytes, 8);
  const std::size_t length = Le16(bytes, 10);
  for (std::uint32_t n = 0; n < Le32(bytes, 4); ++n) {
    const auto at = bytes.begin() + static_cast<std::ptrdiff_t>(header + n * length);
    records.emplace_back(at, at + static_cast<std::ptrdiff_t>(length));
  }
  return records;
}

class PackTest : public TableTest {
 protected:
  std::string Table(const std::vector<std::string>& records, unsigned char version = 0x03) {
    const std::string path = Path("notes.dbf");
    WriteBytes(path, DbfBytes(version, kFields, records));
    return path;
  }
  std::string Twin(const std::string& path) const { return path + ".$PK"; }
};

TEST_F(PackTest, KeepsLiveRecordsInOrderAndClosesUpTheirNumbers) {
  const std::string path = Table({"*one ", " two ", "*six ", " ten "});
  const Bytes before = ReadBytes(path);
  ASSERT_TRUE(Use(path + " EXCLUSIVE"));
  ASSERT_TRUE(Pack()) << Detail();
  const WorkArea& area = CurrentArea();
  EXPECT_EQ(area.recordCount, 2);
  EXPECT_EQ(area.recordNumber, 1);
  EXPECT_FALSE(area.bof);
  EXPECT_FALSE(area.eof);
  EXPECT_EQ(RawRecord(), " two ");
  EXPECT_EQ(area.headerState, HeaderState::Clean);

  const Bytes after = ReadBytes(path);
  ASSERT_EQ(after.size(), kHeaderLength + 2 * kRecordLength + 1);
  EXPECT_EQ(Le32(after, 4), 2u);
  EXPECT_EQ(RecordsIn(after), (std::vector<std::string>{" two ", " ten "}));
  EXPECT_EQ(after.back(), 0x1A);
  const TodayDate today = TodayParts();
  EXPECT_EQ(after[1], (today.year - 1900) % 256);
  EXPECT_EQ(after[2], today.month);
  EXPECT_EQ(after[3], today.day);
  // Everything else of the header is as it was.
  EXPECT_TRUE(std::equal(before.begin() + 8, before.begin() + kHeaderLength, after.begin() + 8));
  EXPECT_EQ(before[0], after[0]);
}

TEST_F(PackTest, AllRecordsDeletedLeavesAnEmptyTableWithItsEndMarker) {
  const std::string path = Table({"*one ", "*two "});
  ASSERT_TRUE(Use(path + " EXCLUSIVE"));
  ASSERT_TRUE(Pack()) << Detail();
  const WorkArea& area = CurrentArea();
  EXPECT_EQ(area.recordCount, 0);
  EXPECT_EQ(area.recordNumber, 0);
  EXPECT_TRUE(area.bof);
  EXPECT_TRUE(area.eof);
  EXPECT_EQ(RawRecord(), "     ");
  const Bytes after = ReadBytes(path);
  ASSERT_EQ(after.size(), kHeaderLength + 1);
  EXPECT_EQ(after.back(), 0x1A);
  EXPECT_EQ(Le32(after, 4), 0u);
}

TEST_F(PackTest, EmptyTableSucceedsWithoutTouchingTheFile) {
  const std::string path = Table({});
  const Bytes before = ReadBytes(path);
  ASSERT_TRUE(Use(path + " EXCLUSIVE"));
  EXPECT_TRUE(Pack());
  EXPECT_EQ(EngineErrorCode(), 0);
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_FALSE(std::filesystem::exists(Twin(path)));
}

TEST_F(PackTest, CopiesRecordBytesWithoutTranslationAndTheFileArea16To27) {
  // OEM bytes that an ANSI round trip would have to get right.
  const std::string path = Table({"*\x81\x82\x83\x84", " \x99\xE1\x9A\xFF", " \x01\x02\x80 "});
  Bytes bytes = ReadBytes(path);
  for (std::size_t i = 16; i < 28; ++i) bytes[i] = static_cast<unsigned char>(0xA0 + i);
  WriteBytes(path, bytes);
  ASSERT_TRUE(Use(path + " EXCLUSIVE"));
  ASSERT_TRUE(Pack()) << Detail();
  const Bytes after = ReadBytes(path);
  EXPECT_EQ(RecordsIn(after), (std::vector<std::string>{" \x99\xE1\x9A\xFF", " \x01\x02\x80 "}));
  EXPECT_TRUE(std::equal(bytes.begin() + 16, bytes.begin() + 28, after.begin() + 16));
}

TEST_F(PackTest, KeepsTheModeOfTheTableFile) {
  const std::string path = Table({"*one ", " two "});
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(Use(path + " EXCLUSIVE"));
  ASSERT_TRUE(Pack()) << Detail();
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(PackTest, ReplacesATwinLeftByAnEarlierCrashAndLeavesNoneBehind) {
  const std::string path = Table({"*one ", " two "});
  WriteBytes(Twin(path), Bytes(3000, 'x'));
  ASSERT_EQ(chmod(Twin(path).c_str(), 0444), 0);
  ASSERT_TRUE(Use(path + " EXCLUSIVE"));
  ASSERT_TRUE(Pack()) << Detail();
  EXPECT_EQ(RecordsIn(ReadBytes(path)), std::vector<std::string>{" two "});
  EXPECT_FALSE(std::filesystem::exists(Twin(path)));
}

TEST_F(PackTest, PacksTheFileBehindASymbolicLinkAndKeepsTheLink) {
  const std::string target = Table({"*one ", " two "});
  const std::string link = Path("link.dbf");
  ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
  ASSERT_TRUE(Use(link + " EXCLUSIVE"));
  ASSERT_TRUE(Pack()) << Detail();
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(RecordsIn(ReadBytes(target)), std::vector<std::string>{" two "});
}

TEST_F(PackTest, FailureToWriteThePackedFileLeavesTheTableAsItWas) {
  const std::string path = Table({"*one ", " two ", " six "});
  const Bytes before = ReadBytes(path);
  // A folder in the twin's place cannot be replaced.
  std::filesystem::create_directory(Twin(path));
  WriteBytes(Twin(path) + "/keep", Bytes{1});
  ASSERT_TRUE(Use(path));
  EXPECT_FALSE(Pack());
  EXPECT_NE(EngineErrorCode(), 0);
  EXPECT_EQ(Detail(), "Error packing " + CurrentArea().fileName);
  EXPECT_EQ(ReadBytes(path), before);
  const WorkArea& area = CurrentArea();
  EXPECT_EQ(area.recordCount, 3);
  EXPECT_EQ(area.recordNumber, 1);
  EXPECT_FALSE(area.exclusive);
  test::ForkedChild other([&path](test::ChildLink&) { return Use(path) ? 0 : 1; });
  EXPECT_EQ(other.Finish(), 0) << "the table must be shared again";
}

TEST_F(PackTest, ReadOnlyExclusiveTableIsRefused) {
  const std::string path = Table({"*one ", " two "});
  const Bytes before = ReadBytes(path);
  Settings().forcedAccess = platform::Access::Read;
  ASSERT_TRUE(Use(path + " EXCLUSIVE"));
  EXPECT_FALSE(Pack());
  EXPECT_EQ(EngineErrorCode(), 5);
  EXPECT_EQ(ReadBytes(path), before);
}

class RecordingMemo : public MemoHooks {
 public:
  int OpenMemo(WorkArea&) override { return 0; }
  void CloseMemo(WorkArea&) override {}
  bool CreateMemo(const std::string&, unsigned char, int, const std::string&) override {
    return true;
  }
  bool PackMemo(WorkArea& area) override {
    countsSeen.push_back(area.recordCount);
    return succeed;
  }
  bool FindMemoLine(std::int32_t, const std::function<bool(std::string_view)>&) override {
    return false;
  }
  std::vector<std::int32_t> countsSeen;
  bool succeed = true;
};

class RebuildingIndex : public IndexHooks {
 public:
  bool IndexActive(WorkArea&) override { return active; }
  void IndexNavigate(WorkArea&, bool) override {}
  long IndexFirst(WorkArea&) override { return 1; }
  long IndexLast(WorkArea&) override { return 1; }
  long IndexNext(WorkArea&) override { return 1; }
  long IndexPrev(WorkArea&) override { return 1; }
  bool IndexAtEnd(WorkArea&) override { return false; }
  bool IndexAtStart(WorkArea&) override { return false; }
  void IndexSetStart(WorkArea&) override {}
  void IndexSetEnd(WorkArea&) override {}
  void IndexPositionLost(WorkArea&) override {}
  void IndexSync(WorkArea&) override {}
  bool IndexUpdate(WorkArea&, bool) override { return true; }
  bool IndexAddKeys(WorkArea&) override { return true; }
  bool IndexNoteOldKeys(WorkArea&) override { return true; }
  bool IndexUpdateKeys(WorkArea&) override { return true; }
  bool IndexRebuild(WorkArea& area) override {
    countsSeen.push_back(area.recordCount);
    return true;
  }
  void IndexClose(WorkArea&) override {}
  bool IndexReopen(WorkArea&) override { return true; }
  bool active = false;
  std::vector<std::int32_t> countsSeen;
};

class PackHooksTest : public PackTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    saved_ = RegisteredHooks();
    RegisteredHooks().memo = &memo_;
    RegisteredHooks().index = &index_;
  }
  void TearDown() override {
    PackTest::TearDown();
    RegisteredHooks() = saved_;
  }
  RecordingMemo memo_;
  RebuildingIndex index_;
  EngineHooks saved_;
};

TEST_F(PackHooksTest, PacksTheMemoAndRebuildsTheIndexOfThePackedTable) {
  const std::string path = Table({"*one ", " two ", " six "}, 0x8B);
  ASSERT_TRUE(Use(path + " EXCLUSIVE"));
  index_.active = true;
  ASSERT_TRUE(Pack()) << Detail();
  EXPECT_EQ(memo_.countsSeen, std::vector<std::int32_t>{2});
  EXPECT_EQ(index_.countsSeen, std::vector<std::int32_t>{2});
}

TEST_F(PackHooksTest, TableWithoutMemoOrIndexCallsNeither) {
  const std::string path = Table({"*one ", " two "});
  ASSERT_TRUE(Use(path + " EXCLUSIVE"));
  ASSERT_TRUE(Pack()) << Detail();
  EXPECT_TRUE(memo_.countsSeen.empty());
  EXPECT_TRUE(index_.countsSeen.empty());
}

TEST_F(PackHooksTest, FailedMemoPackFailsThePackBeforeTheIndex) {
  const std::string path = Table({"*one ", " two "}, 0x8B);
  ASSERT_TRUE(Use(path + " EXCLUSIVE"));
  index_.active = true;
  memo_.succeed = false;
  EXPECT_FALSE(Pack());
  EXPECT_TRUE(index_.countsSeen.empty());
}

using PackSharingTest = PackTest;

TEST_F(PackSharingTest, TableHeldOpenByAnotherProcessIsLeftAloneWithoutAnError) {
  const std::string path = Table({"*one ", " two "});
  const Bytes before = ReadBytes(path);
  test::ForkedChild other([&path](test::ChildLink& link) {
    if (!Use(path)) return 1;
    link.Report(1);
    link.WaitForParent();
    return 0;
  });
  ASSERT_EQ(other.NextReport(), 1);
  ASSERT_TRUE(Use(path));
  EXPECT_FALSE(Pack());
  EXPECT_EQ(EngineErrorCode(), 0);
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_FALSE(std::filesystem::exists(Twin(path)));
  EXPECT_FALSE(CurrentArea().exclusive);
  EXPECT_EQ(RawRecord(), "*one ");
  EXPECT_EQ(other.Finish(), 0);
}

TEST_F(PackSharingTest, SharedTableIsSharedAgainAfterThePack) {
  const std::string path = Table({"*one ", " two ", " six "});
  ASSERT_TRUE(Use(path));
  ASSERT_TRUE(Pack()) << Detail();
  EXPECT_EQ(EngineErrorCode(), 0);
  EXPECT_FALSE(CurrentArea().exclusive);
  EXPECT_EQ(RawRecord(), " two ");
  test::ForkedChild other([&path](test::ChildLink&) {
    if (!Use(path)) return 1;
    return CurrentArea().recordCount == 2 ? 0 : 3;
  });
  EXPECT_EQ(other.Finish(), 0);
}

TEST_F(PackSharingTest, ExclusiveTableStaysExclusiveThroughThePack) {
  const std::string path = Table({"*one ", " two "});
  ASSERT_TRUE(Use(path + " EXCLUSIVE"));
  ASSERT_TRUE(Pack()) << Detail();
  test::ForkedChild other([&path](test::ChildLink&) { return Use(path) ? 0 : EngineErrorCode(); });
  EXPECT_EQ(other.Finish(), 32);
}

TEST_F(PackSharingTest, KeepsRecordsAnotherProcessAppendedToTheSharedTable) {
  const std::string path = Table({"*one ", " two "});
  ASSERT_TRUE(Use(path));
  // Written after this work area last counted, over the end marker.
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  file.seekp(static_cast<std::streamoff>(kHeaderLength + 2 * kRecordLength));
  file.write(" new ", 5);
  file.close();
  ASSERT_TRUE(file.good());
  ASSERT_TRUE(Pack()) << Detail();
  EXPECT_EQ(RecordsIn(ReadBytes(path)), (std::vector<std::string>{" two ", " new "}));
}

}  // namespace
}  // namespace pw::testing
