// What the window system lets the program do with its windows.
#pragma once

namespace pw {

// False on Wayland, where the compositor places every window, ignores the
// places a program asks for and tells it none; true on X11 and offscreen.
bool PlatformPlacesWindows();

}  // namespace pw
