#include <gtest/gtest.h>

#include <QPalette>

#include "dialogs/message_window.h"
#include "dialogs/progress_window.h"

namespace pw {
namespace {

TEST(ProgressWindow, TextLosesOneBarPerStepAndStartsAgainWhenEmpty) {
  ProgressWindow progress;
  EXPECT_EQ(progress.windowTitle(), "Progress");
  EXPECT_EQ(progress.Text(), QString(100, '|'));
  progress.Step();
  EXPECT_EQ(progress.Text(), QString(99, '|'));
  for (int i = 0; i < 99; ++i) progress.Step();
  EXPECT_EQ(progress.Text(), QString(100, '|'));
}

TEST(ProgressWindow, WindowIsYellowAboveAllAndFramedOnlyWithACaption) {
  MessageWindow framed("Indexing", "Indexing NOTES.DBF...");
  EXPECT_TRUE(framed.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(framed.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(framed.palette().color(QPalette::Window), QColor(Qt::yellow));
  MessageWindow bare("one line", "");
  EXPECT_TRUE(bare.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_GE(framed.width(), bare.width());
}

}  // namespace
}  // namespace pw
