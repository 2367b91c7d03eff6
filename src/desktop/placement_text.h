// A window's placement as the text stored in section "Screens": ten decimal
// numbers joined by "," without blanks, in the order of the fields of the
// Windows WINDOWPLACEMENT record after its length:
//
//   flags, show command, minimized x, y, maximized x, y,
//   normal rectangle left, top, right, bottom
//
// e.g. "0,1,-1,-1,-1,-1,120,80,760,520". Right and bottom lie just outside
// the rectangle. The text is cut to 40 characters when it is written and
// when it is read.
#pragma once

#include <QRect>
#include <string>
#include <string_view>

namespace pw {

struct PlacementRecord {
  // Flag bit: a minimized window returns to the maximized state.
  static constexpr int kRestoreToMaximized = 2;
  // Show commands.
  static constexpr int kShowNormal = 1;
  static constexpr int kShowMinimized = 2;
  static constexpr int kShowMaximized = 3;

  int flags = 0;
  int showCommand = kShowNormal;
  int minimizedX = -1;
  int minimizedY = -1;
  int maximizedX = -1;
  int maximizedY = -1;
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  QRect NormalRect() const { return QRect(left, top, right - left, bottom - top); }
  bool OpensMaximized() const {
    return showCommand == kShowMaximized ||
           (showCommand == kShowMinimized && (flags & kRestoreToMaximized) != 0);
  }
};

inline constexpr std::size_t kPlacementTextLength = 40;

std::string FormatPlacement(const PlacementRecord& record);

// Reads the numbers of `text` after cutting it to 40 characters. Each of
// the first nine is the text up to the next ","; the tenth is the first 10
// characters of what is left. A missing or non-numeric number reads as 0,
// and once a "," is missing every further number reads as 0.
PlacementRecord ParsePlacement(std::string_view text);

}  // namespace pw
