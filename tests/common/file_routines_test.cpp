#include "common/file_routines.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "common/error_state.h"
#include "common/seconds_counter.h"
#include "platform/file.h"
#include "support/forked_child.h"
#include "support/temp_dir.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

// Records errors without dispatching them, in a fresh folder.
class FileRoutinesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedAutoDispatch_ = SetAutoDispatch(false);
    ClearEngineError();
    TakeDetailText();
  }
  void TearDown() override {
    ClearEngineError();
    TakeDetailText();
    SetAutoDispatch(savedAutoDispatch_);
  }
  std::string MakeFile(const std::string& name) {
    const std::string path = dir_.file(name);
    std::ofstream(path) << "x";
    return path;
  }

  test::TempDir dir_;

 private:
  bool savedAutoDispatch_ = true;
};

// Holds `path` open exclusively in a child until the returned object finishes.
std::unique_ptr<test::ForkedChild> HoldExclusively(const std::string& path) {
  auto child = std::make_unique<test::ForkedChild>([path](test::ChildLink& link) {
    platform::File file;
    link.Report(file.Open(path, platform::Access::ReadWrite, platform::Sharing::Exclusive));
    link.WaitForParent();
  });
  return child;
}

TEST_F(FileRoutinesTest, PresenceIgnoresCaseAndFolders) {
  MakeFile("Notes.dbf");
  EXPECT_TRUE(FileIsPresent(dir_.file("Notes.dbf")));
  EXPECT_TRUE(FileIsPresent(dir_.file("notes.DBF")));
  EXPECT_FALSE(FileIsPresent(dir_.file("other.dbf")));
  EXPECT_FALSE(FileIsPresent(dir_.path()));
}

TEST_F(FileRoutinesTest, EraseFileRemovesFreeFile) {
  const std::string path = MakeFile("a.tmp");
  EXPECT_EQ(EraseFile(path), 0);
  EXPECT_FALSE(fs::exists(path));
  EXPECT_EQ(EraseFile(path), 2);
}

TEST_F(FileRoutinesTest, EraseFileRefusesFileInUse) {
  const std::string path = MakeFile("held.tmp");
  auto child = HoldExclusively(path);
  ASSERT_EQ(child->NextReport(), 0);
  EXPECT_EQ(EraseFile(path), 32);
  EXPECT_TRUE(fs::exists(path));
  child->Continue();
  EXPECT_EQ(child->Finish(), 0);
  EXPECT_EQ(EraseFile(path), 0);
}

TEST_F(FileRoutinesTest, EraseFilesWithoutWildcardRecordsFailure) {
  const std::string missing = dir_.file("missing.tmp");
  EraseFiles(missing);
  EXPECT_EQ(EngineErrorCode(), 2);
  EXPECT_EQ(TakeDetailText(), "Error erasing " + missing);
  const std::string path = MakeFile("single.tmp");
  EraseFiles(path);
  EXPECT_EQ(EngineErrorCode(), 0);
  EXPECT_FALSE(fs::exists(path));
}

TEST_F(FileRoutinesTest, EraseFilesMatchesStarAndQuestionMark) {
  MakeFile("TZP1.TMP");
  MakeFile("tzp22.tmp");
  MakeFile("TZP3.DBF");
  MakeFile("keep.tmp");
  fs::create_directory(dir_.file("TZPDIR.TMP"));
  EraseFiles(dir_.file("TZP*.TMP"));
  EXPECT_EQ(EngineErrorCode(), 0);
  EXPECT_FALSE(fs::exists(dir_.file("TZP1.TMP")));
  EXPECT_FALSE(fs::exists(dir_.file("tzp22.tmp")));
  EXPECT_TRUE(fs::exists(dir_.file("TZP3.DBF")));
  EXPECT_TRUE(fs::exists(dir_.file("keep.tmp")));
  EXPECT_TRUE(fs::exists(dir_.file("TZPDIR.TMP")));

  MakeFile("n1.dbf");
  MakeFile("n22.dbf");
  EraseFiles(dir_.file("n?.dbf"));
  EXPECT_FALSE(fs::exists(dir_.file("n1.dbf")));
  EXPECT_TRUE(fs::exists(dir_.file("n22.dbf")));
}

TEST_F(FileRoutinesTest, StarDotStarAlsoMatchesNamesWithoutExtension) {
  MakeFile("plain");
  MakeFile("with.ext");
  EraseFiles(dir_.file("*.*"));
  EXPECT_FALSE(fs::exists(dir_.file("plain")));
  EXPECT_FALSE(fs::exists(dir_.file("with.ext")));
}

TEST_F(FileRoutinesTest, BracketInMaskIsLiteral) {
  MakeFile("a[1].tmp");
  MakeFile("a1.tmp");
  EraseFiles(dir_.file("a[1]*"));
  EXPECT_FALSE(fs::exists(dir_.file("a[1].tmp")));
  EXPECT_TRUE(fs::exists(dir_.file("a1.tmp")));
}

TEST_F(FileRoutinesTest, EraseFilesMatchingNothingRecordsNoError) {
  StoreError(99, "earlier");
  EraseFiles(dir_.file("*.nothing"));
  EXPECT_EQ(EngineErrorCode(), 0);
  EXPECT_TRUE(EraseFailures().empty());
  EraseFiles(dir_.file("no-such-folder/*.tmp"));
  EXPECT_EQ(EngineErrorCode(), 0);
}

TEST_F(FileRoutinesTest, EraseFilesCountsFilesHeldByOthers) {
  const std::string held = MakeFile("held.tmp");
  MakeFile("free.tmp");
  auto child = HoldExclusively(held);
  ASSERT_EQ(child->NextReport(), 0);
  const std::string mask = dir_.file("*.tmp");
  EraseFiles(mask);
  EXPECT_EQ(EngineErrorCode(), 5);
  EXPECT_EQ(ErrorMessage(),
            "Error # 5 (File access denied)\r\nCould not erase 1 files like " + mask);
  ASSERT_EQ(EraseFailures().size(), 1u);
  EXPECT_EQ(EraseFailures()[0], held);
  EXPECT_TRUE(fs::exists(held));
  EXPECT_FALSE(fs::exists(dir_.file("free.tmp")));
  child->Continue();
  EXPECT_EQ(child->Finish(), 0);

  EraseFiles(mask);
  EXPECT_EQ(EngineErrorCode(), 0);
  EXPECT_TRUE(EraseFailures().empty());
}

TEST_F(FileRoutinesTest, UniqueFilenameCreatesEmptyPrefixedFile) {
  const std::string first = UniqueFilename();
  const std::string second = UniqueFilename();
  ASSERT_FALSE(first.empty());
  EXPECT_NE(first, second);
  EXPECT_EQ(fs::path(first).filename().string().rfind("TZP", 0), 0u);
  EXPECT_EQ(fs::file_size(first), 0u);
  EXPECT_EQ(EraseFile(first), 0);
  EXPECT_EQ(EraseFile(second), 0);
}

TEST_F(FileRoutinesTest, UniqueFilenameFailureIsRecorded) {
  const char* saved = getenv("TMPDIR");
  const std::string savedValue = saved ? saved : "";
  setenv("TMPDIR", dir_.file("absent").c_str(), 1);
  const std::string name = UniqueFilename();
  if (saved) {
    setenv("TMPDIR", savedValue.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
  EXPECT_EQ(name, "");
  EXPECT_EQ(EngineErrorCode(), 3);
  EXPECT_EQ(TakeDetailText(), "Error requesting unique file name [UniqueFilename]");
}

TEST_F(FileRoutinesTest, DiskFreeKBIsKnownOrMaximal) {
  const std::int32_t here = DiskFreeKB(dir_.path());
  EXPECT_GT(here, 0);
  EXPECT_EQ(DiskFreeKB(dir_.file("absent/folder")), 2147483647);
}

TEST_F(FileRoutinesTest, FileFromTodayNeedsTodaysStamp) {
  const std::string path = MakeFile("today.dbf");
  EXPECT_TRUE(FileIsFromToday(path));
  EXPECT_TRUE(FileIsFromToday(dir_.file("TODAY.DBF")));
  fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(48));
  EXPECT_FALSE(FileIsFromToday(path));
  EXPECT_FALSE(FileIsFromToday(dir_.file("absent.dbf")));
}

TEST_F(FileRoutinesTest, FileFromTodayIsFalseWhileHeldExclusively) {
  const std::string path = MakeFile("held.dbf");
  auto child = HoldExclusively(path);
  ASSERT_EQ(child->NextReport(), 0);
  EXPECT_FALSE(FileIsFromToday(path));
  child->Continue();
  EXPECT_EQ(child->Finish(), 0);
  EXPECT_TRUE(FileIsFromToday(path));
}

TEST_F(FileRoutinesTest, FullPathOfResolvesRelativeNames) {
  const fs::path saved = fs::current_path();
  fs::current_path(dir_.path());
  const std::string full = FullPathOf("sub/../notes.dbf");
  fs::current_path(saved);
  EXPECT_EQ(full, fs::path(dir_.path()).lexically_normal().string() + "/notes.dbf");
  EXPECT_EQ(FullPathOf("/a/./b"), "/a/b");
}

TEST(SecondsCounterClock, FollowsTheMonotonicClockInSeconds) {
  using std::chrono::duration_cast;
  using std::chrono::seconds;
  using std::chrono::steady_clock;
  const auto before = duration_cast<seconds>(steady_clock::now().time_since_epoch()).count();
  const std::int64_t counter = SecondsCounter();
  const auto after = duration_cast<seconds>(steady_clock::now().time_since_epoch()).count();
  EXPECT_LE(before, counter);
  EXPECT_LE(counter, after);
}

}  // namespace
}  // namespace pw
