// Reading and writing one stored field straight from and to the file.
#include <gtest/gtest.h>

#include "common/code_page.h"
#include "common/error_state.h"
#include "engine/table/go.h"
#include "engine/table/lock.h"
#include "engine/table/peek_poke.h"
#include "engine/table/work_areas.h"
#include "small_table_test.h"

namespace pw::testing {
namespace {

using PeekPokeTest = SmallTableTest;

TEST_F(PeekPokeTest, PeekReturnsStoredBytesWithoutMoving) {
  // 0x81 is an OEM letter: the raw record shows it translated, Peek as stored.
  Open({" a\x81z", "*bbb"});
  ASSERT_EQ(RawText(), " a" + OemToAnsi("\x81") + "z");
  EXPECT_EQ(Peek(1, 1), "a\x81z");
  EXPECT_EQ(Peek(0, 2), "*");
  EXPECT_EQ(Peek(1, 2), "bbb");
  EXPECT_EQ(CurrentArea().recordNumber, 1);
  EXPECT_EQ(ImageText(), "a" + OemToAnsi("\x81") + "z");
  EXPECT_EQ(EngineErrorCode(), 0);
}

TEST_F(PeekPokeTest, PeekOutOfRangeIsEmpty) {
  Open({" aaa"});
  EXPECT_EQ(Peek(2, 1), "");
  EXPECT_EQ(Peek(1, 0), "");
  EXPECT_EQ(Peek(1, 2), "");
  EXPECT_EQ(EngineErrorCode(), 0);
}

TEST_F(PeekPokeTest, PeekOfARecordMissingFromTheFileFails) {
  Open({" aaa"});
  CurrentArea().recordCount = 3;
  EXPECT_EQ(Peek(1, 3), "");
  EXPECT_EQ(EngineErrorCode(), 100);
  EXPECT_EQ(Detail(), "DBF: " + TableName() + " [Peek(1,3)]");
}

TEST_F(PeekPokeTest, PokeWritesAtMostTheFieldLength) {
  Open({" aaa", " bbb"});
  ASSERT_TRUE(Poke("xyzw", 1, 2));
  EXPECT_EQ(Stored(2), " xyz");
  ASSERT_TRUE(Poke("q", 1, 1));
  EXPECT_EQ(Stored(1), " qaa");
  ASSERT_TRUE(Poke("**", 0, 1));
  EXPECT_EQ(Stored(1), "*qaa");
  // Buffers and header state are left alone.
  EXPECT_EQ(RawText(), " aaa");
  EXPECT_EQ(CurrentArea().headerState, HeaderState::Clean);
}

TEST_F(PeekPokeTest, PokeOutOfRangeWritesNothing) {
  Open({" aaa"});
  const Bytes before = ReadBytes(path_);
  EXPECT_TRUE(Poke("x", 2, 1));
  EXPECT_TRUE(Poke("x", 1, 2));
  EXPECT_EQ(ReadBytes(path_), before);
}

TEST_F(PeekPokeTest, PokeOnASharedTableNeedsTheRecordLocked) {
  Open({" aaa", " bbb"}, "");
  EXPECT_FALSE(Poke("xyz", 1, 2));
  EXPECT_EQ(EngineErrorCode(), 1200);
  EXPECT_EQ(Detail(), "Record not locked [Poke(xyz,1,2)]");
  EXPECT_EQ(Stored(2), " bbb");

  Go(2);
  ASSERT_TRUE(RLock());
  Go(1);
  EXPECT_TRUE(Poke("xyz", 1, 2)) << Detail();
  EXPECT_EQ(Stored(2), " xyz");
}

}  // namespace
}  // namespace pw::testing
