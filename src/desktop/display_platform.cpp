#include "desktop/display_platform.h"

#include <cstdlib>
#include <cstring>

namespace pw {

namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

bool NamesPlatform(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::string PreferredPlatform(const DisplayEnvironment& environment) {
  if (!environment.qpaPlatform.empty() || environment.platformArgument) return {};
  if (environment.waylandDisplay.empty() || environment.x11Display.empty()) return {};
  return "xcb";
}

void ChoosePlatformBeforeDisplayOpens(int argc, char** argv) {
  const std::string platform = PreferredPlatform({.qpaPlatform = Variable("QT_QPA_PLATFORM"),
                                                  .waylandDisplay = Variable("WAYLAND_DISPLAY"),
                                                  .x11Display = Variable("DISPLAY"),
                                                  .platformArgument = NamesPlatform(argc, argv)});
  if (!platform.empty()) setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
}

}  // namespace pw
