// The records an exclusive table keeps in memory: every write of the
// program's is seen by the next read, whichever way it reached the file.
#include "engine/table/record_cache.h"

#include <gtest/gtest.h>

#include "common/error_state.h"
#include "engine/table/delete_recall.h"
#include "engine/table/go.h"
#include "engine/table/pack.h"
#include "engine/table/peek_poke.h"
#include "engine/table/replace.h"
#include "engine/table/work_areas.h"
#include "small_table_test.h"

namespace pw::testing {
namespace {

using RecordCacheTest = SmallTableTest;

// Reads record n afresh after a step to another record.
std::string ReadAgain(int n, int other) {
  Go(other);
  Go(n);
  return SmallTableTest::RawText();
}

TEST_F(RecordCacheTest, ExclusiveReadsSeeEveryWriteOfTheProgram) {
  Open({" aaa", " bbb", "*ccc"});
  ASSERT_EQ(ReadAgain(2, 1), " bbb");
  SetImageText("xyz");
  ASSERT_TRUE(Replace()) << Detail();
  EXPECT_EQ(ReadAgain(2, 1), " xyz") << "replaced";
  ASSERT_TRUE(DeleteRec()) << Detail();
  EXPECT_EQ(ReadAgain(2, 1), "*xyz") << "deleted";
  ASSERT_TRUE(Poke("q", 1, 1));
  EXPECT_EQ(ReadAgain(1, 2), " qaa") << "a write the cache was not told of";
  ASSERT_TRUE(Pack()) << Detail();
  EXPECT_EQ(ReadAgain(1, 1), " qaa");
  EXPECT_EQ(CurrentArea().recordCount, 1);
}

TEST_F(RecordCacheTest, SharedReadsSeeAnotherProgramsWrite) {
  Open({" aaa", " bbb"}, "");
  ASSERT_EQ(ReadAgain(1, 2), " aaa");
  Bytes bytes = ReadBytes(path_);
  bytes[Le16(bytes, 8) + 1] = 'z';  // record 1, after its deletion flag
  WriteBytes(path_, bytes);
  EXPECT_EQ(ReadAgain(1, 2), " zaa");
}

TEST_F(RecordCacheTest, KeepsRecordsUntilTheirFileChanges) {
  Open({" aaa", " bbb"});
  platform::File& file = CurrentArea().file;
  RecordCache cache;
  const unsigned char one[] = "1111";
  const unsigned char two[] = "2222";
  unsigned char out[4] = {};
  cache.Keep(file, 1, one, 4);
  cache.Keep(file, 2, two, 4);
  ASSERT_TRUE(cache.Get(file, 2, 4, out));
  EXPECT_EQ(std::string(out, out + 4), "2222");
  EXPECT_FALSE(cache.Get(file, 2, 3, out)) << "another record length";

  ASSERT_EQ(cache.WriteThrough(file, 0, one, 1, 1, 1), 0);
  EXPECT_FALSE(cache.Get(file, 1, 4, out)) << "the record written";
  EXPECT_TRUE(cache.Get(file, 2, 4, out)) << "a record not written";

  ASSERT_EQ(file.WriteAt(0, one, 1), 0);
  EXPECT_FALSE(cache.Get(file, 2, 4, out)) << "a write the cache was not told of";

  cache.Keep(file, static_cast<std::int32_t>(kRecordCacheBytes / 4) + 1, one, 4);
  EXPECT_FALSE(cache.Get(file, static_cast<std::int32_t>(kRecordCacheBytes / 4) + 1, 4, out))
      << "beyond the bound";
}

}  // namespace
}  // namespace pw::testing
