// DataGrid: the grid control for record sets. A table view over the data set
// layer's model of a TableRecordSet, with columns chosen by field (title, width,
// alignment, colours, fonts), whole-row selection that moves the record set
// to the selected record, row lines, a re-layout after the data changed, a
// double click and a context menu reported by record number. Beyond a plain
// grid it paints records marked deleted in their own colours, lets a hook
// recolour each row, draws logical fields as one of the BooleanBoxStyle
// styles, draws one title sunken after a right click, never appends a
// record by keyboard navigation unless AutoAppend allows it, undeletes a
// record with Ctrl+Del, gives date columns an edit mask that follows the
// date format, and reads a stored column layout ("savedColumns").
#pragma once

#include <QList>
#include <QTableView>
#include <cstdint>
#include <functional>
#include <optional>

#include "grid/boolean_box.h"
#include "grid/grid_column.h"
#include "grid/row_colors.h"

class QMenu;

namespace pw {

class RecordFilterProxy;
class RecordSetTableModel;
class TableRecordSet;
class GridHeader;

class DataGrid : public QTableView {
  Q_OBJECT

 public:
  // The per-row colour hook: `row` is the view row being painted.
  using ChangeColorsEvent = std::function<void(DataGrid& grid, int row, RowColors& colors)>;

  explicit DataGrid(QWidget* parent = nullptr);
  ~DataGrid() override;

  // Binds the grid to `dataSet` (not owned; null unbinds).
  void SetDataSet(TableRecordSet* dataSet);
  TableRecordSet* DataSet() const { return dataSet_; }
  RecordSetTableModel* RecordModel() const { return records_; }

  void SetColumns(const QList<GridColumn>& columns);
  const QList<GridColumn>& Columns() const { return columns_; }
  // Reads a stored layout into the columns (saved_columns.h) and applies it.
  void ReadSavedColumns(const QStringList& entries);

  // Re-reads which records are rows and repaints.
  void Relayout();
  // Shows only the rows whose record `accept` takes; null shows every row.
  void SetRowFilter(std::function<bool(std::int32_t recordNumber)> accept);
  // What a cell shows instead of its field's text, where `text` says so.
  void SetCellText(
      std::function<std::optional<QString>(std::int32_t recordNumber, int column)> text);

  std::int32_t RecordNumberAt(int row) const;
  std::int32_t CurrentRecordNumber() const;
  QList<std::int32_t> SelectedRecordNumbers() const;
  // Selects `row` (clamped to the rows) and moves the record set there.
  void SelectRow(int row);

  // The menu a right click on a row opens (not owned).
  void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }
  QMenu* PopupMenu() const { return popupMenu_; }

  bool AutoAppend() const { return autoAppend_; }
  void SetAutoAppend(bool autoAppend) { autoAppend_ = autoAppend; }
  BooleanBoxStyle BooleanBox() const { return booleanBox_; }
  void SetBooleanBox(BooleanBoxStyle box);
  bool DepressDisabled() const { return depressDisabled_; }
  void SetDepressDisabled(bool disabled);
  int DepressedColumn() const;
  // Whether Ctrl+Del asks before it undeletes.
  bool ConfirmDelete() const { return confirmDelete_; }
  void SetConfirmDelete(bool confirm) { confirmDelete_ = confirm; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  bool RowLines() const { return rowLines_; }
  void SetRowLines(bool rowLines);
  ChangeColorsEvent OnChangeColorsEvent;

  // For painting: the column, whether it shows a logical field, the row's
  // colours (defaults, then the hook) and the mask of a cell editor.
  const GridColumn* ColumnAt(int column) const;
  bool IsLogicalColumn(int column) const;
  // Called for each cell painted; the hook sees `row`.
  RowColors ColorsOfCell(int row, int column);
  QString EditMaskOf(int column) const;

 signals:
  void recordDoubleClicked(std::int32_t recordNumber);
  // The record set moved to the record of the selected row.
  void currentRecordChanged(std::int32_t recordNumber);
  void titleDepressed(int column);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void ApplyColumnWidths();
  void FollowCurrentRow(const QModelIndex& current);
  void KeepCurrentRecord();
  void ReselectKeptRecord();
  void TitleRightClicked(int section, Qt::KeyboardModifiers modifiers);
  bool UndeleteCurrent();
  bool AppendAtEnd();

  TableRecordSet* dataSet_ = nullptr;
  RecordSetTableModel* records_ = nullptr;
  RecordFilterProxy* rows_;
  GridHeader* header_;
  QList<GridColumn> columns_;
  QMenu* popupMenu_ = nullptr;
  bool autoAppend_ = true;
  BooleanBoxStyle booleanBox_ = BooleanBoxStyle::kCheckBox;
  bool depressDisabled_ = false;
  bool confirmDelete_ = true;
  bool readOnly_ = false;
  bool rowLines_ = true;
  std::int32_t keptRecord_ = 0;  // the current record while the rows are read again
  bool reselecting_ = false;
};

}  // namespace pw
