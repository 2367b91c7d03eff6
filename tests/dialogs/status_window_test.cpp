#include "dialogs/status_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>

namespace pw {
namespace {

TEST(StatusWindowTest, ShowsCaptionTextAndAnEmptyBar) {
  StatusWindow status(QStringLiteral("Back Up"), QStringLiteral("Backing up notes file"), 6);
  status.show();
  EXPECT_EQ(status.windowTitle(), QStringLiteral("Back Up"));
  EXPECT_EQ(status.Label()->text(), QStringLiteral("Backing up notes file"));
  EXPECT_TRUE(status.Label()->isVisible());
  EXPECT_TRUE(status.ProgressBar()->isVisible());
  EXPECT_EQ(status.ProgressBar()->minimum(), 0);
  EXPECT_EQ(status.ProgressBar()->maximum(), 6);
  EXPECT_EQ(status.ProgressBar()->value(), 0);
}

TEST(StatusWindowTest, EachStepMovesTheBarOnByOne) {
  StatusWindow status(QStringLiteral("Compacting"), QStringLiteral("Compacting Trash Bin"), 3);
  status.StepIt();
  EXPECT_EQ(status.ProgressBar()->value(), 1);
  status.StepIt();
  status.StepIt();
  EXPECT_EQ(status.ProgressBar()->value(), 3);
}

}  // namespace
}  // namespace pw
