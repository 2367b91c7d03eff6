#include "common/text_routines.h"

#include <gtest/gtest.h>

#include "common/code_page.h"

namespace pw {
namespace {

TEST(TextTrimming, RemovesBlanksAndControlCharacters) {
  EXPECT_EQ(TrimTrailing(" a b \t\r\n"), " a b");
  EXPECT_EQ(TrimLeading("\t\n a b "), "a b ");
  EXPECT_EQ(AllTrim(" \x01 a b \x1F "), "a b");
  EXPECT_EQ(AllTrim("   "), "");
  EXPECT_EQ(AllTrim("\xA0x\xA0"), "\xA0x\xA0");
}

TEST(TextSearch, OccursCountsCharactersAndNonOverlappingTexts) {
  EXPECT_EQ(Occurs(";", "a;b;c"), 2);
  EXPECT_EQ(Occurs("aa", "aaaa"), 2);
  EXPECT_EQ(Occurs("aa", "aaa"), 1);
  EXPECT_EQ(Occurs("", "abc"), 0);
  EXPECT_EQ(Occurs("a", ""), 0);
  EXPECT_EQ(Occurs("x", "abc"), 0);
}

TEST(TextSearch, AtFindsNthOccurrenceFromOne) {
  EXPECT_EQ(At(2, ";", "a;b;c"), 4);
  EXPECT_EQ(At(1, ";", "a;b;c"), 2);
  EXPECT_EQ(At(3, ";", "a;b;c"), 0);
  EXPECT_EQ(At(2, "aa", "aaaa"), 2);  // overlapping
  EXPECT_EQ(At(3, "aa", "aaaa"), 3);
  EXPECT_EQ(At(0, ";", "a;b"), 0);
  EXPECT_EQ(At(1, "", "abc"), 0);
}

TEST(TextBuilding, ReplicatePadAndPick) {
  EXPECT_EQ(Replicate('-', 3), "---");
  EXPECT_EQ(Replicate('-', 0), "");
  EXPECT_EQ(Replicate('-', -2), "");
  EXPECT_EQ(PadRight("ab", 5), "ab   ");
  EXPECT_EQ(PadRight("abcdef", 3), "abcdef");
  EXPECT_EQ(PadRight("ab", 0), "ab");
  EXPECT_EQ(PadRight("ab", -4), "ab");
  EXPECT_EQ(PickText(true, "yes", "no"), "yes");
  EXPECT_EQ(PickText(false, "yes", "no"), "no");
}

TEST(KeywordRemoval, RemovesTrailingKeyword) {
  std::string command = "use notes exclusive";
  EXPECT_TRUE(RemoveWord(" EXCLUSIVE", command));
  EXPECT_EQ(command, "USE NOTES");
}

TEST(KeywordRemoval, KeepsKeywordThatContinuesIntoAWord) {
  for (const char* tail : {"2", "_X", "\\", "S", "\xE9"}) {
    std::string command = std::string("USE NOTES EXCLUSIVE") + tail;
    EXPECT_FALSE(RemoveWord(" EXCLUSIVE", command)) << tail;
    EXPECT_EQ(command, Upper(std::string("USE NOTES EXCLUSIVE") + tail));
  }
}

TEST(KeywordRemoval, HandlesEveryOccurrence) {
  std::string command = "A EXCLUSIVE B EXCLUSIVE1 EXCLUSIVE";
  EXPECT_TRUE(RemoveWord(" EXCLUSIVE", command));
  EXPECT_EQ(command, "A B EXCLUSIVE1");
}

TEST(KeywordRemoval, EmptyWordOnlyTrims) {
  std::string command = "  index on name  ";
  EXPECT_FALSE(RemoveWord("", command));
  EXPECT_EQ(command, "INDEX ON NAME");
}

}  // namespace
}  // namespace pw
