// The program's icon, a small yellow sticky note: in the notification area,
// on every window and in the about box. Its PNGs, rendered from the SVG in
// share/icons/hicolor, are compiled into the program as a Qt resource, so
// that a program run from the build folder shows it too.
#pragma once

#include <QIcon>
#include <array>

namespace pw {

// The square sizes, in pixels, the icon is drawn at.
inline constexpr std::array<int, 8> kProgramIconSizes{16, 22, 24, 32, 48, 64, 128, 256};

QIcon ProgramIcon();

}  // namespace pw
