#include "desktop/taskbar_button.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

namespace pw {
namespace {

TEST(TaskbarButtonTest, IsAMinimizedWindowTitledLikeTheProgram) {
  TaskbarButton button(QStringLiteral("Paperwisp"));
  EXPECT_FALSE(button.Shown());
  button.SetShown(true);
  EXPECT_TRUE(button.Shown());
  EXPECT_TRUE(button.isMinimized());
  EXPECT_TRUE(button.isWindow());
  EXPECT_EQ(button.windowTitle(), "Paperwisp");
  button.SetShown(false);
  EXPECT_FALSE(button.isVisible());
}

TEST(TaskbarButtonTest, RestoringItReportsActivatedAndMinimizesItAgain) {
  TaskbarButton button(QStringLiteral("Paperwisp"));
  button.SetShown(true);
  QSignalSpy activated(&button, &TaskbarButton::activated);
  button.setWindowState(Qt::WindowNoState);
  EXPECT_EQ(activated.count(), 1);
  EXPECT_TRUE(QTest::qWaitFor([&button] { return button.isMinimized(); }, 1000));
  QTest::qWait(100);
  EXPECT_EQ(activated.count(), 1);
  // A later restore from the task bar is a new activation.
  QTest::qWait(500);
  button.setWindowState(Qt::WindowNoState);
  EXPECT_EQ(activated.count(), 2);
}

}  // namespace
}  // namespace pw
