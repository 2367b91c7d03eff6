// Paints the data cells of a DataGrid: the row's colours (deleted records and
// selected rows in theirs), logical fields as boxes, other fields as text 2
// pixels in from the left (right-aligned text ends 3 pixels before the
// right edge), a line under each row, and the focus rectangle. Cell editors
// get the column's edit mask.
#pragma once

#include <QStyledItemDelegate>

namespace pw {

class DataGrid;

class GridDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit GridDelegate(DataGrid& grid);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;

 private:
  DataGrid& grid_;
};

}  // namespace pw
