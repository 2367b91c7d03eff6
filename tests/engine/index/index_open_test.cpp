// Opening index files: the production index found beside the table in any
// case, tag 1 controlling on its first key, normalised stored expressions,
// and files that are missing, short, damaged or made for another table.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "common/error_state.h"
#include "engine/index/index_file_name.h"
#include "engine/index/index_find.h"
#include "engine/index/index_order.h"
#include "engine/index/index_state.h"
#include "engine/index/make_index.h"
#include "engine/index/reindex.h"
#include "engine/index/set_index_to.h"
#include "engine/index/stored_expression.h"
#include "engine/index/tag_walk.h"
#include "engine/table/close_work_area.h"
#include "engine/table/create_dbf.h"
#include "engine/table/engine_settings.h"
#include "engine/table/position_queries.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "index_build_test_support.h"
#include "support/forked_child.h"

namespace pw::testing {
namespace {

using IndexOpenTest = IndexTest;

const TagDescription kBoard{"BOARD", "upper(Noteboard)", "", false, false};
const TagDescription kHandle{"HANDLE", "handle", "", true, false};

TEST_F(IndexOpenTest, ProductionIndexOpensWithTagOneControllingOnItsFirstKey) {
  WriteTable("notes", NoteTagFields(), {{"pear", "1"}, {"apple", "3"}, {"fig", "2"}});
  ASSERT_TRUE(MakeIndex({kBoard, kHandle}, "")) << Detail();
  ASSERT_TRUE(SetIndexTo("")) << Detail();
  IndexState* state = AreaIndex(CurrentArea());
  ASSERT_NE(state, nullptr);
  EXPECT_EQ(state->TagCount(), 2);
  ASSERT_NE(state->Controlling(), nullptr);
  EXPECT_EQ(state->Controlling()->number, 1);
  EXPECT_EQ(RecordAt(*state->Controlling()), 2u) << "APPLE comes first";
  EXPECT_EQ(state->fileName, Path("notes.mdx"));
  ASSERT_NE(state->TagNumbered(2), nullptr);
  EXPECT_TRUE(state->TagNumbered(2)->anchor.Descending());
}

TEST_F(IndexOpenTest, EmptyTableOpensAtBofAndEof) {
  WriteTable("notes", NoteTagFields(), {});
  ASSERT_TRUE(MakeIndex({kBoard}, "")) << Detail();
  ASSERT_TRUE(SetIndexTo("")) << Detail();
  const IndexTag* tag = AreaIndex(CurrentArea())->Controlling();
  EXPECT_TRUE(tag->bof);
  EXPECT_TRUE(tag->eof);
  EXPECT_EQ(tag->currentKey, std::string(50, ' '));
}

TEST_F(IndexOpenTest, IndexNamesResolveBesideTheTableInAnyCase) {
  WriteTable("notes", NoteTagFields(), {{"a"}});
  EXPECT_EQ(IndexFilePath(CurrentArea(), ""), Path("notes.mdx")) << "new: lower case";
  EXPECT_EQ(IndexFilePath(CurrentArea(), "other"), Path("other.mdx"));
  EXPECT_EQ(IndexFilePath(CurrentArea(), "other.idx"), Path("other.idx"));
  EXPECT_EQ(IndexFilePath(CurrentArea(), "/x/y"), "/x/y.mdx");
  WriteBytes(Path("NOTES.MDX"), {});
  EXPECT_EQ(IndexFilePath(CurrentArea(), ""), Path("NOTES.MDX")) << "an existing file in any case";
}

TEST_F(IndexOpenTest, UpperCaseTableGetsAnUpperCaseIndex) {
  WriteTable("TRASH", NoteTagFields(), {});
  std::filesystem::rename(Path("TRASH.dbf"), Path("TRASH.DBF"));
  ASSERT_TRUE(Use(Path("TRASH.DBF") + " EXCLUSIVE")) << Detail();
  EXPECT_EQ(IndexFilePath(CurrentArea(), ""), Path("TRASH.MDX"));
}

TEST_F(IndexOpenTest, SharedTableLogsInToTheSemaphoreUntilClosed) {
  const std::string table = WriteTable("notes", NoteTagFields(), {{"a"}});
  ASSERT_TRUE(MakeIndex({kBoard}, "")) << Detail();
  ASSERT_TRUE(Use(table)) << Detail();
  ASSERT_FALSE(CurrentArea().exclusive);
  ASSERT_TRUE(SetIndexTo("")) << Detail();
  EXPECT_NE(AreaIndex(CurrentArea())->semaphore, nullptr);
  EXPECT_TRUE(std::filesystem::exists(Path("notes.@S@")));
  ASSERT_TRUE(CloseIndex(CurrentArea())) << Detail();
  EXPECT_FALSE(std::filesystem::exists(Path("notes.@S@")));
}

TEST_F(IndexOpenTest, ExclusiveTableDoesNotLogIn) {
  WriteTable("notes", NoteTagFields(), {{"a"}});
  ASSERT_TRUE(MakeIndex({kBoard}, "")) << Detail();
  ASSERT_TRUE(SetIndexTo("")) << Detail();
  EXPECT_EQ(AreaIndex(CurrentArea())->semaphore, nullptr);
  EXPECT_FALSE(std::filesystem::exists(Path("notes.@S@")));
}

// A table opened read-only opens its index read-only and stays out of the
// semaphore (every action writes its file); walking and Find work as usual.
TEST_F(IndexOpenTest, ReadOnlyTableOpensItsIndexReadOnlyOutsideTheSemaphore) {
  const std::string table = WriteTable("notes", NoteTagFields(), {{"pear"}, {"apple"}, {"fig"}});
  ASSERT_TRUE(MakeIndex({kBoard}, "")) << Detail();
  Settings().forcedAccess = platform::Access::Read;
  ASSERT_TRUE(Use(table)) << Detail();
  ASSERT_FALSE(CurrentArea().exclusive);
  ASSERT_TRUE(SetIndexTo("")) << Detail();
  IndexState* state = AreaIndex(CurrentArea());
  EXPECT_EQ(state->file.AccessMode(), platform::Access::Read);
  EXPECT_EQ(state->semaphore, nullptr);
  EXPECT_FALSE(std::filesystem::exists(Path("notes.@S@")));
  EXPECT_EQ(RecordAt(*state->Controlling()), 2u);
  EXPECT_TRUE(Find("FIG"));
  EXPECT_EQ(RecNo(), 3);
  EXPECT_TRUE(CloseIndex(CurrentArea())) << Detail();
}

// An index file that refuses writing (another user's file) is opened
// read-only although the table may be written. Root writes every file, so
// the child runs as nobody.
TEST_F(IndexOpenTest, IndexFileThatRefusesWritingOpensReadOnly) {
  const std::string table = WriteTable("notes", NoteTagFields(), {{"pear"}, {"apple"}, {"fig"}});
  ASSERT_TRUE(MakeIndex({kBoard}, "")) << Detail();
  CloseWorkArea();
  chmod(dir_.path().c_str(), 0755);
  chmod(table.c_str(), 0666);
  chmod(Path("notes.mdx").c_str(), 0444);
  test::ForkedChild child([&](test::ChildLink&) {
    if (geteuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) {
      return 10;
    }
    if (access(Path("notes.mdx").c_str(), W_OK) == 0) return 11;
    if (!Use(table) || CurrentArea().access != platform::Access::ReadWrite) return 12;
    if (!SetIndexTo("")) return 13;
    if (AreaIndex(CurrentArea())->file.AccessMode() != platform::Access::Read) return 14;
    if (!Find("APPLE") || RecNo() != 2) return 15;
    return 0;
  });
  const int status = child.Finish();
  if (status == 11) GTEST_SKIP() << "neither root nor able to make a file read-only";
  EXPECT_EQ(status, 0);
}

TEST_F(IndexOpenTest, MissingFileReportsCode2) {
  WriteTable("notes", NoteTagFields(), {});
  EXPECT_FALSE(SetIndexTo("absent"));
  EXPECT_EQ(EngineErrorCode(), 2);
  EXPECT_EQ(Detail(), "SetIndexTo(" + Path("absent.mdx") + ")");
  EXPECT_EQ(AreaIndex(CurrentArea()), nullptr);
}

TEST_F(IndexOpenTest, FileOfOneNodeLessThanTheSmallestIndexReports222) {
  WriteTable("notes", NoteTagFields(), {});
  ASSERT_TRUE(MakeIndex({kBoard}, "")) << Detail();
  std::filesystem::resize_file(Path("notes.mdx"), 3071);
  EXPECT_FALSE(SetIndexTo(""));
  EXPECT_EQ(EngineErrorCode(), 222);
  EXPECT_EQ(Detail(), "Unable to open index: " + Path("notes.mdx"));
}

TEST_F(IndexOpenTest, DamagedAnchorReports222) {
  WriteTable("notes", NoteTagFields(), {{"a"}});
  ASSERT_TRUE(MakeIndex({kBoard}, "")) << Detail();
  Bytes bytes = ReadBytes(Path("notes.mdx"));
  const std::uint32_t anchor = Le32(bytes, 512 + 32) * 512;
  bytes.at(anchor + 9) = 'L';  // key type
  WriteBytes(Path("notes.mdx"), bytes);
  EXPECT_FALSE(SetIndexTo(""));
  EXPECT_EQ(EngineErrorCode(), 222);
  EXPECT_EQ(Detail(), "Invalid dBASE key expression or corrupted index file " + Path("notes.mdx"));
  EXPECT_EQ(AreaIndex(CurrentArea()), nullptr);
}

TEST_F(IndexOpenTest, StoredKeyThatNoLongerCompilesReports222) {
  WriteTable("notes", NoteTagFields(), {{"a"}});
  ASSERT_TRUE(MakeIndex({kBoard}, "")) << Detail();
  WriteTable("notes", {Field("OTHER", 'C', 50)}, {{"a"}});
  EXPECT_FALSE(SetIndexTo(""));
  EXPECT_EQ(EngineErrorCode(), 222);
}

TEST_F(IndexOpenTest, KeyLengthOfAnotherTableReports266) {
  WriteTable("notes", NoteTagFields(), {{"a"}});
  ASSERT_TRUE(MakeIndex({kBoard}, "")) << Detail();
  WriteTable("notes", {Field("NOTEBOARD", 'C', 60)}, {{"a"}});
  EXPECT_FALSE(SetIndexTo(""));
  EXPECT_EQ(EngineErrorCode(), 266);
  EXPECT_EQ(Detail(), "Incorrect key length: Must be 1 to 100. " + Path("notes.mdx"));
}

TEST_F(IndexOpenTest, StoredTextsAreNormalisedOutsideQuotes) {
  WriteTable("notes", NoteTagFields(), {{"b", "1", "Y"}, {"a", "2", "Y"}});
  ASSERT_TRUE(
      MakeIndex({{"BOARD", "upper( noteboard ) + 'x y'", "showing = \"Y\"", false, false}}, ""))
      << Detail();
  ASSERT_TRUE(SetIndexTo("")) << Detail();
  EXPECT_EQ(RecordAt(*AreaIndex(CurrentArea())->Controlling()), 2u);
}

TEST_F(IndexOpenTest, DottedKeywordsBetweenNamesSurviveTheNormalisation) {
  const std::vector<FieldDef> fields = {Field("NAME", 'C', 5), Field("A", 'L', 1),
                                        Field("B", 'L', 1)};
  WriteTable("notes", fields, {{"x", "T", "T"}, {"y", "T", "F"}});
  ASSERT_TRUE(MakeIndex({{"NAME", "name", "A .AND. .not. B", false, false}}, "")) << Detail();
  ASSERT_TRUE(SetIndexTo("")) << Detail();
  EXPECT_EQ(RecordAt(*AreaIndex(CurrentArea())->Controlling()), 2u);
}

TEST(StoredExpression, BlanksGoExceptBetweenTokenCharacters) {
  EXPECT_EQ(NormalizeStoredExpression(" upper( noteboard ) + 'x y'"), "UPPER(NOTEBOARD)+\"x y\"");
  EXPECT_EQ(NormalizeStoredExpression("a  .and.\tb = 'Y'"), "A .AND. B=\"Y\"");
  EXPECT_EQ(NormalizeStoredExpression("1 .5"), "1 .5");
}

TEST_F(IndexOpenTest, ReindexRebuildsAndKeepsTheControllingTag) {
  WriteTable("notes", NoteTagFields(), {{"b", "1"}, {"a", "2"}});
  ASSERT_TRUE(MakeIndex({kBoard, kHandle}, "")) << Detail();
  ASSERT_TRUE(SetIndexTo("")) << Detail();
  ASSERT_TRUE(SetOrderToTag("HANDLE")) << Detail();
  ASSERT_TRUE(Reindex()) << Detail();
  IndexState* state = AreaIndex(CurrentArea());
  ASSERT_NE(state, nullptr);
  EXPECT_EQ(state->Controlling()->name, "HANDLE");
  ASSERT_TRUE(CloseIndex(CurrentArea())) << Detail();
  EXPECT_EQ(LeafItems(Path("notes.mdx"), 2).size(), 2u);
  EXPECT_EQ(LeafItems(Path("notes.mdx"), 1).front().record, 2u);
}

TEST_F(IndexOpenTest, ReindexWithoutIndexReports221) {
  WriteTable("notes", NoteTagFields(), {});
  EXPECT_FALSE(Reindex());
  EXPECT_EQ(EngineErrorCode(), 221);
  EXPECT_EQ(Detail(), "Index not open. (DBF=" + CurrentArea().fileName + ") [Reindex()]");
}

TEST_F(IndexOpenTest, DamagedRecordCountIsRefusedOrTakenFromTheFileSize) {
  const std::string path = WriteTable("notes", NoteTagFields(), {{"pear", "1"}, {"fig", "2"}});
  ASSERT_TRUE(MakeIndex({kBoard, kHandle}, "")) << Detail();
  ASSERT_TRUE(Use(""));
  const Bytes sound = ReadBytes(path);
  for (const std::uint32_t count : {0x7FFFFFFFu, 0xFFFFFFFFu, 3u}) {
    SCOPED_TRACE(count);
    Bytes damaged = sound;
    for (int i = 0; i < 4; ++i) damaged[4 + i] = static_cast<unsigned char>(count >> (8 * i));
    WriteBytes(path, damaged);
    // Trusting the prolog, an exclusive open refuses a count the file
    // cannot hold.
    EXPECT_FALSE(Use(path + " EXCLUSIVE"));
    EXPECT_EQ(EngineErrorCode(), 210);
    EXPECT_NE(Detail().find("Record count exceeds the file size"), std::string::npos);
    // A shared open, and one that derives the count, read the two records.
    for (const bool derive : {false, true}) {
      Settings().deriveCountFromFileSize = derive;
      ASSERT_TRUE(Use(derive ? path + " EXCLUSIVE" : path)) << Detail();
      EXPECT_EQ(CurrentArea().recordCount, 2);
      ASSERT_TRUE(SetIndexTo("")) << Detail();
      EXPECT_EQ(RecordAt(*AreaIndex(CurrentArea())->Controlling()), 2u) << "FIG comes first";
      ASSERT_TRUE(Use(""));
    }
    Settings().deriveCountFromFileSize = false;
    // The read-write exclusive open that derived the count rewrote it.
    EXPECT_EQ(Le32(ReadBytes(path), 4), 2u);
  }
}

}  // namespace
}  // namespace pw::testing
