#include "settings/windows_color.h"

namespace pw {

QColor ColorOfWindowsValue(std::int32_t value) {
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

std::int32_t WindowsValueOfColor(const QColor& color) {
  return color.red() | (color.green() << 8) | (color.blue() << 16);
}

}  // namespace pw
