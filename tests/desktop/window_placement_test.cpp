#include "desktop/window_placement.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QWidget>

#include "settings/ini_file.h"
#include "support/temp_dir.h"

namespace pw {
namespace {

QString Q(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

class WindowPlacementTest : public ::testing::Test {
 protected:
  WindowPlacementTest() : config_(Q(dir_.file("Config.cfg"))) {
    window_.setObjectName(QStringLiteral("FrmMaintainNotes"));
    window_.setGeometry(50, 60, 300, 200);
  }

  std::string Stored() const { return config_.ReadString("Screens", "FrmMaintainNotes", ""); }
  void Store(const std::string& value) {
    ASSERT_TRUE(config_.WriteString("Screens", "FrmMaintainNotes", value));
  }

  test::TempDir dir_;
  IniFile config_;
  QWidget window_;
};

TEST_F(WindowPlacementTest, EntryIsTheWindowsNameAndTheDefaultFileDimwinIni) {
  const WindowPlacement place(&window_);
  EXPECT_EQ(place.Entry(), QStringLiteral("FrmMaintainNotes"));
  EXPECT_EQ(place.IniFileName(), QStringLiteral("DIMWIN.INI"));
  QWidget unnamed;
  EXPECT_EQ(WindowPlacement(&unnamed).Entry(), QStringLiteral("QWidget"));
}

TEST_F(WindowPlacementTest, SaveWritesTheNormalRectangleUnderScreens) {
  WindowPlacement place(&window_);
  place.SetIniFileName(config_.FileName());
  window_.show();
  window_.setGeometry(120, 80, 640, 440);
  QString error;
  ASSERT_TRUE(place.Save(&error)) << error.toStdString();
  EXPECT_EQ(Stored(), "0,1,-1,-1,-1,-1,120,80,760,520");
}

TEST_F(WindowPlacementTest, RestoreAppliesTheStoredRectangle) {
  Store("0,1,-1,-1,-1,-1,120,80,760,520");
  WindowPlacement place(&window_);
  place.SetIniFileName(config_.FileName());
  place.Restore();
  EXPECT_EQ(window_.geometry(), QRect(120, 80, 640, 440));
  EXPECT_FALSE(window_.windowState() & Qt::WindowMaximized);
}

TEST_F(WindowPlacementTest, WithoutAnEntryTheWindowStaysWhereItWas) {
  WindowPlacement place(&window_);
  place.SetIniFileName(config_.FileName());
  place.Restore();
  EXPECT_EQ(window_.geometry(), QRect(50, 60, 300, 200));
}

TEST_F(WindowPlacementTest, EntryWhoseRightIsNotBeyondItsLeftIsIgnored) {
  Store("0,1,-1,-1,-1,-1,400,80,400,520");
  WindowPlacement place(&window_);
  place.SetIniFileName(config_.FileName());
  place.Restore();
  EXPECT_EQ(window_.geometry(), QRect(50, 60, 300, 200));
}

TEST_F(WindowPlacementTest, MaximizedWindowReopensMaximizedWithItsNormalRectangle) {
  WindowPlacement place(&window_);
  place.SetIniFileName(config_.FileName());
  window_.setGeometry(100, 90, 320, 240);
  window_.showMaximized();
  QString error;
  ASSERT_TRUE(place.Save(&error));
  EXPECT_EQ(Stored(), "0,3,-1,-1,-1,-1,100,90,420,330");

  QWidget reopened;
  reopened.setObjectName(QStringLiteral("FrmMaintainNotes"));
  WindowPlacement again(&reopened);
  again.SetIniFileName(config_.FileName());
  again.Restore();
  reopened.show();
  EXPECT_TRUE(reopened.windowState() & Qt::WindowMaximized);
  reopened.showNormal();
  EXPECT_EQ(reopened.geometry(), QRect(100, 90, 320, 240));
}

TEST_F(WindowPlacementTest, EmptyFileNameSwitchesTheStoreOff) {
  Store("0,1,-1,-1,-1,-1,120,80,760,520");
  WindowPlacement place(&window_);
  place.SetIniFileName(QString());
  place.Restore();
  EXPECT_EQ(window_.geometry(), QRect(50, 60, 300, 200));
  window_.setGeometry(10, 10, 100, 100);
  QString error;
  EXPECT_TRUE(place.Save(&error));
  EXPECT_EQ(Stored(), "0,1,-1,-1,-1,-1,120,80,760,520");
}

TEST_F(WindowPlacementTest, RectangleOffEveryScreenLeavesTheDesignPosition) {
  Store("0,3,-1,-1,-1,-1,90000,90000,90300,90200");
  WindowPlacement place(&window_);
  place.SetIniFileName(config_.FileName());
  place.Restore();
  EXPECT_EQ(window_.geometry(), QRect(50, 60, 300, 200));
  EXPECT_FALSE(window_.windowState() & Qt::WindowMaximized);
}

TEST_F(WindowPlacementTest, EntryCutAt40CharactersLosesTheEndOfItsBottom) {
  // 42 characters: the bottom 52099 is read as 520.
  Store("0,1,-1,-1,-1,-1,120,80,0000000000760,52099");
  WindowPlacement place(&window_);
  place.SetIniFileName(config_.FileName());
  place.Restore();
  EXPECT_EQ(window_.geometry(), QRect(120, 80, 640, 440));
}

TEST_F(WindowPlacementTest, FailedSaveIsReported) {
  WindowPlacement place(&window_);
  place.SetIniFileName(Q(dir_.file("missing-folder/Config.cfg")));
  QString error;
  EXPECT_FALSE(place.Save(&error));
  EXPECT_FALSE(error.isEmpty());
}

}  // namespace
}  // namespace pw
