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
// The largest size a task bar or window switcher draws a small window with.
inline constexpr int kSmallProgramIconLimit = 32;

// Every size: the application's icon, which dialogs carry.
QIcon ProgramIcon();
// The sizes up to kSmallProgramIconLimit, for the note windows: each window
// hands its icon to the X server as pixels, and every size up to 256 would
// cost each of hundreds of notes a third of a megabyte there. Larger views
// take the desktop entry's theme icon.
QIcon SmallProgramIcon();

}  // namespace pw
