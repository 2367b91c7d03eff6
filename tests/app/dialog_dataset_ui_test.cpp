#include <gtest/gtest.h>

#include "app/dialog_dataset_ui.h"

namespace pw {
namespace {

TEST(DialogDatasetUi, ShowsTheBuildInAProgressWindowAndClosesIt) {
  DialogDatasetUi ui;
  ui.ProgressStart("Indexing NOTES.DBF...");
  ASSERT_NE(ui.Progress(), nullptr);
  EXPECT_TRUE(ui.Progress()->isVisible());
  EXPECT_EQ(ui.Progress()->windowTitle(), "Indexing NOTES.DBF...");
  ui.ProgressTick();
  EXPECT_EQ(ui.Progress()->Text(), QString(99, '|'));
  ui.ProgressFinish();
  EXPECT_EQ(ui.Progress(), nullptr);
}

}  // namespace
}  // namespace pw
