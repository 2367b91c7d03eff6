#include "common/date_settings.h"

#include "common/date_test_fixture.h"

namespace pw {
namespace {

using DateSettingsTest = DateTest;

TEST_F(DateSettingsTest, SetDateTypeWritesPatternAndSeparatorOfEachCode) {
  struct Case {
    int code;
    bool century;
    const char* pattern;
    char separator;
  };
  const Case cases[] = {
      {0, false, "MM/dd/yy", '/'},  {0, true, "MM/dd/yyyy", '/'}, {1, false, "yy.MM.dd", '.'},
      {1, true, "yyyy.MM.dd", '.'}, {2, false, "dd/MM/yy", '/'},  {3, true, "dd-MM-yyyy", '-'},
      {4, false, "dd.MM.yy", '.'},  {5, true, "dd.MM.yyyy", '.'}, {6, false, "dd.MM.yy", '.'},
      {7, false, "dd.MM.yy", '.'},  {8, true, "dd.MM.yyyy", '.'},
  };
  for (const Case& c : cases) {
    CurrentDateSettings().century = c.century;
    SetDateType(c.code);
    EXPECT_EQ(CurrentDateSettings().formatCode, c.code);
    EXPECT_EQ(CurrentDateSettings().shortDatePattern, c.pattern) << "code " << c.code;
    EXPECT_EQ(CurrentDateSettings().dateSeparator, c.separator) << "code " << c.code;
  }
}

TEST_F(DateSettingsTest, SetDateTypeStoresZeroForCodesOutOfRange) {
  CurrentDateSettings().century = false;
  SetDateType(5);
  SetDateType(11);
  EXPECT_EQ(CurrentDateSettings().formatCode, 0);
  EXPECT_EQ(CurrentDateSettings().shortDatePattern, "MM/dd/yy");
  SetDateType(5);
  SetDateType(-1);
  EXPECT_EQ(CurrentDateSettings().formatCode, 0);
}

TEST_F(DateSettingsTest, LanguageChoosesCodeAndSeparators) {
  struct Case {
    const char* language;
    const char* territory;
    int code;
    char decimal;
    char thousands;
  };
  const Case cases[] = {
      {"de", "DE", 5, ',', '.'}, {"en", "GB", 2, '.', ','}, {"en", "US", 0, '.', ','},
      {"es", "ES", 6, ',', '.'}, {"fr", "FR", 4, ',', '.'}, {"fr", "CA", 7, '.', ','},
      {"it", "IT", 3, ',', '.'}, {"ru", "RU", 8, '.', ' '}, {"nl", "NL", 0, '.', ','},
  };
  for (const Case& c : cases) {
    CurrentDateSettings().century = true;
    InitDateSettingsFromLanguage(c.language, c.territory, 2024);
    const DateSettings& settings = CurrentDateSettings();
    EXPECT_EQ(settings.formatCode, c.code) << c.language << "_" << c.territory;
    EXPECT_EQ(settings.decimalSeparator, c.decimal) << c.language << "_" << c.territory;
    EXPECT_EQ(settings.thousandsSeparator, c.thousands) << c.language << "_" << c.territory;
    EXPECT_FALSE(settings.century);
    EXPECT_EQ(settings.epochYear, 1954);
  }
}

TEST_F(DateSettingsTest, LanguageIgnoresLetterCase) {
  InitDateSettingsFromLanguage("EN", "us", 2030);
  EXPECT_EQ(CurrentDateSettings().formatCode, 0);
  EXPECT_EQ(CurrentDateSettings().epochYear, 1960);
  InitDateSettingsFromLanguage("Fr", "ca", 2030);
  EXPECT_EQ(CurrentDateSettings().formatCode, 7);
}

TEST_F(DateSettingsTest, LocaleOverridesLanguageSettings) {
  InitDateSettingsFromLanguage("de", "DE", 2024);
  InitDateSettingsFromLocale("M/d/yyyy", '/', '.', ',');
  const DateSettings& settings = CurrentDateSettings();
  EXPECT_EQ(settings.formatCode, 0);
  EXPECT_TRUE(settings.century);
  EXPECT_EQ(settings.decimalSeparator, '.');
  EXPECT_EQ(settings.thousandsSeparator, ',');
  EXPECT_EQ(settings.shortDatePattern, "MM/dd/yyyy");
  EXPECT_EQ(settings.epochYear, 1954);
}

TEST_F(DateSettingsTest, LocaleFirstCharacterAndSeparatorChooseCode) {
  struct Case {
    const char* format;
    char separator;
    int code;
    bool century;
  };
  const Case cases[] = {
      {"dd-MM-yy", '-', 3, false}, {"dd.MM.yyyy", '.', 5, true}, {"dd/MM/yyyy", '/', 2, true},
      {"D/M/YY", '/', 2, false},   {"yyyy-MM-dd", '-', 1, true}, {"YY.MM.DD", '.', 1, false},
      {"M/d/yy", '/', 0, false},   {"", '/', 0, false},
  };
  for (const Case& c : cases) {
    InitDateSettingsFromLocale(c.format, c.separator, ',', '.');
    EXPECT_EQ(CurrentDateSettings().formatCode, c.code) << c.format;
    EXPECT_EQ(CurrentDateSettings().century, c.century) << c.format;
  }
}

TEST_F(DateSettingsTest, LocalePatternFollowsCodeAndCentury) {
  InitDateSettingsFromLocale("d.M.yyyy", '.', ',', '.');
  EXPECT_EQ(CurrentDateSettings().shortDatePattern, "dd.MM.yyyy");
  EXPECT_EQ(CurrentDateSettings().dateSeparator, '.');
  EXPECT_EQ(CurrentDateSettings().decimalSeparator, ',');
  EXPECT_EQ(CurrentDateSettings().thousandsSeparator, '.');
}

}  // namespace
}  // namespace pw
