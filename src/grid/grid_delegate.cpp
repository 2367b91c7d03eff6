#include "grid/grid_delegate.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>

#include "dataset/record_set_table_model.h"
#include "grid/data_grid.h"
#include "grid/date_edit_mask.h"

namespace pw {

namespace {

constexpr int kTextIndentLeft = 2;
constexpr int kTextIndentRight = 3;

}  // namespace

GridDelegate::GridDelegate(DataGrid& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
  const RowColors colors = grid_.ColorsOfCell(index.row(), index.column());
  QColor back = colors.cell;
  QColor text = colors.cellText;
  if (index.data(RecordSetTableModel::kDeletedRole).toBool()) {
    back = colors.deleted;
    text = colors.deletedText;
  }
  if ((option.state & QStyle::State_Selected) != 0) {
    back = colors.hilite;
    text = colors.hiliteText;
  }
  if (!grid_.isEnabled()) text = Qt::gray;

  painter->save();
  painter->fillRect(option.rect, back);
  const GridColumn* column = grid_.ColumnAt(index.column());
  const QString shown = index.data(Qt::DisplayRole).toString();
  if (grid_.IsLogicalColumn(index.column()) && grid_.BooleanBox() != BooleanBoxStyle::kText) {
    const LogicalTexts texts =
        LogicalTexts::FromDisplayValues(column != nullptr ? column->displayValues : QString());
    PaintBooleanBox(*painter, option.rect, grid_.BooleanBox(), texts.IsTrue(shown), text);
  } else {
    if (column != nullptr && column->font) painter->setFont(column->font->font);
    const Qt::Alignment alignment =
        column != nullptr ? column->alignment : Qt::Alignment(Qt::AlignLeft);
    painter->setPen(text);
    painter->drawText(option.rect.adjusted(kTextIndentLeft, 0, -kTextIndentRight, 0),
                      static_cast<int>(alignment | Qt::AlignVCenter), shown);
  }
  if (grid_.RowLines()) {
    painter->setPen(grid_.palette().color(QPalette::Mid));
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
  }
  if ((option.state & QStyle::State_HasFocus) != 0 && grid_.hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.rect = option.rect.adjusted(1, 1, -1, -1);
    focus.backgroundColor = back;
    grid_.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, &grid_);
  }
  painter->restore();
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
  const QString mask = grid_.EditMaskOf(index.column());
  if (mask.isEmpty()) return QStyledItemDelegate::createEditor(parent, option, index);
  // A masked column is edited as the text the mask lays out.
  auto* editor = new QLineEdit(parent);
  editor->setInputMask(InputMaskOf(mask));
  return editor;
}

}  // namespace pw
