#include "index_semaphore_test_support.h"

#include <filesystem>
#include <string>

#include "common/error_state.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"

namespace pw::testing {

void IndexSemaphoreTest::SetUp() {
  TableTest::SetUp();
  savedTiming_ = IndexSemaphoreSettings();
  table_ = Create("notes", {Field("TEXT", 'C', 10)});
  semaphorePath_ = Path("notes.@S@");
}

void IndexSemaphoreTest::TearDown() {
  IndexSemaphoreSettings() = savedTiming_;
  TableTest::TearDown();
}

bool IndexSemaphoreTest::OpenIn(int number, const std::string& options) {
  // Each area gets an alias of its own, so one table can be open in several.
  return Select(number) && Use(table_ + " ALIAS AREA" + std::to_string(number) +
                               (options.empty() ? "" : " " + options));
}

std::unique_ptr<IndexSemaphore> IndexSemaphoreTest::LoginIn(int number) {
  std::unique_ptr<IndexSemaphore> semaphore;
  EXPECT_TRUE(OpenIn(number)) << Detail();
  EXPECT_EQ(Act(number, semaphore, SemaphoreAction::kLogin), 0) << Detail();
  return semaphore;
}

int IndexSemaphoreTest::Act(int number, std::unique_ptr<IndexSemaphore>& semaphore,
                            SemaphoreAction action) {
  return HandleSemafore(WorkAreaAt(number), semaphore, action);
}

SemaphoreRecord IndexSemaphoreTest::OnDisk() const {
  const Bytes bytes = ReadBytes(semaphorePath_);
  if (bytes.size() < kSemaphoreRecordSize) return {0xFF, 0xFF, 0xFFFF};
  return DecodeSemaphoreRecord({bytes[0], bytes[1], bytes[2], bytes[3]});
}

void IndexSemaphoreTest::WriteOnDisk(const SemaphoreRecord& record) const {
  const SemaphoreRecordBytes bytes = EncodeSemaphoreRecord(record);
  WriteBytes(semaphorePath_, Bytes(bytes.begin(), bytes.end()));
}

bool IndexSemaphoreTest::SemaphoreFilePresent() const {
  return std::filesystem::exists(semaphorePath_);
}

}  // namespace pw::testing
