// The title row of a DataGrid: each title in its column's colour, font and
// alignment, raised, and the depressed one drawn sunken. A right click on a
// title is reported with its column and the keyboard modifiers.
#pragma once

#include <QHeaderView>
#include <QList>

#include "grid/grid_column.h"

namespace pw {

class GridHeader : public QHeaderView {
  Q_OBJECT

 public:
  explicit GridHeader(QWidget* parent = nullptr);

  void SetColumns(const QList<GridColumn>* columns) { columns_ = columns; }
  // The column drawn sunken (logical index); -1 for none.
  int DepressedSection() const { return depressed_; }
  void SetDepressedSection(int section);

 signals:
  void titleRightClicked(int section, Qt::KeyboardModifiers modifiers);

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  const QList<GridColumn>* columns_ = nullptr;
  int depressed_ = -1;
};

}  // namespace pw
