// Which window system the program's windows go through. On a Wayland
// session the compositor places every window and tells a program none of
// its places, so notes could not open where their owner left them; through
// Xwayland they can. A platform the user chose is kept.
#pragma once

#include <string>

namespace pw {

// What the program knows before the display is opened: the environment
// variables that decide the platform and whether the command line names one
// (-platform NAME).
struct DisplayEnvironment {
  std::string qpaPlatform = {};     // QT_QPA_PLATFORM
  std::string waylandDisplay = {};  // WAYLAND_DISPLAY
  std::string x11Display = {};      // DISPLAY, set by the session when Xwayland runs
  bool platformArgument = false;
};

// "xcb" on a Wayland session with Xwayland when the user chose no platform;
// empty when Qt's own choice stands.
std::string PreferredPlatform(const DisplayEnvironment& environment);

// Reads the environment and the command line and sets QT_QPA_PLATFORM to
// the preferred platform; called before the application object exists.
void ChoosePlatformBeforeDisplayOpens(int argc, char** argv);

}  // namespace pw
