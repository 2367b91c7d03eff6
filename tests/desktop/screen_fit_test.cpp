// A window left outside every screen comes back just inside the nearest one;
// a window that any screen shows stays where it is.
#include <gtest/gtest.h>

#include "desktop/screen_fit.h"

namespace pw {
namespace {

const QRect kScreen(0, 0, 1024, 768);

TEST(ScreenFitTest, AWindowFarToTheRightComesBackToTheRightEdge) {
  EXPECT_EQ(PlaceInsideScreens(QRect(5000, 100, 200, 150), {kScreen}), QPoint(824, 100));
}

TEST(ScreenFitTest, AWindowAboveAndLeftComesBackToTheTopLeftCorner) {
  EXPECT_EQ(PlaceInsideScreens(QRect(-900, -400, 200, 150), {kScreen}), QPoint(0, 0));
  EXPECT_EQ(PlaceInsideScreens(QRect(300, 2000, 200, 150), {kScreen}), QPoint(300, 618));
}

TEST(ScreenFitTest, AWindowPartlyOnAScreenStays) {
  EXPECT_EQ(PlaceInsideScreens(QRect(1000, 700, 200, 150), {kScreen}), QPoint(1000, 700));
  EXPECT_EQ(PlaceInsideScreens(QRect(-199, 10, 200, 150), {kScreen}), QPoint(-199, 10));
}

TEST(ScreenFitTest, AWindowJustOffTheEdgeMoves) {
  EXPECT_EQ(PlaceInsideScreens(QRect(1024, 10, 200, 150), {kScreen}), QPoint(824, 10));
  EXPECT_EQ(PlaceInsideScreens(QRect(-200, 10, 200, 150), {kScreen}), QPoint(0, 10));
}

TEST(ScreenFitTest, TheNearestOfSeveralScreensTakesTheWindow) {
  const QRect left(0, 0, 1024, 768);
  const QRect right(1024, 0, 1280, 1024);
  // Beyond the right screen's bottom: the right screen is nearer.
  EXPECT_EQ(PlaceInsideScreens(QRect(1500, 3000, 200, 150), {left, right}), QPoint(1500, 874));
  // Left of both: the left screen.
  EXPECT_EQ(PlaceInsideScreens(QRect(-800, 300, 200, 150), {left, right}), QPoint(0, 300));
  // On the second screen only: stays.
  EXPECT_EQ(PlaceInsideScreens(QRect(2000, 900, 200, 150), {left, right}), QPoint(2000, 900));
}

TEST(ScreenFitTest, AWindowLargerThanTheScreenGetsItsCornerOnIt) {
  EXPECT_EQ(PlaceInsideScreens(QRect(3000, 3000, 2000, 1000), {kScreen}), QPoint(0, 0));
}

TEST(ScreenFitTest, WithoutScreensNothingMoves) {
  EXPECT_EQ(PlaceInsideScreens(QRect(5000, 5000, 10, 10), {}), QPoint(5000, 5000));
}

}  // namespace
}  // namespace pw
