// Field objects of the record set: date texts, numeric sizes, memo streams.
#include <gtest/gtest.h>

#include "common/date_settings.h"
#include "common/date_text.h"
#include "common/error_state.h"
#include "dataset/tz_data_set.h"
#include "dataset_test_support.h"

namespace pw::test {
namespace {

class TzFieldTest : public DatasetTest {
 protected:
  void SetUp() override {
    DatasetTest::SetUp();
    dbf_ = SmallTable();
    dbf_->Open();
    AddRecord(*dbf_, "alpha", 1);
    dbf_->GoTop();
    set_ = std::make_unique<TTzDataSet>(*dbf_);
    set_->First();
    set_->Edit();
  }
  void TearDown() override {
    set_.reset();
    dbf_.reset();
    DatasetTest::TearDown();
  }
  TTzField& Day() { return set_->FieldByName("day"); }

  std::unique_ptr<TTzDbf> dbf_;
  std::unique_ptr<TTzDataSet> set_;
};

TEST_F(TzFieldTest, FieldClassesFollowTheStoredType) {
  EXPECT_NE(dynamic_cast<TTzDateField*>(&Day()), nullptr);
  EXPECT_NE(dynamic_cast<TTzFloatField*>(&set_->FieldByName("price")), nullptr);
  EXPECT_NE(dynamic_cast<TTzIntegerField*>(&set_->FieldByName("qty")), nullptr);
  EXPECT_EQ(set_->FieldByName("qty").Size(), 5);
}

TEST_F(TzFieldTest, BlankDateTextClearsTheDate) {
  Day().SetValue(QDate(2020, 5, 6));
  ASSERT_FALSE(Day().IsNull());
  Day().SetAsString(QString::fromStdString(BlankDateText(0)));
  EXPECT_TRUE(Day().IsNull());
  EXPECT_EQ(Day().AsString(), "");
}

TEST_F(TzFieldTest, DayFirstDateTextIsReadInTheEngineFormat) {
  SetDateType(2);  // dd/MM/yyyy
  Day().SetAsString("31/12/1999");
  EXPECT_EQ(Day().Value().toDate(), QDate(1999, 12, 31));
  EXPECT_EQ(Day().AsString(), "31/12/1999");
  ASSERT_TRUE(set_->Post());
  EXPECT_EQ(dbf_->GetFieldDate("day"), "31/12/1999");
}

TEST_F(TzFieldTest, TextThatIsNoDateRaises) {
  EXPECT_THROW(Day().SetAsString("13/45/1999"), VEdeveZuzaz);
  EXPECT_TRUE(Day().IsNull());
}

TEST_F(TzFieldTest, NumericFieldsAcceptSizesUpToTwenty) {
  auto& price = dynamic_cast<TTzFloatField&>(set_->FieldByName("price"));
  price.SetSize(0);
  price.SetSize(20);
  EXPECT_EQ(price.Size(), 20);
  EXPECT_THROW(price.SetSize(21), VEdeveZuzaz);
  auto& qty = dynamic_cast<TTzIntegerField&>(set_->FieldByName("qty"));
  EXPECT_THROW(qty.SetSize(-1), VEdeveZuzaz);
  EXPECT_THROW(qty.SetValue(QString("12x")), VEdeveZuzaz);
}

TEST_F(TzFieldTest, MemoWrittenThroughAStreamIsReadBack) {
  TTzField& memo = set_->FieldByName("text");
  {
    auto stream = set_->CreateBlobStream(memo, TTzBlobStream::kWrite);
    ASSERT_NE(stream, nullptr);
    ASSERT_EQ(stream->write("{\\rtf1 hello}"), 13);
    EXPECT_TRUE(stream->Finish());
  }
  EXPECT_NE(memo.Value().toInt(), 0);
  ASSERT_TRUE(set_->Post());
  set_->Refresh();
  auto reader = set_->CreateBlobStream(memo, TTzBlobStream::kRead);
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(reader->size(), 13);
  EXPECT_EQ(reader->readAll(), QByteArray("{\\rtf1 hello}"));
  EXPECT_TRUE(reader->seek(7));
  EXPECT_EQ(reader->readAll(), QByteArray("hello}"));
}

TEST_F(TzFieldTest, EmptyWriteStreamLeavesAnEmptyMemo) {
  TTzField& memo = set_->FieldByName("text");
  set_->CreateBlobStream(memo, TTzBlobStream::kWrite);  // destroyed at once
  EXPECT_EQ(memo.Value().toInt(), 0);
  auto reader = set_->CreateBlobStream(memo, TTzBlobStream::kRead);
  ASSERT_NE(reader, nullptr);
  EXPECT_TRUE(reader->readAll().isEmpty());
}

TEST_F(TzFieldTest, StreamOnAClosedTableRecords1103) {
  TTzField& memo = set_->FieldByName("text");
  auto stream = set_->CreateBlobStream(memo, TTzBlobStream::kRead);
  ASSERT_NE(stream, nullptr);
  set_->Cancel();
  TTzDataSet& set = *set_;
  BlobStreamHost& host = set;
  dbf_->Close();
  ClearEngineError();
  EXPECT_FALSE(host.SelectForBlob("DestroyBlobStream"));
  EXPECT_EQ(EngineErrorCode(), 1103);
  EXPECT_EQ(TakeDetailText(), "DataSet must be active. TzSmall");
}

}  // namespace
}  // namespace pw::test
