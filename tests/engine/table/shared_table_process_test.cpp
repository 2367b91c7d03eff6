// A shared table used by two real processes: sharing conflicts, and record
// counts that follow the file size when another process appends.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

#include "common/error_state.h"
#include "engine/table/close_work_area.h"
#include "engine/table/go_top.h"
#include "engine/table/record_count.h"
#include "engine/table/record_io.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "support/forked_child.h"
#include "table_test_support.h"

namespace pw::testing {
namespace {

class SharedTableProcessTest : public TableTest {
 protected:
  void SetUp() override {
    TableTest::SetUp();
    path_ = Create("shared", {Field("TEXT", 'C', 4)});
  }
  // Appends raw records straight to the file, over a trailing end marker,
  // as another program writing the table would.
  static bool AppendRawRecords(const std::string& path, const std::string& records) {
    const Bytes before = ReadBytes(path);
    const off_t end = static_cast<off_t>(before.size()) - (before.back() == 0x1A ? 1 : 0);
    const int fd = ::open(path.c_str(), O_WRONLY);
    if (fd < 0) return false;
    const bool written =
        ::pwrite(fd, records.data(), records.size(), end) == static_cast<ssize_t>(records.size());
    return ::close(fd) == 0 && written;
  }
  std::string path_;
};

TEST_F(SharedTableProcessTest, ExclusiveOpenFailsWhileAnotherProcessHoldsTheTable) {
  test::ForkedChild child([this](test::ChildLink& link) {
    if (!Use(path_)) return 1;
    link.Report(1);
    link.WaitForParent();
    return 0;
  });
  ASSERT_EQ(child.NextReport(), 1);
  EXPECT_FALSE(Use(path_ + " EXCLUSIVE"));
  EXPECT_EQ(EngineErrorCode(), 32);
  EXPECT_FALSE(CurrentArea().occupied);
  EXPECT_EQ(child.Finish(), 0);
  EXPECT_TRUE(Use(path_ + " EXCLUSIVE")) << Detail();
}

TEST_F(SharedTableProcessTest, SharedCountFollowsRecordsAppendedByAnotherProcess) {
  ASSERT_TRUE(Use(path_));
  WorkArea& area = CurrentArea();
  EXPECT_EQ(area.recordCount, 0);
  test::ForkedChild child(
      [this](test::ChildLink&) { return AppendRawRecords(path_, " abcd defg") ? 0 : 1; });
  ASSERT_EQ(child.Finish(), 0);
  // The prolog still says 0; the file holds two records.
  EXPECT_EQ(Le32(ReadBytes(path_), 4), 0u);
  ASSERT_EQ(RefreshRecordCount(area), 0);
  EXPECT_EQ(area.recordCount, 2);
  ASSERT_EQ(ReadRecord(area, 2), 0) << Detail();
  EXPECT_EQ(std::string(area.raw.begin(), area.raw.end()), " defg");
}

TEST_F(SharedTableProcessTest, GoTopOnATableOpenedEmptyReachesRecordsAnotherProcessAppended) {
  ASSERT_TRUE(Use(path_));
  GoTop();
  EXPECT_TRUE(CurrentArea().eof);
  test::ForkedChild child(
      [this](test::ChildLink&) { return AppendRawRecords(path_, " abcd defg") ? 0 : 1; });
  ASSERT_EQ(child.Finish(), 0);
  GoTop();
  ASSERT_EQ(EngineErrorCode(), 0) << Detail();
  EXPECT_FALSE(CurrentArea().eof);
  EXPECT_EQ(CurrentArea().recordNumber, 1);
  EXPECT_EQ(std::string(CurrentArea().raw.begin(), CurrentArea().raw.end()), " abcd");
}

TEST_F(SharedTableProcessTest, StalePrologCountDoesNotHideRecordsWhenShared) {
  ASSERT_TRUE(Use(path_));
  ASSERT_TRUE(AppendRawRecords(path_, " abcd defg ghij"));
  ASSERT_TRUE(Select(2));
  ASSERT_TRUE(Use(path_ + " ALIAS SECOND"));
  EXPECT_EQ(CurrentArea().recordCount, 0);
  ASSERT_EQ(RefreshRecordCount(CurrentArea()), 0);
  EXPECT_EQ(CurrentArea().recordCount, 3);

  // Exclusive tables trust their own count.
  CloseAll();
  ASSERT_TRUE(Use(path_ + " EXCLUSIVE"));
  ASSERT_EQ(RefreshRecordCount(CurrentArea()), 0);
  EXPECT_EQ(CurrentArea().recordCount, 0);

  Settings().deriveCountFromFileSize = true;
  ASSERT_TRUE(Use(path_ + " EXCLUSIVE"));
  EXPECT_EQ(CurrentArea().recordCount, 3);
}

TEST_F(SharedTableProcessTest, CloseWritesCountMatchingFileSizeAfterAnotherProcessAppended) {
  ASSERT_TRUE(Use(path_));
  WorkArea& area = CurrentArea();
  BlankRecord(area);
  std::memcpy(area.raw.data() + 1, "mine", 4);
  ASSERT_EQ(WriteRawRecord(area, 1), 0) << Detail();
  const std::size_t headerLength = area.headerLength;

  test::ForkedChild child(
      [this](test::ChildLink&) { return AppendRawRecords(path_, " abcd defg") ? 0 : 1; });
  ASSERT_EQ(child.Finish(), 0);
  CloseWorkArea();
  EXPECT_EQ(EngineErrorCode(), 0) << Detail();

  const Bytes bytes = ReadBytes(path_);
  EXPECT_EQ(Le32(bytes, 4), 3u);
  ASSERT_EQ(bytes.size(), headerLength + 3 * 5 + 1);
  EXPECT_EQ(bytes.back(), 0x1A);
  EXPECT_EQ(std::string(bytes.begin() + headerLength, bytes.end() - 1), " mine abcd defg");
}

}  // namespace
}  // namespace pw::testing
