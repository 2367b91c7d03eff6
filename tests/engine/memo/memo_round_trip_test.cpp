// Memos of every length around the block boundaries, and a large one, come
// back byte for byte in each memo kind.
#include <gtest/gtest.h>

#include <random>

#include "engine/memo/blob_stream.h"
#include "engine/memo/memo_commit.h"
#include "memo_test_support.h"

namespace pw::testing {
namespace {

// Content only: committing every entry to disk would only slow these down.
class MemoRoundTripTest : public MemoTest, public ::testing::WithParamInterface<MemoKind> {
 protected:
  void SetUp() override {
    MemoTest::SetUp();
    savedCommit_ = SetMemoCommitOnClose(false);
  }
  void TearDown() override {
    SetMemoCommitOnClose(savedCommit_);
    MemoTest::TearDown();
  }

 private:
  bool savedCommit_ = true;
};

std::string Pattern(std::size_t length, unsigned seed) {
  std::mt19937 random(seed);
  std::string data(length, '\0');
  // No 0x1A, so that entries without a header (dBASE III) read back whole too.
  for (char& c : data) c = static_cast<char>(random() % 25 + 'a');
  return data;
}

TEST_P(MemoRoundTripTest, EveryLengthUpTo1100BytesComesBackWhole) {
  Open(MakeTable("t", GetParam()));
  std::vector<std::int32_t> blocks;
  for (std::size_t length = 0; length <= 1100; ++length) {
    blocks.push_back(length == 0 ? 0 : WriteMemo(Pattern(length, static_cast<unsigned>(length))));
  }
  for (std::size_t length = 1; length <= 1100; ++length) {
    const std::int32_t block = blocks[length];
    ASSERT_EQ(ReadMemo(block, false, 333), Pattern(length, static_cast<unsigned>(length)))
        << "length " << length;
    ASSERT_NE(CreateBlobDescriptor(false, block, 1), 0);
    ASSERT_EQ(SeekBlobStream(0, 2), static_cast<std::int64_t>(length));
    CloseBlobStream();
  }
  // A data length of 504 fills one block with its header, 505 needs two;
  // 1,016 fills two, 1,017 needs three.
  EXPECT_EQ(blocks[505] - blocks[504], 1);
  EXPECT_EQ(blocks[506] - blocks[505], 2);
  EXPECT_EQ(blocks[1017] - blocks[1016], 2);
  EXPECT_EQ(blocks[1018] - blocks[1017], 3);
}

TEST_P(MemoRoundTripTest, OneMegabyteMemoComesBackWhole) {
  Open(MakeTable("t", GetParam()));
  const std::string data = Pattern(1 << 20, 7);
  ASSERT_NE(CreateBlobDescriptor(false, 0, 2), 0);
  for (std::size_t at = 0; at < data.size(); at += 100000) {
    const std::size_t size = std::min<std::size_t>(100000, data.size() - at);
    ASSERT_EQ(WriteBlobStream(data.data() + at, size), size);
  }
  ASSERT_TRUE(CloseBlobStream());
  EXPECT_EQ(ReadMemo(1, false, 65536), data);
}

INSTANTIATE_TEST_SUITE_P(MemoKinds, MemoRoundTripTest,
                         ::testing::Values(MemoKind::Dbase3, MemoKind::Dbase4, MemoKind::FoxPro),
                         [](const auto& info) {
                           return std::string(info.param == MemoKind::Dbase3   ? "Dbase3"
                                              : info.param == MemoKind::Dbase4 ? "Dbase4"
                                                                               : "FoxPro");
                         });

}  // namespace
}  // namespace pw::testing
