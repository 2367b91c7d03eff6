#include "grid/grid_header.h"

#include <qdrawutil.h>
#include <QMouseEvent>
#include <QPainter>

namespace pw {

GridHeader::GridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
  setSectionsClickable(true);
  setHighlightSections(false);
}

void GridHeader::SetDepressedSection(int section) {
  if (depressed_ == section) return;
  depressed_ = section;
  viewport()->update();
}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  const GridColumn* column = columns_ != nullptr && logicalIndex < columns_->size()
                                 ? &columns_->at(logicalIndex)
                                 : nullptr;
  painter->save();
  const QColor back = column != nullptr && column->titleColor.isValid()
                          ? column->titleColor
                          : palette().color(QPalette::Button);
  painter->fillRect(rect, back);
  QColor textColor = palette().color(QPalette::ButtonText);
  if (column != nullptr && column->titleFont) {
    painter->setFont(column->titleFont->font);
    if (column->titleFont->color.isValid()) textColor = column->titleFont->color;
  }
  painter->setPen(textColor);
  const bool sunken = logicalIndex == depressed_;
  // A sunken title's text moves one pixel down and right, as a pressed button's.
  const QRect textRect = rect.adjusted(2, 0, -3, 0).translated(sunken ? 1 : 0, sunken ? 1 : 0);
  const Qt::Alignment alignment =
      column != nullptr ? column->titleAlignment : Qt::Alignment(Qt::AlignLeft);
  painter->drawText(
      textRect, static_cast<int>(alignment | Qt::AlignVCenter),
      model() != nullptr ? model()->headerData(logicalIndex, orientation()).toString() : QString());
  qDrawShadePanel(painter, rect, palette(), sunken, 1);
  painter->restore();
}

void GridHeader::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    const int section = logicalIndexAt(event->position().toPoint());
    if (section >= 0) emit titleRightClicked(section, event->modifiers());
    event->accept();
    return;
  }
  QHeaderView::mousePressEvent(event);
}

}  // namespace pw
