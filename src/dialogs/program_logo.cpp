#include "dialogs/program_logo.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include "desktop/program_icon.h"

namespace pw {
namespace {

const QColor kNameColour(0x3A, 0x4A, 0x6B);

}  // namespace

QPixmap ProgramLogo(int width, int height, qreal devicePixelRatio) {
  QPixmap logo(QSize(width, height) * devicePixelRatio);
  logo.setDevicePixelRatio(devicePixelRatio);
  logo.fill(Qt::transparent);
  QPainter painter(&logo);
  painter.setRenderHint(QPainter::Antialiasing);
  const int side = height - 4;
  painter.drawPixmap(QPoint(2, 2), ProgramIcon().pixmap(QSize(side, side), devicePixelRatio));
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
