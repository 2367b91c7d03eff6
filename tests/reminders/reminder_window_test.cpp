// The reminder window offscreen, driven by clicks on its buttons: the
// settings of section "Reminder", ringing and snoozing, the corners of the
// screen, the button layout, and windows that do not disturb each other.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <string>

#include "desktop/sound_player.h"
#include "reminders/reminder_window.h"
#include "settings/ini_file.h"
#include "support/recording_sound_player.h"
#include "support/temp_dir.h"

namespace pw {
namespace {

class ReminderWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QFile sound(Folder() + "/Reminder.wav");
    ASSERT_TRUE(sound.open(QIODevice::WriteOnly));
    sound.write("RIFF");
  }
  QString Folder() const { return QString::fromStdString(dir_.path()); }
  void Set(const char* key, const std::string& value) {
    IniFile config(Folder() + "/Config.cfg");
    ASSERT_TRUE(config.WriteString("Reminder", key, value));
  }
  // A window made as the reminder pass makes one; deleted when closed.
  ReminderWindow* Make() { return new ReminderWindow(Folder(), player_); }
  static void Click(ReminderWindow* window, const char* button) {
    auto* control = window->findChild<QPushButton*>(button);
    ASSERT_NE(control, nullptr) << button;
    QTest::mouseClick(control, Qt::LeftButton);
  }
  static QTimer* Timer(ReminderWindow* window, const char* name) {
    return window->findChild<QTimer*>(name);
  }

  test::TempDir dir_;
  QStringList played_;
  test::RecordingSoundPlayer player_{&played_};
};

TEST_F(ReminderWindowTest, RingsAtEachShowRepeatsAndComesBackAfterSnooze) {
  QPointer<ReminderWindow> window = Make();
  EXPECT_EQ(window->windowTitle(), "Note Alarm");
  EXPECT_EQ(window->findChild<QLabel*>("Label1")->text(), "The following alarm has activated:");
  EXPECT_EQ(window->Settings().soundFile, Folder() + "/Reminder.wav");
  EXPECT_FALSE(Timer(window, "TimerReplay")->isActive());
  window->ShowReminder();
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(played_, QStringList({Folder() + "/Reminder.wav"}));
  ASSERT_TRUE(Timer(window, "TimerReplay")->isActive());
  EXPECT_EQ(Timer(window, "TimerReplay")->interval(), 10 * 60000);
  window->onReplayTimeout();
  EXPECT_EQ(played_.size(), 2);

  Click(window, "BtnSnooze");
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(Timer(window, "TimerReplay")->isActive());
  ASSERT_TRUE(Timer(window, "TimerSnooze")->isActive());
  EXPECT_EQ(Timer(window, "TimerSnooze")->interval(), 5 * 60000);
  window->onSnoozeTimeout();
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(Timer(window, "TimerSnooze")->isActive());
  EXPECT_TRUE(Timer(window, "TimerReplay")->isActive());
  EXPECT_EQ(played_.size(), 3);

  Click(window, "BtnOk");
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
}

TEST_F(ReminderWindowTest, WithoutPlaySoundNothingPlaysAndSnoozeStillComesBack) {
  Set("PlaySound", "0");
  Set("SnoozeInterval", "0");
  QPointer<ReminderWindow> window = Make();
  window->ShowReminder();
  EXPECT_FALSE(Timer(window, "TimerReplay")->isActive());
  Click(window, "BtnSnooze");
  EXPECT_FALSE(window->isVisible());
  // A snooze below a minute counts as one.
  EXPECT_EQ(Timer(window, "TimerSnooze")->interval(), 60000);
  window->onSnoozeTimeout();
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(Timer(window, "TimerReplay")->isActive());
  EXPECT_TRUE(played_.isEmpty());
  delete window;
}

TEST_F(ReminderWindowTest, RepeatIntervalZeroPlaysOncePerShowAndAMissingFileIsSkipped) {
  Set("RepeatInterval", "0");
  ReminderWindow* window = Make();
  window->ShowReminder();
  EXPECT_FALSE(Timer(window, "TimerReplay")->isActive());
  Click(window, "BtnSnooze");
  window->onSnoozeTimeout();
  EXPECT_EQ(played_.size(), 2);
  delete window;

  Set("SoundFile", dir_.file("none.wav"));
  window = Make();
  window->ShowReminder();
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(played_.size(), 2);
  delete window;
}

TEST_F(ReminderWindowTest, TwoWindowsSnoozeAndCloseIndependently) {
  QPointer<ReminderWindow> first = Make();
  QPointer<ReminderWindow> second = Make();
  first->ShowReminder();
  second->ShowReminder();
  second->resize(300, 250);
  Click(first, "BtnSnooze");
  EXPECT_FALSE(first->isVisible());
  EXPECT_TRUE(second->isVisible());
  EXPECT_TRUE(Timer(second, "TimerReplay")->isActive());
  EXPECT_FALSE(Timer(second, "TimerSnooze")->isActive());
  EXPECT_EQ(second->findChild<QPushButton*>("BtnSnooze")->x(), 300 / 2 - 82);
  EXPECT_EQ(first->findChild<QPushButton*>("BtnSnooze")->x(), 253 / 2 - 82);
  Click(second, "BtnOk");
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(second.isNull());
  ASSERT_FALSE(first.isNull());
  EXPECT_TRUE(Timer(first, "TimerSnooze")->isActive());
  delete first;
}

TEST_F(ReminderWindowTest, ButtonsStayCentredAndFollowTheBottomEdge) {
  ReminderWindow* window = Make();
  window->ShowReminder();
  window->resize(window->minimumWidth(), 260);
  EXPECT_EQ(window->width(), 230);
  EXPECT_EQ(window->findChild<QPushButton*>("BtnSnooze")->geometry(), QRect(33, 229, 77, 25));
  EXPECT_EQ(window->findChild<QPushButton*>("BtnOk")->geometry(), QRect(113, 229, 77, 25));
  delete window;
}

TEST_F(ReminderWindowTest, PlacedAtItsDesignPositionOrInTheChosenCorner) {
  ReminderWindow* window = Make();
  window->ShowReminder();
  EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(207, 195));
  delete window;

  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  Set("ReminderPosition", "3");
  window = Make();
  window->ShowReminder();
  EXPECT_EQ(window->frameGeometry().bottomRight(), screen.bottomRight());
  delete window;
  Set("ReminderPosition", "0");
  window = Make();
  window->ShowReminder();
  EXPECT_EQ(window->frameGeometry().topLeft(), screen.topLeft());
  delete window;
}

}  // namespace
}  // namespace pw
