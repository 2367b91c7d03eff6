#include <gtest/gtest.h>

#include <QPalette>

#include "dialogs/tz_msg.h"
#include "dialogs/tz_progress100.h"

namespace pw {
namespace {

TEST(TzProgress, TextLosesOneBarPerStepAndStartsAgainWhenEmpty) {
  TTzProgress100 progress;
  EXPECT_EQ(progress.windowTitle(), "Progress");
  EXPECT_EQ(progress.Text(), QString(100, '|'));
  progress.Step();
  EXPECT_EQ(progress.Text(), QString(99, '|'));
  for (int i = 0; i < 99; ++i) progress.Step();
  EXPECT_EQ(progress.Text(), QString(100, '|'));
}

TEST(TzProgress, WindowIsYellowAboveAllAndFramedOnlyWithACaption) {
  TTzMsg framed("Indexing", "Indexing NOTES.DBF...");
  EXPECT_TRUE(framed.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(framed.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(framed.palette().color(QPalette::Window), QColor(Qt::yellow));
  TTzMsg bare("one line", "");
  EXPECT_TRUE(bare.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_GE(framed.width(), bare.width());
}

}  // namespace
}  // namespace pw
