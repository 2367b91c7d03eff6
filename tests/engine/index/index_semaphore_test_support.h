// Shared set-up of the index semaphore tests: a shared table in a scratch
// folder, the semaphore's timing restored after each test, and helpers that
// open the table in a work area, log in, and read the semaphore file as
// another program would see it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/index/index_semaphore.h"
#include "engine/index/index_semaphore_settings.h"
#include "engine/table/table_test_support.h"

namespace pw::testing {

class IndexSemaphoreTest : public TableTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Opens the table in work area `number` under the alias AREA<number>
  // (shared unless `options` say otherwise) and leaves that area current;
  // false when the open fails.
  bool OpenIn(int number, const std::string& options = "");
  // Opens the table in work area `number` and performs LOGIN there.
  std::unique_ptr<IndexSemaphore> LoginIn(int number);
  // Performs `action` for work area `number` on `semaphore`.
  int Act(int number, std::unique_ptr<IndexSemaphore>& semaphore, SemaphoreAction action);

  // The semaphore file's record as it is on disk; all 0xFF when the file
  // cannot be read in full.
  SemaphoreRecord OnDisk() const;
  // Writes a record straight to the semaphore file.
  void WriteOnDisk(const SemaphoreRecord& record) const;
  bool SemaphoreFilePresent() const;

  std::string table_;
  std::string semaphorePath_;

 private:
  SemaphoreSettings savedTiming_;
};

}  // namespace pw::testing
