#include "grid/boolean_box.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace pw {

LogicalTexts LogicalTexts::FromDisplayValues(const QString& displayValues) {
  LogicalTexts texts;
  if (displayValues.isEmpty()) return texts;
  const qsizetype semicolon = displayValues.indexOf(';');
  texts.trueText = displayValues.left(semicolon);
  texts.falseText = semicolon < 0 ? QString() : displayValues.mid(semicolon + 1);
  return texts;
}

bool LogicalTexts::IsTrue(const QString& cellText) const {
  return cellText.compare(trueText, Qt::CaseInsensitive) == 0;
}

QRect BooleanBoxRect(const QRect& cell) {
  const int side = std::min(cell.width(), cell.height()) - 2 * (kBoxMarkPen + 1);
  if (side <= 0) return {};
  return QRect(cell.x() + (cell.width() - side) / 2, cell.y() + (cell.height() - side) / 2, side,
               side);
}

namespace {

bool HasFrame(BooleanBoxStyle style) {
  return style != BooleanBoxStyle::kCheckMark && style != BooleanBoxStyle::kDot &&
         style != BooleanBoxStyle::kDotRed;
}

bool IsRound(BooleanBoxStyle style) {
  return style == BooleanBoxStyle::kRadioButton || style == BooleanBoxStyle::kRadioButtonRed ||
         style == BooleanBoxStyle::kDot || style == BooleanBoxStyle::kDotRed;
}

bool IsRed(BooleanBoxStyle style) {
  return style == BooleanBoxStyle::kFillBoxRed || style == BooleanBoxStyle::kRadioButtonRed ||
         style == BooleanBoxStyle::kDotRed;
}

void PaintMark(QPainter& painter, const QRect& box, BooleanBoxStyle style, const QColor& fill) {
  painter.setPen(QPen(fill, kBoxMarkPen));
  switch (style) {
    case BooleanBoxStyle::kCheckBox: {
      const QRect inner = box.adjusted(3, 3, -3, -3);
      painter.drawLine(inner.topLeft(), inner.bottomRight());
      painter.drawLine(inner.topRight(), inner.bottomLeft());
      break;
    }
    case BooleanBoxStyle::kCheckMark: {
      QPainterPath tick;
      tick.moveTo(box.left() + box.width() * 0.15, box.top() + box.height() * 0.55);
      tick.lineTo(box.left() + box.width() * 0.4, box.top() + box.height() * 0.8);
      tick.lineTo(box.left() + box.width() * 0.85, box.top() + box.height() * 0.2);
      painter.drawPath(tick);
      break;
    }
    default:
      painter.setBrush(fill);
      if (IsRound(style)) {
        painter.drawEllipse(box);
      } else {
        painter.drawRect(box);
      }
      break;
  }
}

}  // namespace

void PaintBooleanBox(QPainter& painter, const QRect& cell, BooleanBoxStyle style, bool checked,
                     const QColor& textColor) {
  const QRect box = BooleanBoxRect(cell);
  if (box.isEmpty() || style == BooleanBoxStyle::kText) return;
  painter.save();
  if (HasFrame(style)) {
    painter.setPen(QPen(textColor, kBoxFramePen));
    painter.setBrush(Qt::NoBrush);
    if (IsRound(style)) {
      painter.drawEllipse(box);
    } else {
      painter.drawRect(box);
    }
  }
  if (checked) PaintMark(painter, box, style, IsRed(style) ? QColor(Qt::red) : textColor);
  painter.restore();
}

}  // namespace pw
