#include "dialogs/program_logo.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace pw {
namespace {

const QColor kNoteYellow(0xFF, 0xE9, 0x7A);
const QColor kNoteEdge(0xC8, 0xA8, 0x2C);
const QColor kFoldShade(0xE8, 0xCC, 0x4E);
const QColor kNameColour(0x3A, 0x4A, 0x6B);

// A square note with its bottom right corner folded over.
void DrawNote(QPainter& painter, const QRectF& box) {
  const qreal fold = box.width() / 4;
  QPainterPath note;
  note.moveTo(box.topLeft());
  note.lineTo(box.topRight());
  note.lineTo(box.right(), box.bottom() - fold);
  note.lineTo(box.right() - fold, box.bottom());
  note.lineTo(box.bottomLeft());
  note.closeSubpath();
  painter.setPen(QPen(kNoteEdge, 1));
  painter.setBrush(kNoteYellow);
  painter.drawPath(note);
  QPainterPath corner;
  corner.moveTo(box.right(), box.bottom() - fold);
  corner.lineTo(box.right() - fold, box.bottom() - fold);
  corner.lineTo(box.right() - fold, box.bottom());
  corner.closeSubpath();
  painter.setBrush(kFoldShade);
  painter.drawPath(corner);
  painter.setPen(QPen(kNoteEdge, 1));
  for (int line = 1; line <= 2; ++line) {
    const qreal y = box.top() + box.height() * line / 4;
    painter.drawLine(QPointF(box.left() + 4, y), QPointF(box.right() - 4, y));
  }
}

}  // namespace

QPixmap ProgramLogo(int width, int height, qreal devicePixelRatio) {
  QPixmap logo(QSize(width, height) * devicePixelRatio);
  logo.setDevicePixelRatio(devicePixelRatio);
  logo.fill(Qt::transparent);
  QPainter painter(&logo);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal side = height - 4;
  DrawNote(painter, QRectF(2, 2, side, side));
  const QString name = QStringLiteral("Paperwisp");
  const QRectF nameBox(side + 8, 0, width - side - 10, height);
  QFont font = painter.font();
  font.setBold(true);
  // Half the logo's height, smaller where the name would not fit.
  for (int pixels = height / 2; pixels > 6; --pixels) {
    font.setPixelSize(pixels);
    if (QFontMetricsF(font).horizontalAdvance(name) <= nameBox.width()) break;
  }
  painter.setFont(font);
  painter.setPen(kNameColour);
  painter.drawText(nameBox, Qt::AlignVCenter | Qt::AlignLeft, name);
  return logo;
}

}  // namespace pw
