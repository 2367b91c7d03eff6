#include "settings/ini_document.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(IniDocumentTest, ReadsValuesOfTheNamedSectionOnly) {
  const IniDocument document("[One]\r\nKey=first\r\n[Two]\r\nKey=second\r\n");
  EXPECT_EQ(document.Value("One", "Key"), "first");
  EXPECT_EQ(document.Value("Two", "Key"), "second");
  EXPECT_FALSE(document.Value("Three", "Key"));
  EXPECT_FALSE(document.Value("One", "Other"));
}

TEST(IniDocumentTest, FindsSectionsAndKeysInAnyCase) {
  const IniDocument document("[Configuration]\r\nEnableSounds=0\r\n[\xC4rger]\r\n\xE9t\xE9=1\r\n");
  EXPECT_EQ(document.Value("CONFIGURATION", "enablesounds"), "0");
  // Windows-1252 letters fold too: Ä/ä (0xC4/0xE4), É/é (0xC9/0xE9).
  EXPECT_EQ(document.Value("\xE4rger", "\xC9T\xC9"), "1");
}

TEST(IniDocumentTest, IgnoresBlanksAroundNamesButKeepsTheValueAsItIs) {
  const IniDocument document("  [ Reminder ]  \nSoundFile = C:\\Sounds\\Bell.wav \n");
  EXPECT_EQ(document.Value("Reminder", "SoundFile"), " C:\\Sounds\\Bell.wav ");
}

TEST(IniDocumentTest, UsesTheFirstOfRepeatedKeys) {
  const IniDocument document("[S]\r\nK=1\r\nK=2\r\n");
  EXPECT_EQ(document.Value("S", "K"), "1");
}

TEST(IniDocumentTest, CommentsAndLinesWithoutEqualsSignAreNoKeys) {
  const IniDocument document("K=outside\r\n[S]\r\n;K=comment\r\nK\r\n");
  EXPECT_FALSE(document.Value("S", "K"));
}

TEST(IniDocumentTest, ReplacingAValueKeepsEveryOtherByte) {
  const std::string original =
      "; settings\r\n[Configuration]\r\nenablesounds = 1\r\nOther=x\n\r\n[Status]\r\nLastPacked=3";
  IniDocument document(original);
  ASSERT_TRUE(document.SetValue("CONFIGURATION", "EnableSounds", "0"));
  EXPECT_EQ(document.Bytes(),
            "; settings\r\n[Configuration]\r\nenablesounds =0\r\nOther=x\n\r\n[Status]\r\n"
            "LastPacked=3");
}

TEST(IniDocumentTest, UntouchedDocumentGivesBackItsBytes) {
  const std::string original = "[A]\r\nx=1\nodd line\r\n\r\n[B]\ny=\xE9\\\\n";
  EXPECT_EQ(IniDocument(original).Bytes(), original);
}

TEST(IniDocumentTest, NewKeyGoesAtTheEndOfItsSectionBeforeBlankLines) {
  IniDocument document("[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
  ASSERT_TRUE(document.SetValue("a", "z", "3"));
  EXPECT_EQ(document.Bytes(), "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n");
}

TEST(IniDocumentTest, NewSectionIsAddedAtTheEndWithCrLf) {
  IniDocument document("[A]\r\nx=1");
  ASSERT_TRUE(document.SetValue("Status", "TerminatedOK", "0"));
  EXPECT_EQ(document.Bytes(), "[A]\r\nx=1\r\n\r\n[Status]\r\nTerminatedOK=0\r\n");
  IniDocument empty;
  ASSERT_TRUE(empty.SetValue("Status", "LastPacked", "0"));
  EXPECT_EQ(empty.Bytes(), "[Status]\r\nLastPacked=0\r\n");
}

TEST(IniDocumentTest, ValuesKeepBackslashesAndAnsiBytes) {
  IniDocument document;
  const std::string value = "C:\\Program Files\\Paperwisp\\R\xE9veil \x80\xFF.wav";
  ASSERT_TRUE(document.SetValue("Reminder", "SoundFile", value));
  EXPECT_EQ(IniDocument(document.Bytes()).Value("Reminder", "SoundFile"), value);
}

TEST(IniDocumentTest, RefusesWhatTheLayoutCannotHold) {
  IniDocument document("[S]\r\nK=1\r\n");
  EXPECT_FALSE(document.SetValue("S", "K", "two\r\nlines"));
  EXPECT_FALSE(document.SetValue("S", "K=", "1"));
  EXPECT_FALSE(document.SetValue("S]", "K", "1"));
  EXPECT_FALSE(document.SetValue("S", "", "1"));
  EXPECT_FALSE(document.SetValue("S", ";K", "1"));
  EXPECT_FALSE(document.SetValue("S", " K", "1"));
  EXPECT_EQ(document.Bytes(), "[S]\r\nK=1\r\n");
}

}  // namespace
}  // namespace pw
