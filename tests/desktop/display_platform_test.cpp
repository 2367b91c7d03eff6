// On a Wayland session with Xwayland the windows go through Xwayland,
// unless the user chose a platform; elsewhere Qt's own choice stands.
#include <gtest/gtest.h>

#include "desktop/display_platform.h"

namespace pw {
namespace {

TEST(DisplayPlatformTest, AWaylandSessionWithXwaylandRunsThroughXwayland) {
  EXPECT_EQ(PreferredPlatform({.waylandDisplay = "wayland-0", .x11Display = ":1"}), "xcb");
}

TEST(DisplayPlatformTest, TheUsersOwnChoiceAndOtherSessionsAreLeftToQt) {
  EXPECT_EQ(PreferredPlatform(
                {.qpaPlatform = "wayland", .waylandDisplay = "wayland-0", .x11Display = ":1"}),
            "");
  EXPECT_EQ(PreferredPlatform(
                {.waylandDisplay = "wayland-0", .x11Display = ":1", .platformArgument = true}),
            "");
  // Wayland without Xwayland, and plain X11.
  EXPECT_EQ(PreferredPlatform({.waylandDisplay = "wayland-0"}), "");
  EXPECT_EQ(PreferredPlatform({.x11Display = ":0"}), "");
}

}  // namespace
}  // namespace pw
