// The data grid over a real table: columns, selection following the record
// set, double click and context menu, colours of deleted records and the
// row-colour hook, logical boxes, depressed titles, AutoAppend, undelete
// with Ctrl+Del, the date mask and re-layout after the data changed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "dataset/dataset_test_support.h"
#include "dataset/record_set_table_model.h"
#include "dataset/table_record_set.h"
#include "grid/data_grid.h"

namespace pw::test {
namespace {

class DataGridTest : public DatasetTest {
 protected:
  // NAME, QTY and OK (true for even quantities) of records 1 .. count.
  void Open(int count, bool hideDeleted = true) {
    table_ = SmallTable();
    table_->SetHideDeletedRecs(hideDeleted);
    table_->Open();
    for (int n = 1; n <= count; ++n) {
      table_->ClearRecord();
      table_->SetFieldStr("name", QStringLiteral("R%1").arg(n));
      table_->SetFieldInt("qty", n);
      table_->SetFieldValue("ok", n % 2 == 0);
      table_->SetFieldDate("day", "12/24/2026");
      ASSERT_TRUE(table_->ALock());
      table_->AppendRec();
      table_->UnLock();
    }
    table_->GoTop();
    set_ = std::make_unique<TableRecordSet>(*table_);
    grid_ = std::make_unique<DataGrid>();
    grid_->SetDataSet(set_.get());
    grid_->SetColumns({{.fieldName = "name", .title = "Name", .width = 90},
                       {.fieldName = "qty", .title = "Quantity", .width = 60},
                       {.fieldName = "ok", .title = "OK", .width = 40},
                       {.fieldName = "day", .title = "Day"}});
    grid_->resize(400, 300);
    grid_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(grid_.get()));
  }

  QPoint CellCenter(int row, int column) const {
    return grid_->visualRect(grid_->model()->index(row, column)).center();
  }
  QColor PixelAt(int row, int column, QPoint offset = {}) const {
    const QImage image = grid_->viewport()->grab().toImage();
    return image.pixelColor(CellCenter(row, column) + offset);
  }
  void DeleteRecord(std::int32_t record) {
    table_->Go(record);
    ASSERT_TRUE(table_->RLock());
    table_->DeleteRec();
    table_->UnLock();
  }
  // Clicks `button` of the next message box once it is shown; records its text.
  void AnswerNextBox(QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [this, button] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      boxText_ = box->text();
      QTest::mouseClick(box->button(button), Qt::LeftButton);
    });
  }

  std::unique_ptr<DbfTable> table_;
  std::unique_ptr<TableRecordSet> set_;
  std::unique_ptr<DataGrid> grid_;
  QString boxText_;
};

TEST_F(DataGridTest, ShowsChosenColumnsAndTheClickedRowMovesTheRecordSet) {
  Open(5);
  EXPECT_EQ(grid_->model()->columnCount(), 4);
  EXPECT_EQ(grid_->model()->headerData(1, Qt::Horizontal).toString(), "Quantity");
  EXPECT_EQ(grid_->columnWidth(0), 90);
  EXPECT_EQ(grid_->model()->rowCount(), 5);
  EXPECT_FALSE(grid_->verticalHeader()->isVisible());
  grid_->SetReadOnly(true);
  QSignalSpy moved(grid_.get(), &DataGrid::currentRecordChanged);
  QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, CellCenter(3, 1));
  EXPECT_EQ(set_->RecNo(), 4);
  EXPECT_EQ(table_->GetFieldStr("name").trimmed(), "R4");
  ASSERT_FALSE(moved.isEmpty());
  EXPECT_EQ(moved.last().at(0).toInt(), 4);
  // The whole row is selected, and nothing is edited on a read-only grid.
  EXPECT_EQ(grid_->selectionModel()->selectedIndexes().size(), 4);
  QSignalSpy doubled(grid_.get(), &DataGrid::recordDoubleClicked);
  QTest::mouseDClick(grid_->viewport(), Qt::LeftButton, {}, CellCenter(1, 0));
  ASSERT_EQ(doubled.size(), 1);
  EXPECT_EQ(doubled.first().at(0).toInt(), 2);
  EXPECT_EQ(grid_->viewport()->findChild<QLineEdit*>(), nullptr);
}

TEST_F(DataGridTest, ARightClickOnARowSelectsItAndOpensThePopupMenu) {
  Open(4);
  QMenu menu;
  menu.addAction("Item");
  grid_->SetPopupMenu(&menu);
  const QPoint at = CellCenter(2, 0);
  QTest::mouseClick(grid_->viewport(), Qt::RightButton, {}, at);
  // The context menu event that the window system sends after a right click.
  QContextMenuEvent request(QContextMenuEvent::Mouse, at, grid_->viewport()->mapToGlobal(at));
  QApplication::sendEvent(grid_->viewport(), &request);
  EXPECT_EQ(grid_->CurrentRecordNumber(), 3);
  EXPECT_TRUE(menu.isVisible());
  menu.hide();
}

TEST_F(DataGridTest, RelayoutShowsRecordsAddedAndHidesRecordsDeleted) {
  Open(3);
  AddRecord(*table_, "R4", 4);
  grid_->Relayout();
  EXPECT_EQ(grid_->model()->rowCount(), 4);
  DeleteRecord(1);
  grid_->Relayout();
  EXPECT_EQ(grid_->model()->rowCount(), 3);
  EXPECT_EQ(grid_->RecordNumberAt(0), 2);
}

TEST_F(DataGridTest, DeletedRecordsAreRedAndTheHookRecoloursRows) {
  Open(3, /*hideDeleted=*/false);
  DeleteRecord(2);
  grid_->Relayout();
  grid_->selectionModel()->clear();
  grid_->clearFocus();
  // Well to the right of the text.
  const QPoint blank(35, 0);
  EXPECT_EQ(PixelAt(1, 0, blank), QColor(Qt::red));
  EXPECT_NE(PixelAt(0, 0, blank), QColor(Qt::red));
  grid_->OnChangeColorsEvent = [](DataGrid&, int row, RowColors& colors) {
    if (row == 0) colors.cell = Qt::blue;
    colors.deleted = Qt::green;
  };
  EXPECT_EQ(PixelAt(0, 0, blank), QColor(Qt::blue));
  EXPECT_EQ(PixelAt(1, 0, blank), QColor(Qt::green));
  EXPECT_EQ(PixelAt(2, 0, blank), grid_->palette().color(QPalette::Base));
}

TEST_F(DataGridTest, LogicalFieldsAreDrawnAsBoxesOrAsText) {
  Open(2);
  grid_->selectionModel()->clear();
  // Record 2 is true. A filled red box is red in the middle only when true.
  grid_->SetBooleanBox(BooleanBoxStyle::kFillBoxRed);
  EXPECT_EQ(PixelAt(1, 2), QColor(Qt::red));
  EXPECT_NE(PixelAt(0, 2), QColor(Qt::red));
  // The cross of a check box runs through the middle.
  grid_->SetBooleanBox(BooleanBoxStyle::kCheckBox);
  EXPECT_EQ(PixelAt(1, 2), grid_->palette().color(QPalette::Text));
  EXPECT_EQ(PixelAt(0, 2), grid_->palette().color(QPalette::Base));
  // As text, the cell shows "True" from its left edge; as a box nothing is there.
  const QPoint left(-15, 0);
  grid_->SetBooleanBox(BooleanBoxStyle::kText);
  const QImage asText = grid_->viewport()->grab().toImage();
  grid_->SetBooleanBox(BooleanBoxStyle::kDot);
  const QImage asDot = grid_->viewport()->grab().toImage();
  const QRect cell = grid_->visualRect(grid_->model()->index(1, 2));
  EXPECT_NE(asText.copy(cell), asDot.copy(cell));
  EXPECT_EQ(asDot.pixelColor(CellCenter(1, 2) + left), grid_->palette().color(QPalette::Base));
  // Display values decide what is true; the cell text is compared in any case.
  QList<GridColumn> columns = grid_->Columns();
  columns[2].displayValues = "False;True";
  grid_->SetColumns(columns);
  grid_->SetBooleanBox(BooleanBoxStyle::kFillBoxRed);
  EXPECT_NE(PixelAt(1, 2), QColor(Qt::red));
  EXPECT_EQ(PixelAt(0, 2), QColor(Qt::red));
  EXPECT_TRUE(LogicalTexts::FromDisplayValues("Yes;No").IsTrue("yes"));
  EXPECT_FALSE(LogicalTexts::FromDisplayValues("Yes;No").IsTrue("No"));
  EXPECT_TRUE(LogicalTexts{}.IsTrue("TRUE"));
}

TEST_F(DataGridTest, ARightClickedTitleIsDrawnSunkenUnlessDepressingIsDisabled) {
  Open(2);
  QHeaderView* header = grid_->horizontalHeader();
  const QPoint title(header->sectionViewportPosition(1) + 20, header->height() / 2);
  QSignalSpy depressed(grid_.get(), &DataGrid::titleDepressed);
  const QImage raised = header->grab().toImage();
  grid_->SetDepressDisabled(true);
  QTest::mouseClick(header->viewport(), Qt::RightButton, {}, title);
  EXPECT_EQ(grid_->DepressedColumn(), -1);
  EXPECT_TRUE(depressed.isEmpty());
  grid_->SetDepressDisabled(false);
  QTest::mouseClick(header->viewport(), Qt::RightButton, Qt::ControlModifier, title);
  EXPECT_TRUE(depressed.isEmpty());
  QTest::mouseClick(header->viewport(), Qt::RightButton, {}, title);
  EXPECT_EQ(grid_->DepressedColumn(), 1);
  ASSERT_EQ(depressed.size(), 1);
  EXPECT_EQ(depressed.first().at(0).toInt(), 1);
  EXPECT_NE(header->grab().toImage(), raised);
  // Moving the column keeps it depressed; disabling clears it.
  header->moveSection(1, 3);
  EXPECT_EQ(grid_->DepressedColumn(), 1);
  grid_->SetDepressDisabled(true);
  EXPECT_EQ(grid_->DepressedColumn(), -1);
}

TEST_F(DataGridTest, DownOnTheLastRowAppendsOnlyWhenAutoAppendIsOn) {
  Open(3);
  grid_->setFocus();
  grid_->SelectRow(2);
  grid_->SetAutoAppend(false);
  QTest::keyClick(grid_.get(), Qt::Key_Down);
  EXPECT_EQ(table_->RecordCount(), 3);
  EXPECT_EQ(grid_->currentIndex().row(), 2);
  grid_->SetAutoAppend(true);
  QTest::keyClick(grid_.get(), Qt::Key_Down);
  EXPECT_EQ(table_->RecordCount(), 4);
  EXPECT_EQ(grid_->model()->rowCount(), 4);
  EXPECT_EQ(grid_->currentIndex().row(), 3);
  // A read-only grid never appends.
  grid_->SetReadOnly(true);
  QTest::keyClick(grid_.get(), Qt::Key_Down);
  EXPECT_EQ(table_->RecordCount(), 4);
}

TEST_F(DataGridTest, CtrlDelAsksRestoreRecordAndCancelKeepsTheRecordDeleted) {
  Open(3, /*hideDeleted=*/false);
  DeleteRecord(2);
  grid_->Relayout();
  grid_->setFocus();
  grid_->SelectRow(1);
  AnswerNextBox(QMessageBox::Cancel);
  QTest::keyClick(grid_.get(), Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(boxText_, "Restore Record ?");
  table_->Go(2);
  EXPECT_TRUE(table_->Deleted());
  boxText_.clear();
  AnswerNextBox(QMessageBox::Ok);
  QTest::keyClick(grid_.get(), Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(boxText_, "Restore Record ?");
  table_->Go(2);
  EXPECT_FALSE(table_->Deleted());
  // Without the confirm option nothing is asked; a live record is left alone.
  DeleteRecord(3);
  grid_->Relayout();
  grid_->SetConfirmDelete(false);
  grid_->SelectRow(2);
  boxText_.clear();
  QTest::keyClick(grid_.get(), Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_TRUE(boxText_.isEmpty());
  table_->Go(3);
  EXPECT_FALSE(table_->Deleted());
}

TEST_F(DataGridTest, DateColumnsGetAMaskThatFollowsTheDateFormat) {
  Open(1);
  // The fixture runs with code 0 and the century on.
  EXPECT_EQ(grid_->EditMaskOf(3), "99/99/9999;1; ");
  EXPECT_EQ(grid_->EditMaskOf(0), "");
  grid_->SetReadOnly(false);
  QWidget* editor = grid_->itemDelegate()->createEditor(grid_->viewport(), QStyleOptionViewItem(),
                                                        grid_->model()->index(0, 3));
  auto* line = qobject_cast<QLineEdit*>(editor);
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->inputMask(), "99/99/9999");  // a blank pad character is not shown
  delete editor;
  QList<GridColumn> columns = grid_->Columns();
  columns[3].editMask = "99.99.99;1;_";
  grid_->SetColumns(columns);
  EXPECT_EQ(grid_->EditMaskOf(3), "99.99.99;1;_");
}

}  // namespace
}  // namespace pw::test
