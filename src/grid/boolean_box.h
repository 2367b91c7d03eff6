// How a grid shows a logical field: the nine box styles, the true and false
// texts of a field, and the painting of one box in a cell.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QPainter;

namespace pw {

enum class BooleanBoxStyle {
  kCheckBox,        // square frame, a cross when true
  kCheckMark,       // no frame, a check mark when true
  kText,            // the field's text, no box
  kFillBox,         // square frame, filled in the text colour when true
  kFillBoxRed,      // square frame, filled in red when true
  kRadioButton,     // circle, filled in the text colour when true
  kRadioButtonRed,  // circle, filled in red when true
  kDot,             // no frame, a filled circle in the text colour when true
  kDotRed,          // no frame, a filled red circle when true
};

// The texts of a logical field: the two halves of its display values ("true
// text;false text"), or "true" and "false" when it has none.
struct LogicalTexts {
  QString trueText = QStringLiteral("true");
  QString falseText = QStringLiteral("false");

  static LogicalTexts FromDisplayValues(const QString& displayValues);
  // A cell is true when its text is the true text, in any case.
  bool IsTrue(const QString& cellText) const;
};

// Pen widths of the frame and the mark.
inline constexpr int kBoxFramePen = 1;
inline constexpr int kBoxMarkPen = 2;

// The largest square centred in `cell`, shrunk on each side by the mark's
// pen width plus 1.
QRect BooleanBoxRect(const QRect& cell);

// Draws the box of `style` (not kText) for a cell whose value is `checked`.
void PaintBooleanBox(QPainter& painter, const QRect& cell, BooleanBoxStyle style, bool checked,
                     const QColor& textColor);

}  // namespace pw
