// Colours as the stored files hold them: Windows colour values, 0x00BBGGRR
// (red in the low byte). Note records, templates and saved grid layouts use
// them.
#pragma once

#include <QColor>
#include <cstdint>

namespace pw {

QColor ColorOfWindowsValue(std::int32_t value);
std::int32_t WindowsValueOfColor(const QColor& color);

}  // namespace pw
