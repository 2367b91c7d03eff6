#include "desktop/platform_windows.h"

#include <QGuiApplication>

namespace pw {

bool PlatformPlacesWindows() {
  return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace pw
