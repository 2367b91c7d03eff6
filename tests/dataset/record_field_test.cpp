// Field objects of the record set: date texts, numeric sizes, memo streams.
#include <gtest/gtest.h>

#include "common/date_settings.h"
#include "common/date_text.h"
#include "common/error_state.h"
#include "dataset/table_record_set.h"
#include "dataset_test_support.h"

namespace pw::test {
namespace {

class RecordFieldTest : public DatasetTest {
 protected:
  void SetUp() override {
    DatasetTest::SetUp();
    dbf_ = SmallTable();
    dbf_->Open();
    AddRecord(*dbf_, "alpha", 1);
    dbf_->GoTop();
    set_ = std::make_unique<TableRecordSet>(*dbf_);
    set_->First();
    set_->Edit();
  }
  void TearDown() override {
    set_.reset();
    dbf_.reset();
    DatasetTest::TearDown();
  }
  RecordField& Day() { return set_->FieldByName("day"); }

  std::unique_ptr<DbfTable> dbf_;
  std::unique_ptr<TableRecordSet> set_;
};

TEST_F(RecordFieldTest, FieldClassesFollowTheStoredType) {
  EXPECT_NE(dynamic_cast<DateField*>(&Day()), nullptr);
  EXPECT_NE(dynamic_cast<FloatField*>(&set_->FieldByName("price")), nullptr);
  EXPECT_NE(dynamic_cast<IntegerField*>(&set_->FieldByName("qty")), nullptr);
  EXPECT_EQ(set_->FieldByName("qty").Size(), 5);
}

TEST_F(RecordFieldTest, BlankDateTextClearsTheDate) {
  Day().SetValue(QDate(2020, 5, 6));
  ASSERT_FALSE(Day().IsNull());
  Day().SetAsString(QString::fromStdString(BlankDateText(0)));
  EXPECT_TRUE(Day().IsNull());
  EXPECT_EQ(Day().AsString(), "");
}

TEST_F(RecordFieldTest, DayFirstDateTextIsReadInTheEngineFormat) {
  SetDateType(2);  // dd/MM/yyyy
  Day().SetAsString("31/12/1999");
  EXPECT_EQ(Day().Value().toDate(), QDate(1999, 12, 31));
  EXPECT_EQ(Day().AsString(), "31/12/1999");
  ASSERT_TRUE(set_->Post());
  EXPECT_EQ(dbf_->GetFieldDate("day"), "31/12/1999");
}

TEST_F(RecordFieldTest, TextThatIsNoDateRaises) {
  EXPECT_THROW(Day().SetAsString("13/45/1999"), EngineError);
  EXPECT_TRUE(Day().IsNull());
}

TEST_F(RecordFieldTest, NumericFieldsAcceptSizesUpToTwenty) {
  auto& price = dynamic_cast<FloatField&>(set_->FieldByName("price"));
  price.SetSize(0);
  price.SetSize(20);
  EXPECT_EQ(price.Size(), 20);
  EXPECT_THROW(price.SetSize(21), EngineError);
  auto& qty = dynamic_cast<IntegerField&>(set_->FieldByName("qty"));
  EXPECT_THROW(qty.SetSize(-1), EngineError);
  EXPECT_THROW(qty.SetValue(QString("12x")), EngineError);
}

TEST_F(RecordFieldTest, MemoWrittenThroughAStreamIsReadBack) {
  RecordField& memo = set_->FieldByName("text");
  {
    auto stream = set_->CreateBlobStream(memo, MemoStream::kWrite);
    ASSERT_NE(stream, nullptr);
    ASSERT_EQ(stream->write("{\\rtf1 hello}"), 13);
    EXPECT_TRUE(stream->Finish());
  }
  EXPECT_NE(memo.Value().toInt(), 0);
  ASSERT_TRUE(set_->Post());
  set_->Refresh();
  auto reader = set_->CreateBlobStream(memo, MemoStream::kRead);
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(reader->size(), 13);
  EXPECT_EQ(reader->readAll(), QByteArray("{\\rtf1 hello}"));
  EXPECT_TRUE(reader->seek(7));
  EXPECT_EQ(reader->readAll(), QByteArray("hello}"));
}

TEST_F(RecordFieldTest, EmptyWriteStreamLeavesAnEmptyMemo) {
  RecordField& memo = set_->FieldByName("text");
  set_->CreateBlobStream(memo, MemoStream::kWrite);  // destroyed at once
  EXPECT_EQ(memo.Value().toInt(), 0);
  auto reader = set_->CreateBlobStream(memo, MemoStream::kRead);
  ASSERT_NE(reader, nullptr);
  EXPECT_TRUE(reader->readAll().isEmpty());
}

TEST_F(RecordFieldTest, StreamOnAClosedTableRecords1103) {
  RecordField& memo = set_->FieldByName("text");
  auto stream = set_->CreateBlobStream(memo, MemoStream::kRead);
  ASSERT_NE(stream, nullptr);
  set_->Cancel();
  TableRecordSet& set = *set_;
  BlobStreamHost& host = set;
  dbf_->Close();
  ClearEngineError();
  EXPECT_FALSE(host.SelectForBlob("DestroyBlobStream"));
  EXPECT_EQ(EngineErrorCode(), 1103);
  EXPECT_EQ(TakeDetailText(), "DataSet must be active. TzSmall");
}

}  // namespace
}  // namespace pw::test
