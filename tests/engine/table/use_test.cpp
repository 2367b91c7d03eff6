// Opening tables with Use: command options, aliases, record image buffers,
// open modes, first position, and the work area table.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "common/code_page.h"
#include "common/error_state.h"
#include "common/path_names.h"
#include "engine/table/close_work_area.h"
#include "engine/table/go_top.h"
#include "engine/table/production_index_flag.h"
#include "engine/table/record_image.h"
#include "engine/table/record_io.h"
#include "engine/table/reopen.h"
#include "engine/table/use.h"
#include "engine/table/use_command.h"
#include "engine/table/work_areas.h"
#include "table_test_support.h"

namespace pw::testing {
namespace {

class UseTest : public TableTest {
 protected:
  void SetUp() override {
    TableTest::SetUp();
    notes_ = Create("notes", {Field("TEXT", 'C', 8), Field("DUE", 'D', 8)});
  }
  // Appends records with the given texts through the current work area.
  void AppendTexts(const std::vector<std::string>& texts) {
    WorkArea& area = CurrentArea();
    for (const std::string& text : texts) {
      BlankRecord(area);
      std::copy(text.begin(), text.end(), area.raw.begin() + 1);
      ASSERT_EQ(WriteRawRecord(area, area.recordCount + 1), 0) << Detail();
    }
  }
  std::string notes_;
};

TEST(UseCommandTest, OptionsComeInAnyOrderAndKeepTheNamesCase) {
  for (const char* command : {"Notes EXCLUSIVE ALIAS tzNotes", "Notes alias tzNotes exclusive",
                              "Notes ALIAS TZNOTES   EXCLUSIVE"}) {
    const UseCommand parsed = ParseUseCommand(command);
    EXPECT_EQ(parsed.fileName, "Notes") << command;
    EXPECT_EQ(parsed.alias, "TZNOTES") << command;
    EXPECT_TRUE(parsed.exclusive) << command;
  }
  const UseCommand plain = ParseUseCommand("dir/Notes.dbf");
  EXPECT_EQ(plain.fileName, "dir/Notes.dbf");
  EXPECT_TRUE(plain.alias.empty());
  EXPECT_FALSE(plain.exclusive);
  EXPECT_FALSE(ParseUseCommand("notes EXCLUSIVELY").exclusive);
}

TEST(UseCommandTest, OptionWordsInsideTheFileNameNeverCutIt) {
  const UseCommand folder = ParseUseCommand("/home/u/My Exclusive Notes/t.dbf");
  EXPECT_EQ(folder.fileName, "/home/u/My Exclusive Notes/t.dbf");
  EXPECT_FALSE(folder.exclusive);
  const UseCommand book = ParseUseCommand("/home/u/my alias book/t.dbf EXCLUSIVE");
  EXPECT_EQ(book.fileName, "/home/u/my alias book/t.dbf");
  EXPECT_TRUE(book.alias.empty());
  EXPECT_TRUE(book.exclusive);
  const UseCommand quoted = ParseUseCommand("\"/tmp/a alias b\" alias Book exclusive");
  EXPECT_EQ(quoted.fileName, "/tmp/a alias b");
  EXPECT_EQ(quoted.alias, "BOOK");
  EXPECT_TRUE(quoted.exclusive);
  EXPECT_EQ(ParseUseCommand("'/tmp/x exclusive'").fileName, "/tmp/x exclusive");
}

TEST_F(UseTest, BareNameOpensTableOfCurrentFolderInAnyCase) {
  std::filesystem::rename(notes_, Path("NOTES.DBF"));
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir_.path());
  const bool opened = Use("notes");
  std::filesystem::current_path(previous);
  ASSERT_TRUE(opened) << Detail();
  EXPECT_EQ(CurrentArea().fileName, Upper(dir_.path()) + "/NOTES.DBF");
  EXPECT_EQ(CurrentArea().alias, "NOTES");
  EXPECT_FALSE(CurrentArea().exclusive);
}

TEST_F(UseTest, ExclusiveAndAliasOptionsTakeEffect) {
  ASSERT_TRUE(Use(notes_ + " ALIAS tznotes EXCLUSIVE")) << Detail();
  EXPECT_EQ(CurrentArea().alias, "TZNOTES");
  EXPECT_TRUE(CurrentArea().exclusive);
  EXPECT_EQ(CurrentArea().file.SharingMode(), platform::Sharing::Exclusive);
}

TEST_F(UseTest, TypedOpenTakesThePathWholeInFoldersNamedLikeOptions) {
  for (const char* folder : {"My Exclusive Notes", "my alias book"}) {
    std::filesystem::create_directory(Path(folder));
    const std::string table = Path(folder) + "/Notes.dbf";
    std::filesystem::copy_file(notes_, table);
    ASSERT_TRUE(UseTable({table, "", false})) << Detail();
    EXPECT_EQ(CurrentArea().alias, "NOTES");
    EXPECT_FALSE(CurrentArea().exclusive);
    ASSERT_TRUE(UseTable({table, "mine", true})) << Detail();
    EXPECT_EQ(CurrentArea().alias, "MINE");
    EXPECT_TRUE(CurrentArea().exclusive);
    ASSERT_TRUE(Use(table)) << folder << ": " << Detail();
    EXPECT_EQ(CurrentArea().fileName, UpperPath(table));
  }
}

TEST_F(UseTest, AliasAlreadyInUseLeavesTheWorkAreaEmpty) {
  ASSERT_TRUE(Use(notes_));
  ASSERT_TRUE(Select(2));
  EXPECT_FALSE(Use(notes_));
  EXPECT_EQ(EngineErrorCode(), 220);
  EXPECT_EQ(Detail(), "Alias name \"NOTES\" already in use. [USE]");
  EXPECT_FALSE(CurrentArea().occupied);
  EXPECT_FALSE(CurrentArea().file.IsOpen());

  EXPECT_TRUE(Use(notes_ + " ALIAS SECOND")) << Detail();
  EXPECT_TRUE(WorkAreaAt(1).occupied);
  EXPECT_TRUE(WorkAreaAt(2).occupied);
}

TEST_F(UseTest, BlankCommandOnlyClosesTheWorkArea) {
  ASSERT_TRUE(Use(notes_));
  EXPECT_TRUE(Use("  \t "));
  EXPECT_FALSE(CurrentArea().occupied);
  EXPECT_EQ(EngineErrorCode(), 0);
  EXPECT_TRUE(Use(""));
  EXPECT_EQ(EngineErrorCode(), 0);
}

TEST_F(UseTest, CallersImageBufferMustMatchTheImageSize) {
  unsigned char buffer[64];
  EXPECT_FALSE(Use(notes_, buffer, 30));
  EXPECT_EQ(EngineErrorCode(), 266);
  EXPECT_EQ(Detail(), "Database record/buffer size mismatch: " + Upper(notes_) +
                          " [USE()]\n\rRecord Size=21, Buffer Size=30");
  EXPECT_FALSE(CurrentArea().occupied);

  ASSERT_TRUE(Use(notes_, buffer, 21)) << Detail();
  EXPECT_EQ(CurrentArea().image, buffer);
  EXPECT_EQ(RecordImageSize(CurrentWorkArea()), 21);

  EXPECT_FALSE(Use(notes_, buffer, 0));
  EXPECT_EQ(EngineErrorCode(), 220);
  EXPECT_EQ(Detail(),
            "Buffer is NIL or size is zero, attempting to open " + Upper(notes_) + "  [USE]");
  EXPECT_FALSE(Use(notes_, nullptr, 21));
  EXPECT_EQ(EngineErrorCode(), 220);
}

TEST_F(UseTest, MissingFileOnlySetsTheError) {
  EXPECT_FALSE(Use(Path("absent")));
  EXPECT_EQ(EngineErrorCode(), 2);
  EXPECT_EQ(Detail(), "Failure to open " + Upper(Path("absent")) + ".DBF [USE/OpenDbf]");
  EXPECT_FALSE(CurrentArea().occupied);
}

TEST_F(UseTest, EmptyTableHasNoPositionAndABlankImage) {
  ASSERT_TRUE(Use(notes_)) << Detail();
  const WorkArea& area = CurrentArea();
  EXPECT_EQ(area.recordNumber, 0);
  EXPECT_TRUE(area.bof);
  EXPECT_TRUE(area.eof);
  EXPECT_EQ(area.image[0], 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(area.image) + 2, 8), "        ");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(area.image) + 11, 8), "  /  /  ");
  EXPECT_EQ(area.swap.size(), 21u);
}

TEST_F(UseTest, OpenPositionsOnTheFirstVisibleRecord) {
  ASSERT_TRUE(Use(notes_));
  AppendTexts({"one", "two", "three"});
  ASSERT_TRUE(Use(notes_)) << Detail();
  WorkArea& area = CurrentArea();
  EXPECT_EQ(area.recordCount, 3);
  EXPECT_EQ(area.recordNumber, 1);
  EXPECT_FALSE(area.bof);
  EXPECT_FALSE(area.eof);

  area.raw[0] = '*';
  ASSERT_EQ(WriteRawRecord(area, 1), 0);
  area.hideDeleted = true;
  GoTop();
  EXPECT_EQ(area.recordNumber, 2);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(area.image) + 2, 3), "two");
}

TEST_F(UseTest, GoTopWithEveryRecordHiddenEndsAtEndOfFile) {
  ASSERT_TRUE(Use(notes_));
  AppendTexts({"one", "two"});
  WorkArea& area = CurrentArea();
  for (std::int32_t n : {1, 2}) {
    ASSERT_EQ(ReadRawRecord(area, n), 0);
    area.raw[0] = '*';
    ASSERT_EQ(WriteRawRecord(area, n), 0);
  }
  area.hideDeleted = true;
  GoTop();
  EXPECT_EQ(EngineErrorCode(), 0);
  EXPECT_EQ(area.recordNumber, 3);
  EXPECT_TRUE(area.bof);
  EXPECT_TRUE(area.eof);
  EXPECT_EQ(area.raw[0], ' ');
}

TEST_F(UseTest, OperationsOnAnEmptyWorkAreaReportNoDatabase) {
  ASSERT_TRUE(Select(7));
  GoTop();
  EXPECT_EQ(EngineErrorCode(), 215);
  EXPECT_EQ(Detail(), "No database in use [GoTop]  WorkArea = 7");
}

TEST_F(UseTest, SelectZeroTakesTheLowestFreeWorkArea) {
  ASSERT_TRUE(Use(notes_));
  ASSERT_TRUE(Select(2));
  ASSERT_TRUE(Use(notes_ + " ALIAS A2"));
  ASSERT_TRUE(Select(0));
  EXPECT_EQ(CurrentWorkArea(), 3);

  for (int n = 3; n <= kWorkAreaCount; ++n) {
    ASSERT_TRUE(Select(n));
    ASSERT_TRUE(Use(notes_ + " ALIAS A" + std::to_string(n))) << Detail();
  }
  ASSERT_TRUE(Select(5));
  EXPECT_FALSE(Select(0));
  EXPECT_EQ(EngineErrorCode(), 220);
  EXPECT_EQ(Detail(), "No free workarea available [Select(0)]");
  EXPECT_EQ(CurrentWorkArea(), 5);
  EXPECT_FALSE(Select(34));
  EXPECT_EQ(Detail(), "Invalid workarea selected = [Select(34)]");

  CloseAll();
  EXPECT_EQ(CurrentWorkArea(), 1);
  for (int n = 1; n <= kWorkAreaCount; ++n) EXPECT_FALSE(WorkAreaAt(n).occupied) << n;
}

TEST_F(UseTest, WithoutNetworkEveryOpenIsExclusive) {
  Settings().networkMode = false;
  ASSERT_TRUE(Use(notes_)) << Detail();
  EXPECT_TRUE(CurrentArea().exclusive);
  ASSERT_TRUE(Select(2));
  EXPECT_FALSE(Use(notes_ + " ALIAS OTHER"));
  EXPECT_EQ(EngineErrorCode(), 32);
}

TEST_F(UseTest, ExclusiveOpenOfASharedTableIsRefused) {
  ASSERT_TRUE(Use(notes_));
  ASSERT_TRUE(Select(2));
  EXPECT_FALSE(Use(notes_ + " EXCLUSIVE ALIAS OTHER"));
  EXPECT_EQ(EngineErrorCode(), 32);
  EXPECT_FALSE(CurrentArea().occupied);
}

// Byte 28 reaches the file at once, so that a program killed before its
// close leaves no index file the table disowns.
TEST_F(UseTest, ProductionIndexFlagIsWrittenAtOnce) {
  ASSERT_TRUE(Use(notes_));
  EXPECT_FALSE(ProductionIndexFlag());
  ProductionIndexFlag(true);
  EXPECT_TRUE(ProductionIndexFlag());
  EXPECT_EQ(ReadBytes(notes_).at(28), 1);
  EXPECT_EQ(CurrentArea().headerState, HeaderState::Clean);
  ProductionIndexFlag(false);
  EXPECT_EQ(ReadBytes(notes_).at(28), 0);
  ProductionIndexFlag(true);
  CloseWorkArea();
  EXPECT_EQ(ReadBytes(notes_).at(28), 1);
  EXPECT_FALSE(ProductionIndexFlag());

  // A read-only table keeps the change in memory; the file stays as it is.
  Settings().forcedAccess = platform::Access::Read;
  ASSERT_TRUE(Use(notes_));
  ProductionIndexFlag(false);
  EXPECT_FALSE(ProductionIndexFlag());
  EXPECT_EQ(ReadBytes(notes_).at(28), 1);
}

TEST_F(UseTest, ReopenSwitchesSharingButNeverReopensAnExclusiveUse) {
  ASSERT_TRUE(Use(notes_));
  ASSERT_EQ(Reopen(true), 0);
  EXPECT_TRUE(CurrentArea().exclusive);
  ASSERT_TRUE(Select(2));
  EXPECT_FALSE(Use(notes_ + " ALIAS OTHER"));
  EXPECT_EQ(EngineErrorCode(), 32);
  ASSERT_TRUE(Select(1));
  ASSERT_EQ(Reopen(false), 0);
  EXPECT_FALSE(CurrentArea().exclusive);
  ASSERT_TRUE(Select(2));
  EXPECT_TRUE(Use(notes_ + " ALIAS OTHER")) << Detail();
  CloseWorkArea();

  ASSERT_TRUE(Select(1));
  ASSERT_TRUE(Use(notes_ + " EXCLUSIVE"));
  EXPECT_EQ(Reopen(false), 5);
  EXPECT_TRUE(CurrentArea().exclusive);
}

}  // namespace
}  // namespace pw::testing
