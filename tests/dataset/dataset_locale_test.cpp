#include <QDate>
#include <QLocale>

#include "common/date_settings.h"
#include "dataset/dataset_locale.h"
#include "dataset/engine_text.h"
#include "dataset_test_support.h"

namespace pw::test {
namespace {

TEST(DatasetLocale, DateSeparatorIsTheFirstNonLetter) {
  EXPECT_EQ(DateSeparatorOf("dd.MM.yyyy"), QChar('.'));
  EXPECT_EQ(DateSeparatorOf("yyyy-MM-dd"), QChar('-'));
  EXPECT_EQ(DateSeparatorOf("ddMMyyyy"), QChar('/'));
}

TEST(DatasetLocale, FormatsPickTheEngineDateType) {
  InitDatasetLocale("dd/MM/yyyy", '/', ',', '.');
  EXPECT_EQ(CurrentDateSettings().formatCode, 2);
  EXPECT_TRUE(CurrentDateSettings().century);
  EXPECT_EQ(CurrentDateSettings().shortDatePattern, "dd/MM/yyyy");
  EXPECT_EQ(CurrentDateSettings().decimalSeparator, ',');
  InitDatasetLocale("d.M.yy", '.', ',', '.');
  EXPECT_EQ(CurrentDateSettings().formatCode, 5);
  EXPECT_FALSE(CurrentDateSettings().century);
  InitDatasetLocale("yyyy-MM-dd", '-', '.', ',');
  EXPECT_EQ(CurrentDateSettings().formatCode, 1);
  InitDatasetLocale(QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_EQ(CurrentDateSettings().formatCode, 0);
  EXPECT_EQ(CurrentDateSettings().decimalSeparator, '.');
  SetDateType(0);
}

TEST(DatasetLocale, ALocaleAlsoSetsTheEpochToSeventyYearsBack) {
  const DateSettings saved = CurrentDateSettings();
  CurrentDateSettings().epochYear = 1954;
  InitDatasetLocale(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(CurrentDateSettings().epochYear, QDate::currentDate().year() - 70);
  EXPECT_EQ(CurrentDateSettings().formatCode, 5);
  EXPECT_EQ(CurrentDateSettings().decimalSeparator, ',');
  CurrentDateSettings() = saved;
}

TEST(DatasetLocale, EngineTextKeepsEvery1252Byte) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(ToEngineText(FromEngineText(all)), all);
  EXPECT_EQ(FromEngineText("\x80"), QString(QChar(0x20AC)));
  EXPECT_EQ(ToEngineText(QString::fromUtf8("a\u4e2db\U0001F600c")), "a?b?c");
}

using DatasetLocaleTable = DatasetTest;

TEST_F(DatasetLocaleTable, DayFirstDateIsStoredAsThatDay) {
  InitDatasetLocale("dd/MM/yyyy", '/', '.', ',');
  auto small = SmallTable();
  small->Open();
  AddRecord(*small, "apple", 1);
  small->SetFieldDate("day", "31/12/1999");
  ASSERT_TRUE(small->RLock());
  small->ReplaceRec();
  small->UnLock();
  small->Go(1);
  EXPECT_EQ(small->FieldValue("day").toDate(), QDate(1999, 12, 31));
  EXPECT_EQ(small->GetFieldStr("day"), "31/12/1999");
}

}  // namespace
}  // namespace pw::test
