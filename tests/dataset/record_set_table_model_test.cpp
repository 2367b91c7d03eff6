// The grid model over a record set: row mapping, columns, refreshing, and a
// real view over a large table.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <cstring>

#include "dataset/record_set_table_model.h"
#include "dataset/table_record_set.h"
#include "dataset_test_support.h"
#include "engine/table/append.h"
#include "engine/table/record_buffer.h"
#include "engine/table/work_areas.h"

namespace pw::test {
namespace {

class RecordSetTableModelTest : public DatasetTest {
 protected:
  // NAME C 10 = "R<n>", QTY N 8 = n, for records 1 .. count, written
  // straight into the engine's record image for speed.
  std::unique_ptr<DbfTable> NumberedTable(int count) {
    auto dbf = std::make_unique<DbfTable>();
    dbf->setObjectName("TzNumbers");
    dbf->SetDbfFields({"name,C,10,0", "qty,N,8,0"});
    dbf->SetExclusive(true);
    dbf->SetDbfFileName(QString::fromStdString(dir_.file("numbers.dbf")));
    dbf->Open();
    EXPECT_TRUE(dbf->SelectArea("fill"));
    const DbfFieldProperties& fields = dbf->FieldProps();
    for (std::int32_t n = 1; n <= count; ++n) {
      ClearRecord();
      unsigned char* image = CurrentArea().image;
      const std::string name = "R" + std::to_string(n);
      std::memcpy(image + fields[0].offset + 1, name.data(), name.size());
      std::memcpy(image + fields[1].offset, &n, sizeof n);
      EXPECT_TRUE(Append());
    }
    dbf->GoTop();
    return dbf;
  }
};

TEST_F(RecordSetTableModelTest, ColumnsAreChosenFieldsWithTitles) {
  auto dbf = NumberedTable(3);
  TableRecordSet set(*dbf);
  RecordSetTableModel model(set);
  EXPECT_EQ(model.columnCount(), 2);
  EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "NAME");
  model.SetColumns({{"qty", "Quantity"}});
  EXPECT_EQ(model.columnCount(), 1);
  EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "Quantity");
  EXPECT_EQ(model.data(model.index(2, 0)).toString(), "3");
}

TEST_F(RecordSetTableModelTest, RowsFollowHiddenRecordsAndRefreshAfterChanges) {
  auto dbf = NumberedTable(6);
  TableRecordSet set(*dbf);
  RecordSetTableModel model(set);
  EXPECT_EQ(model.rowCount(), 6);
  set.GotoBookmark(2);
  set.Delete();
  set.GotoBookmark(5);
  set.Delete();
  dbf->SetHideDeletedRecs(true);
  QApplication::processEvents();
  ASSERT_EQ(model.rowCount(), 4);
  EXPECT_EQ(model.data(model.index(1, 0)).toString(), "R3");
  EXPECT_EQ(model.RecordNumberAt(3), 6);
  EXPECT_EQ(model.data(model.index(3, 1)).typeId(), QMetaType::QString);
  EXPECT_EQ(model.data(model.index(3, 1), Qt::EditRole).typeId(), QMetaType::Int);
}

TEST_F(RecordSetTableModelTest, ReadingRowsLeavesTheEditedEngineRecordAlone) {
  auto dbf = NumberedTable(100);
  TableRecordSet set(*dbf);
  RecordSetTableModel model(set);
  dbf->Go(1);
  dbf->SetFieldStr("name", "edited");
  EXPECT_EQ(model.data(model.index(99, 0)).toString(), "R100");
  ASSERT_TRUE(dbf->RLock());
  dbf->ReplaceRec();
  dbf->UnLock();
  dbf->Go(1);
  EXPECT_EQ(dbf->GetFieldStr("name").trimmed(), "edited");
  EXPECT_EQ(dbf->RecNo(), 1);
}

TEST_F(RecordSetTableModelTest, ViewScrollsToTheEndOfALargeTableReadingFewRecords) {
  constexpr int kRecords = 100000;
  auto dbf = NumberedTable(kRecords);
  TableRecordSet set(*dbf);
  RecordSetTableModel model(set);
  model.SetColumns({{"name", "Name"}, {"qty", "Quantity"}});
  QTableView view;
  view.setModel(&model);
  view.resize(400, 300);
  view.show();
  QApplication::processEvents();
  view.scrollToBottom();
  QApplication::processEvents();
  view.repaint();

  ASSERT_EQ(model.rowCount(), kRecords);
  EXPECT_EQ(view.rowAt(view.viewport()->height() - 2), kRecords - 1);
  EXPECT_EQ(model.data(model.index(kRecords - 1, 0)).toString(), "R100000");
  EXPECT_EQ(model.data(model.index(kRecords - 1, 1)).toString(), "100000");
  // The rows on screen and a read block or two, nowhere near the table.
  EXPECT_GT(set.RecordReads(), 0);
  EXPECT_LT(set.RecordReads(), 1000);
  // The record set itself did not move.
  EXPECT_EQ(set.RecNo(), 1);

  const QByteArray shot = qgetenv("PW_MODEL_SHOT");
  if (!shot.isEmpty()) view.grab().save(QString::fromLocal8Bit(shot));
}

}  // namespace
}  // namespace pw::test
