// Rebuilding an index file as a whole: a refused rebuild leaves the old file
// byte for byte and open again, the area works on the rebuilt file with the
// sharing it had, and twins of the file are told apart: one left by a
// killed build is replaced, one another build is writing is left alone.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "common/error_state.h"
#include "engine/index/index_order.h"
#include "engine/index/index_state.h"
#include "engine/index/make_index.h"
#include "engine/index/reindex.h"
#include "engine/index/set_index_to.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "index_build_test_support.h"
#include "platform/file.h"

namespace pw::testing {
namespace {

const TagDescription kBoard{"BOARD", "upper(noteboard)", "", false, false};
const TagDescription kShown{"SHOWN", "handle", "showing = 'Y'", false, false};

class IndexRebuildTest : public IndexTest {
 protected:
  // The table with two records, its index with BOARD and SHOWN, SHOWN in
  // control.
  void MakeIndexedTable(bool shared) {
    table_ = WriteTable("notes", NoteTagFields(), {{"b", "1", "Y"}, {"a", "2", "N"}});
    ASSERT_TRUE(MakeIndex({kBoard, kShown}, "")) << Detail();
    if (shared) {
      ASSERT_TRUE(Use(table_)) << Detail();
    }
    ASSERT_TRUE(SetIndexTo("")) << Detail();
    ASSERT_TRUE(SetOrderToTag("SHOWN")) << Detail();
    index_ = Path("notes.mdx");
    twin_ = std::filesystem::canonical(index_).string() + ".$IX";
  }

  // The refused Reindex changed no byte, reopened the index with SHOWN in
  // control and left no twin.
  void ExpectRefusedAndOldIndexOpen(const Bytes& before) {
    EXPECT_EQ(ReadBytes(index_), before);
    IndexState* state = AreaIndex(CurrentArea());
    ASSERT_NE(state, nullptr) << "the old index is open again";
    EXPECT_EQ(state->Controlling()->name, "SHOWN");
    EXPECT_FALSE(std::filesystem::exists(twin_));
  }

  std::string table_;
  std::string index_;
  std::string twin_;
};

ino_t InodeOf(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

// Overwrites the first `from` in the file with `to` of the same length.
void PatchText(const std::string& path, const std::string& from, const std::string& to) {
  Bytes bytes = ReadBytes(path);
  const auto at = std::search(bytes.begin(), bytes.end(), from.begin(), from.end());
  ASSERT_NE(at, bytes.end()) << from;
  std::copy(to.begin(), to.end(), at);
  WriteBytes(path, bytes);
}

TEST_F(IndexRebuildTest, RefusedForAStoredTextNoBuildTakesLeavesTheOldFile) {
  MakeIndexedTable(false);
  ASSERT_TRUE(CloseIndex(CurrentArea()));
  // A damaged quote: the open turns both quote characters into one kind
  // before compiling, a build takes the text as stored.
  PatchText(index_, "showing = 'Y'", "showing = 'Y\"");
  ASSERT_TRUE(SetIndexTo("")) << Detail();
  ASSERT_TRUE(SetOrderToTag("SHOWN")) << Detail();
  const Bytes before = ReadBytes(index_);

  EXPECT_FALSE(Reindex());
  EXPECT_NE(EngineErrorCode(), 0);
  EXPECT_EQ(Detail(), "Invalid FOR expression for SHOWN [AddIndexTag()]");
  ExpectRefusedAndOldIndexOpen(before);
}

TEST_F(IndexRebuildTest, RefusedForRecordsThatCannotBeReadLeavesTheOldFile) {
  MakeIndexedTable(false);
  const Bytes before = ReadBytes(index_);
  // The record file loses its last record under the open table.
  std::filesystem::resize_file(table_, ReadBytes(table_).size() - 30);

  EXPECT_FALSE(Reindex());
  EXPECT_NE(EngineErrorCode(), 0);
  ExpectRefusedAndOldIndexOpen(before);
}

TEST_F(IndexRebuildTest, SharedAreaWorksOnTheRebuiltFileStillShared) {
  MakeIndexedTable(true);
  const ino_t oldInode = InodeOf(index_);
  ASSERT_TRUE(Reindex()) << Detail();
  IndexState* state = AreaIndex(CurrentArea());
  ASSERT_NE(state, nullptr);
  EXPECT_EQ(state->Controlling()->name, "SHOWN");
  struct stat open {};
  ASSERT_EQ(fstat(state->file.Descriptor(), &open), 0);
  EXPECT_EQ(open.st_ino, InodeOf(index_)) << "the area has the file now on disk open";
  EXPECT_NE(open.st_ino, oldInode) << "a new file replaced the old one";
  EXPECT_NE(state->semaphore, nullptr);

  platform::File other;
  EXPECT_EQ(other.Open(index_, platform::Access::ReadWrite, platform::Sharing::Shared), 0);
  other.Close();
  EXPECT_EQ(other.Open(index_, platform::Access::Read, platform::Sharing::Exclusive), 32);
  EXPECT_FALSE(std::filesystem::exists(twin_));
}

TEST_F(IndexRebuildTest, TwinLeftByAKilledBuildIsReplaced) {
  MakeIndexedTable(false);
  WriteBytes(twin_, Bytes(5000, 0xEE));
  ASSERT_TRUE(Reindex()) << Detail();
  EXPECT_FALSE(std::filesystem::exists(twin_));
  ASSERT_TRUE(CloseIndex(CurrentArea()));
  EXPECT_EQ(LeafItems(index_, 2).size(), 1u) << "one record shows";
}

TEST_F(IndexRebuildTest, TwinAnotherBuildIsWritingIsLeftAloneAndTheOldFileKept) {
  MakeIndexedTable(false);
  const Bytes before = ReadBytes(index_);
  platform::File otherBuild;
  ASSERT_EQ(otherBuild.Create(twin_, platform::Sharing::Exclusive), 0);
  ASSERT_EQ(otherBuild.WriteAt(0, "in progress", 11), 0);

  EXPECT_FALSE(MakeIndex({kBoard}, ""));
  EXPECT_EQ(EngineErrorCode(), 32);
  EXPECT_EQ(ReadBytes(index_), before);
  EXPECT_EQ(ReadBytes(twin_).size(), 11u);
}

}  // namespace
}  // namespace pw::testing
