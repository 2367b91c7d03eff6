#include "common/windows1252.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(Windows1252, EveryByteComesBackThroughUnicode) {
  for (int value = 0; value < 256; ++value) {
    const auto byte = static_cast<unsigned char>(value);
    unsigned char back = 0;
    ASSERT_TRUE(AnsiOfUnicode(UnicodeOfAnsi(byte), &back)) << value;
    EXPECT_EQ(back, byte);
  }
}

TEST(Windows1252, PageCharactersAndMissingOnes) {
  EXPECT_EQ(UnicodeOfAnsi(0x80), U'€');
  EXPECT_EQ(UnicodeOfAnsi(0xE4), U'ä');
  unsigned char byte = 0;
  EXPECT_TRUE(AnsiOfUnicode(U'Ÿ', &byte));
  EXPECT_EQ(byte, 0x9F);
  EXPECT_FALSE(AnsiOfUnicode(U'Ж', &byte));
  EXPECT_FALSE(AnsiOfUnicode(0x1F600, &byte));
}

}  // namespace
}  // namespace pw
