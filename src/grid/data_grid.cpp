#include "grid/data_grid.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <utility>

#include "dataset/dataset_locale.h"
#include "dataset/record_set_table_model.h"
#include "dataset/table_record_set.h"
#include "grid/date_edit_mask.h"
#include "grid/grid_delegate.h"
#include "grid/grid_header.h"
#include "grid/record_filter_proxy.h"
#include "grid/saved_columns.h"

namespace pw {

DataGrid::DataGrid(QWidget* parent)
    : QTableView(parent), rows_(new RecordFilterProxy(this)), header_(new GridHeader(this)) {
  header_->SetColumns(&columns_);
  setHorizontalHeader(header_);
  header_->setSectionsMovable(true);
  header_->setStretchLastSection(true);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  setModel(rows_);
  setItemDelegate(new GridDelegate(*this));
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setShowGrid(false);
  setWordWrap(false);
  setTabKeyNavigation(false);
  connect(header_, &GridHeader::titleRightClicked, this, &DataGrid::TitleRightClicked);
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) { FollowCurrentRow(current); });
  // The record set reads its rows again whenever the data set moves or
  // changes (filling a context menu does); the selected record stays selected.
  connect(rows_, &QAbstractItemModel::modelAboutToBeReset, this, &DataGrid::KeepCurrentRecord);
  connect(rows_, &QAbstractItemModel::modelReset, this, &DataGrid::ReselectKeptRecord);
  SetReadOnly(false);
}

DataGrid::~DataGrid() = default;

void DataGrid::SetDataSet(TableRecordSet* dataSet) {
  rows_->SetRecordModel(nullptr);
  delete records_;
  records_ = nullptr;
  dataSet_ = dataSet;
  if (dataSet == nullptr) return;
  records_ = new RecordSetTableModel(*dataSet, this);
  // Columns first: the view reads the rows once, when the model is attached.
  SetColumns(columns_);
  rows_->SetRecordModel(records_);
  ApplyColumnWidths();
}

void DataGrid::SetColumns(const QList<GridColumn>& columns) {
  columns_ = columns;
  if (records_ == nullptr) return;
  QList<RecordSetTableModel::Column> shown;
  for (const GridColumn& column : columns_) shown.append({column.fieldName, column.title});
  records_->SetColumns(shown);
  ApplyColumnWidths();
}

void DataGrid::ReadSavedColumns(const QStringList& entries) {
  QList<GridColumn> columns = columns_;
  pw::ReadSavedColumns(entries, columns);
  SetColumns(columns);
}

void DataGrid::ApplyColumnWidths() {
  for (int i = 0; i < columns_.size(); ++i) {
    if (columns_[i].width >= 0) setColumnWidth(i, columns_[i].width);
  }
}

void DataGrid::Relayout() {
  const std::int32_t current = CurrentRecordNumber();
  const int currentRow = currentIndex().row();
  if (records_ != nullptr) records_->Reload();
  ApplyColumnWidths();
  // The same record stays selected when it is still a row; otherwise the
  // row where it was.
  int row = -1;
  for (int r = 0; current > 0 && r < rows_->rowCount(); ++r) {
    if (RecordNumberAt(r) == current) {
      row = r;
      break;
    }
  }
  if (row < 0 && currentRow >= 0) row = currentRow;
  if (row >= 0) SelectRow(row);
  viewport()->update();
}

void DataGrid::SetRowFilter(std::function<bool(std::int32_t)> accept) {
  rows_->SetPredicate(std::move(accept));
  if (rows_->rowCount() > 0) SelectRow(0);
}

void DataGrid::SetCellText(
    std::function<std::optional<QString>(std::int32_t recordNumber, int column)> text) {
  rows_->SetCellText(std::move(text));
  viewport()->update();
}

std::int32_t DataGrid::RecordNumberAt(int row) const {
  return rows_->RecordNumberAt(row);
}

std::int32_t DataGrid::CurrentRecordNumber() const {
  return currentIndex().isValid() ? RecordNumberAt(currentIndex().row()) : 0;
}

QList<std::int32_t> DataGrid::SelectedRecordNumbers() const {
  QList<int> rows;
  for (const QModelIndex& index : selectionModel()->selectedRows()) rows.append(index.row());
  std::sort(rows.begin(), rows.end());
  QList<std::int32_t> numbers;
  for (int row : rows) numbers.append(RecordNumberAt(row));
  return numbers;
}

void DataGrid::SelectRow(int row) {
  const int count = rows_->rowCount();
  if (count == 0) return;
  row = std::clamp(row, 0, count - 1);
  const QModelIndex index = rows_->index(row, 0);
  selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  // Setting the same current row again does not signal; the record set
  // must still follow it.
  FollowCurrentRow(index);
}

void DataGrid::KeepCurrentRecord() {
  keptRecord_ = CurrentRecordNumber();
}

void DataGrid::ReselectKeptRecord() {
  const std::int32_t kept = std::exchange(keptRecord_, 0);
  if (kept <= 0) return;
  for (int row = 0; row < rows_->rowCount(); ++row) {
    if (RecordNumberAt(row) != kept) continue;
    // Not a move of the user's: the data set stays where the reload found it.
    reselecting_ = true;
    selectionModel()->setCurrentIndex(
        rows_->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    reselecting_ = false;
    return;
  }
}

void DataGrid::FollowCurrentRow(const QModelIndex& current) {
  if (reselecting_) return;
  if (!current.isValid() || dataSet_ == nullptr || !dataSet_->Active()) return;
  const std::int32_t record = RecordNumberAt(current.row());
  if (record <= 0) return;
  if (dataSet_->RecNo() != record) dataSet_->SetRecNo(record);
  emit currentRecordChanged(record);
}

void DataGrid::SetBooleanBox(BooleanBoxStyle box) {
  booleanBox_ = box;
  viewport()->update();
}

void DataGrid::SetDepressDisabled(bool disabled) {
  if (disabled) header_->SetDepressedSection(-1);
  depressDisabled_ = disabled;
}

int DataGrid::DepressedColumn() const {
  return header_->DepressedSection();
}

void DataGrid::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                           : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
}

void DataGrid::SetRowLines(bool rowLines) {
  rowLines_ = rowLines;
  viewport()->update();
}

const GridColumn* DataGrid::ColumnAt(int column) const {
  return column >= 0 && column < columns_.size() ? &columns_[column] : nullptr;
}

bool DataGrid::IsLogicalColumn(int column) const {
  const GridColumn* shown = ColumnAt(column);
  if (shown == nullptr || dataSet_ == nullptr || !dataSet_->Active()) return false;
  const RecordField* field = dataSet_->FindField(shown->fieldName);
  return field != nullptr && field->DataType() == 'L';
}

RowColors DataGrid::ColorsOfCell(int row, int column) {
  const QPalette& colours = palette();
  const GridColumn* shown = ColumnAt(column);
  RowColors colors;
  colors.indicator = colours.color(QPalette::Button);
  colors.cell =
      shown != nullptr && shown->color.isValid() ? shown->color : colours.color(QPalette::Base);
  colors.cellText = shown != nullptr && shown->font && shown->font->color.isValid()
                        ? shown->font->color
                        : colours.color(QPalette::Text);
  colors.hilite = colours.color(QPalette::Highlight);
  colors.hiliteText = colours.color(QPalette::HighlightedText);
  colors.deleted = Qt::red;
  colors.deletedText = colours.color(QPalette::Text);
  if (OnChangeColorsEvent) OnChangeColorsEvent(*this, row, colors);
  return colors;
}

QString DataGrid::EditMaskOf(int column) const {
  const GridColumn* shown = ColumnAt(column);
  if (shown == nullptr) return {};
  if (!shown->editMask.isEmpty()) return shown->editMask;
  const RecordField* field =
      dataSet_ != nullptr && dataSet_->Active() ? dataSet_->FindField(shown->fieldName) : nullptr;
  if (field == nullptr || field->DataType() != 'D') return {};
  const DatasetDateFormat format = CurrentDatasetDateFormat();
  return DateEditMask(format.formatCode, format.century);
}

void DataGrid::TitleRightClicked(int section, Qt::KeyboardModifiers modifiers) {
  if (depressDisabled_) return;
  if ((modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) != 0) return;
  header_->SetDepressedSection(section);
  emit titleDepressed(section);
}

bool DataGrid::UndeleteCurrent() {
  if (readOnly_ || dataSet_ == nullptr || !dataSet_->Active()) return false;
  if (dataSet_->Table().ReadOnly() || !currentIndex().isValid()) return false;
  if (!currentIndex().data(RecordSetTableModel::kDeletedRole).toBool()) return false;
  const std::int32_t record = CurrentRecordNumber();
  if (confirmDelete_ &&
      QMessageBox::question(this, windowTitle(), QStringLiteral("Restore Record ?"),
                            QMessageBox::Ok | QMessageBox::Cancel,
                            QMessageBox::Cancel) != QMessageBox::Ok) {
    return true;
  }
  if (dataSet_->RecNo() != record) dataSet_->SetRecNo(record);
  dataSet_->SetDeletionMark(false);
  Relayout();
  return true;
}

bool DataGrid::AppendAtEnd() {
  if (readOnly_ || dataSet_ == nullptr || !dataSet_->Active() || dataSet_->Table().ReadOnly()) {
    return false;
  }
  dataSet_->Append();
  if (!dataSet_->Post()) {
    dataSet_->Cancel();
    return false;
  }
  Relayout();
  SelectRow(rows_->rowCount() - 1);
  return true;
}

void DataGrid::keyPressEvent(QKeyEvent* event) {
  const bool onlyCtrl = event->modifiers() == Qt::ControlModifier;
  if (event->key() == Qt::Key_Delete && onlyCtrl && UndeleteCurrent()) {
    event->accept();
    return;
  }
  // Only Down on the last row may add a record, and only when allowed; the
  // view itself never appends on Tab, Left, Right or Down.
  const bool onLastRow = currentIndex().isValid() && currentIndex().row() == rows_->rowCount() - 1;
  if (event->key() == Qt::Key_Down && event->modifiers() == Qt::NoModifier && onLastRow &&
      autoAppend_ && AppendAtEnd()) {
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

void DataGrid::contextMenuEvent(QContextMenuEvent* event) {
  const int row = rowAt(event->pos().y());
  if (row >= 0 && !selectionModel()->isRowSelected(row, QModelIndex())) SelectRow(row);
  if (popupMenu_ != nullptr) popupMenu_->popup(event->globalPos());
  event->accept();
}

void DataGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableView::mouseDoubleClickEvent(event);
  emit recordDoubleClicked(CurrentRecordNumber());
}

}  // namespace pw
