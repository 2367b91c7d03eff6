#include "dialogs/template_values.h"

namespace pw {
namespace {

// 0x99FFFF in the Windows colour order 0x00BBGGRR.
constexpr QColor kResetColor(0xFF, 0xFF, 0x99);
constexpr int kResetSize = 120;
constexpr int kResetCaptionFontSize = 8;

}  // namespace

QString UnsetTemplateName(int number) {
  return QStringLiteral("Template %1 - Not Set").arg(number);
}

TemplateValues ResetTemplateValues(int number) {
  return TemplateValues{
      .name = UnsetTemplateName(number),
      .color = kResetColor,
      .captionFontName = QStringLiteral("MS Sans Serif"),
      .captionFontSize = kResetCaptionFontSize,
      .captionFontColor = QColor(Qt::black),
      .height = kResetSize,
      .width = kResetSize,
      .place = static_cast<int>(TemplatePlace::kCenter),
      .text = QByteArray(),
  };
}

}  // namespace pw
