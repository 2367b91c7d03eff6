#include "common/code_page.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace pw {
namespace {

unsigned char ToOem(unsigned char c) {
  AnsiToOemBuffer(&c, 1);
  return c;
}

unsigned char ToAnsi(unsigned char c) {
  OemToAnsiBuffer(&c, 1);
  return c;
}

TEST(CodePageConversion, EveryByteSurvivesBothRoundTrips) {
  std::set<unsigned char> oemImages;
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    EXPECT_EQ(ToAnsi(ToOem(byte)), byte) << "ANSI byte " << b;
    EXPECT_EQ(ToOem(ToAnsi(byte)), byte) << "OEM byte " << b;
    oemImages.insert(ToOem(byte));
  }
  EXPECT_EQ(oemImages.size(), 256u);
}

TEST(CodePageConversion, AsciiIsUnchanged) {
  for (int b = 0; b < 0x80; ++b) {
    EXPECT_EQ(ToOem(static_cast<unsigned char>(b)), b);
    EXPECT_EQ(ToAnsi(static_cast<unsigned char>(b)), b);
  }
}

TEST(CodePageConversion, SameCharacterInBothPages) {
  struct Pair {
    unsigned char ansi, oem;
  };
  // ä é Ü Ç ß £ ñ Ø µ ÿ ×
  for (Pair p : {Pair{0xE4, 0x84}, Pair{0xE9, 0x82}, Pair{0xDC, 0x9A}, Pair{0xC7, 0x80},
                 Pair{0xDF, 0xE1}, Pair{0xA3, 0x9C}, Pair{0xF1, 0xA4}, Pair{0xD8, 0x9D},
                 Pair{0xB5, 0xE6}, Pair{0xFF, 0x98}, Pair{0xD7, 0x9E}}) {
    EXPECT_EQ(ToOem(p.ansi), p.oem) << int(p.ansi);
    EXPECT_EQ(ToAnsi(p.oem), p.ansi) << int(p.oem);
  }
}

TEST(CodePageConversion, TextKeepsItsLength) {
  const std::string ansi(
      "M\xFC"
      "ller\0\xE9t\xE9",
      10);
  const std::string oem = AnsiToOem(ansi);
  ASSERT_EQ(oem.size(), ansi.size());
  EXPECT_EQ(oem, std::string("M\x81"
                             "ller\0\x82t\x82",
                             10));
  EXPECT_EQ(OemToAnsi(oem), ansi);
}

TEST(AnsiCaseRules, LettersChangeCaseInPairs) {
  EXPECT_EQ(UpperChar('a'), 'A');
  EXPECT_EQ(LowerChar('Z'), 'z');
  EXPECT_EQ(UpperChar(0xE4), 0xC4);
  EXPECT_EQ(UpperChar(0xFE), 0xDE);
  EXPECT_EQ(UpperChar(0x9A), 0x8A);
  EXPECT_EQ(UpperChar(0x9C), 0x8C);
  EXPECT_EQ(UpperChar(0x9E), 0x8E);
  EXPECT_EQ(UpperChar(0xFF), 0x9F);
  EXPECT_EQ(LowerChar(0x9F), 0xFF);
  EXPECT_EQ(LowerChar(0xC0), 0xE0);
  EXPECT_EQ(Upper("abc \xE9t\xE9 1"), "ABC \xC9T\xC9 1");
}

TEST(AnsiCaseRules, NonPairsKeepTheirCase) {
  for (int b : {0xAA, 0xB5, 0xBA, 0xDF, 0xD7, 0xF7, int('1'), int('_'), 0x80, 0xA0}) {
    const auto c = static_cast<unsigned char>(b);
    EXPECT_EQ(UpperChar(c), c) << b;
    EXPECT_EQ(LowerChar(c), c) << b;
  }
}

TEST(AnsiCaseRules, UpperAndLowerAreInverseOnLetters) {
  for (int b = 0; b < 256; ++b) {
    const auto c = static_cast<unsigned char>(b);
    if (UpperChar(c) != c) {
      EXPECT_EQ(LowerChar(UpperChar(c)), c) << b;
    }
    if (LowerChar(c) != c) {
      EXPECT_EQ(UpperChar(LowerChar(c)), c) << b;
    }
    if (UpperChar(c) != c || LowerChar(c) != c) {
      EXPECT_TRUE(IsAnsiLetter(c)) << b;
    }
  }
}

TEST(AnsiCaseRules, FirstCharacterLetterTest) {
  EXPECT_FALSE(IsAlphaFirst(""));
  EXPECT_TRUE(IsAlphaFirst("note"));
  EXPECT_TRUE(IsAlphaFirst("Z9"));
  EXPECT_FALSE(IsAlphaFirst("9Z"));
  EXPECT_FALSE(IsAlphaFirst("_a"));
  EXPECT_TRUE(IsAlphaFirst("\xDF"));
  EXPECT_TRUE(IsAlphaFirst("\xAA"));
  EXPECT_TRUE(IsAlphaFirst("\x8A"));
  EXPECT_FALSE(IsAlphaFirst("\xD7"));
  EXPECT_FALSE(IsAlphaFirst("\xF7"));
}

}  // namespace
}  // namespace pw
