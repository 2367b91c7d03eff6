#include "desktop/tray_notify_icon.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "desktop/program_icon.h"
#include "desktop/tray_fallback_window.h"

namespace pw {
namespace {

bool SameImage(const QIcon& shown, const QIcon& expected, int size) {
  return shown.pixmap(size, size).toImage() == expected.pixmap(size, size).toImage();
}

// A click timer the test runs out by hand.
class ManualTimer : public OneShotTimer {
 public:
  void Start(int milliseconds) override {
    running = true;
    interval = milliseconds;
  }
  void Stop() override { running = false; }
  void RunOut() {
    if (running) Fire();
  }

  bool running = false;
  int interval = -1;
};

class TrayNotifyIconTest : public ::testing::Test {
 protected:
  explicit TrayNotifyIconTest(bool trayAvailable = true) {
    auto timer = std::make_unique<ManualTimer>();
    timer_ = timer.get();
    icon_ = std::make_unique<TrayNotifyIcon>(nullptr, std::move(timer),
                                             [trayAvailable] { return trayAvailable; });
    menu_.addAction(QStringLiteral("New Note"));
    menu_.addAction(QStringLiteral("Shutdown Paperwisp"));
  }
  ~TrayNotifyIconTest() override { menu_.hide(); }

  void Press() { emit icon_->SystemIcon()->activated(QSystemTrayIcon::Trigger); }
  void DoubleClick() { emit icon_->SystemIcon()->activated(QSystemTrayIcon::DoubleClick); }
  void RightClick() { emit icon_->SystemIcon()->activated(QSystemTrayIcon::Context); }

  ManualTimer* timer_;
  QMenu menu_;
  std::unique_ptr<TrayNotifyIcon> icon_;
};

TEST_F(TrayNotifyIconTest, TipIsCutTo127Characters) {
  const QString hint = QString(200, QLatin1Char('x')).replace(126, 2, QStringLiteral("YZ"));
  icon_->SetHint(hint);
  EXPECT_EQ(icon_->Hint(), hint);
  EXPECT_EQ(icon_->SystemIcon()->toolTip(), hint.left(127));
  EXPECT_TRUE(icon_->SystemIcon()->toolTip().endsWith(QLatin1Char('Y')));
  icon_->SetHint(QStringLiteral("Paperwisp"));
  EXPECT_EQ(icon_->SystemIcon()->toolTip(), QStringLiteral("Paperwisp"));
}

TEST_F(TrayNotifyIconTest, SingleClickIsReportedWhenTheDoubleClickTimeHasPassed) {
  QSignalSpy clicks(icon_.get(), &TrayNotifyIcon::OnClick);
  QSignalSpy doubleClicks(icon_.get(), &TrayNotifyIcon::OnDblClick);
  Press();
  EXPECT_TRUE(timer_->running);
  EXPECT_EQ(timer_->interval, QApplication::doubleClickInterval());
  EXPECT_EQ(clicks.count(), 0);
  timer_->RunOut();
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_EQ(doubleClicks.count(), 0);
  EXPECT_FALSE(timer_->running);
}

TEST_F(TrayNotifyIconTest, DoubleClickRaisesOnlyOnDblClick) {
  QSignalSpy clicks(icon_.get(), &TrayNotifyIcon::OnClick);
  QSignalSpy doubleClicks(icon_.get(), &TrayNotifyIcon::OnDblClick);
  Press();
  DoubleClick();
  EXPECT_EQ(doubleClicks.count(), 1);
  timer_->RunOut();
  EXPECT_EQ(clicks.count(), 0);
  EXPECT_EQ(doubleClicks.count(), 1);
  // The flag is spent: the next single click is a click again.
  Press();
  timer_->RunOut();
  EXPECT_EQ(clicks.count(), 1);
}

TEST_F(TrayNotifyIconTest, RightClickOpensTheMenuAtTheMouse) {
  icon_->SetPopupMenu(&menu_);
  QCursor::setPos(200, 150);
  RightClick();
  ASSERT_TRUE(menu_.isVisible());
  EXPECT_EQ(menu_.pos(), QCursor::pos());
}

TEST_F(TrayNotifyIconTest, RightClickWithoutAMenuDoesNothing) {
  QSignalSpy clicks(icon_.get(), &TrayNotifyIcon::OnClick);
  RightClick();
  EXPECT_FALSE(menu_.isVisible());
  EXPECT_FALSE(timer_->running);
  EXPECT_EQ(clicks.count(), 0);
}

TEST_F(TrayNotifyIconTest, DestroyedMenuIsForgotten) {
  auto menu = std::make_unique<QMenu>();
  icon_->SetPopupMenu(menu.get());
  menu.reset();
  EXPECT_EQ(icon_->PopupMenu(), nullptr);
  RightClick();
}

TEST_F(TrayNotifyIconTest, WithANotificationAreaNoFallbackWindowIsMade) {
  icon_->SetIconVisible(true);
  EXPECT_TRUE(icon_->IconVisible());
  EXPECT_EQ(icon_->FallbackWindow(), nullptr);
  EXPECT_FALSE(icon_->SystemIcon()->icon().isNull());
}

TEST_F(TrayNotifyIconTest, WithoutAnIconOfItsOwnTheProgramsIconIsShown) {
  for (const int size : {16, 22, 32}) {
    EXPECT_TRUE(SameImage(icon_->SystemIcon()->icon(), ProgramIcon(), size)) << size;
  }
  QPixmap other(16, 16);
  other.fill(Qt::blue);
  icon_->SetIcon(QIcon(other));
  EXPECT_TRUE(SameImage(icon_->SystemIcon()->icon(), QIcon(other), 16));
  icon_->SetIcon(QIcon());
  EXPECT_TRUE(SameImage(icon_->SystemIcon()->icon(), ProgramIcon(), 16));
}

TEST(BottomRightCornerTest, TheWholeFrameStaysInsideTheAvailableArea) {
  // A panel of 24 pixels at the top; a frame 30 pixels taller than the
  // window's client area.
  const QRect area(0, 24, 1280, 776);
  const QPoint corner = BottomRightCorner(area, QSize(220, 80), 16);
  EXPECT_EQ(corner, QPoint(1044, 704));
  EXPECT_TRUE(area.contains(QRect(corner, QSize(220, 80))));
  EXPECT_EQ(QRect(corner, QSize(220, 80)).bottom(), area.bottom() - 16);
  EXPECT_EQ(QRect(corner, QSize(220, 80)).right(), area.right() - 16);
}

// The offscreen desktop has no notification area, like some real ones.
class TrayFallbackTest : public TrayNotifyIconTest {
 protected:
  TrayFallbackTest() : TrayNotifyIconTest(QSystemTrayIcon::isSystemTrayAvailable()) {
    icon_->SetHint(QStringLiteral("Paperwisp"));
    icon_->SetPopupMenu(&menu_);
    icon_->SetIconVisible(true);
  }
  TrayFallbackWindow* Window() const { return icon_->FallbackWindow(); }
};

TEST_F(TrayFallbackTest, WindowStandsInForTheIconWhileItIsVisible) {
  ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());
  ASSERT_NE(Window(), nullptr);
  EXPECT_TRUE(Window()->isVisible());
  EXPECT_EQ(Window()->windowTitle(), QStringLiteral("Paperwisp"));
  EXPECT_EQ(Window()->toolTip(), QStringLiteral("Paperwisp"));
  icon_->SetHint(QString(130, QLatin1Char('t')));
  EXPECT_EQ(Window()->toolTip().size(), 127);
  icon_->SetIconVisible(false);
  EXPECT_EQ(Window(), nullptr);
}

TEST_F(TrayFallbackTest, WindowShowsTheProgramsIconInsideTheAvailableArea) {
  ASSERT_NE(Window(), nullptr);
  auto* label = Window()->findChild<QLabel*>();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->pixmap().toImage(), ProgramIcon().pixmap(32, 32).toImage());
  EXPECT_TRUE(SameImage(Window()->windowIcon(), ProgramIcon(), 32));
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(area.contains(Window()->frameGeometry()));
  EXPECT_EQ(Window()->frameGeometry().bottom(), area.bottom() - 16);
}

TEST_F(TrayFallbackTest, WindowCannotBeClosed) {
  ASSERT_NE(Window(), nullptr);
  EXPECT_FALSE(Window()->close());
  EXPECT_TRUE(Window()->isVisible());
}

TEST_F(TrayFallbackTest, ClicksOnTheWindowAreClicksOnTheIcon) {
  ASSERT_NE(Window(), nullptr);
  QSignalSpy clicks(icon_.get(), &TrayNotifyIcon::OnClick);
  QSignalSpy doubleClicks(icon_.get(), &TrayNotifyIcon::OnDblClick);
  const QPoint spot(10, 10);
  QTest::mouseClick(Window(), Qt::LeftButton, {}, spot);
  EXPECT_TRUE(timer_->running);
  timer_->RunOut();
  EXPECT_EQ(clicks.count(), 1);
  QTest::mouseDClick(Window(), Qt::LeftButton, {}, spot);
  EXPECT_EQ(doubleClicks.count(), 1);
  timer_->RunOut();
  EXPECT_EQ(clicks.count(), 1);
}

TEST_F(TrayFallbackTest, RightClickOnTheWindowOpensTheMenuThere) {
  ASSERT_NE(Window(), nullptr);
  // Away from the screen's corner, so that the menu need not move to fit.
  Window()->move(100, 100);
  const QPoint spot(12, 8);
  QTest::mousePress(Window(), Qt::RightButton, {}, spot);
  ASSERT_TRUE(menu_.isVisible());
  EXPECT_EQ(menu_.pos(), Window()->mapToGlobal(spot));
}

TEST_F(TrayFallbackTest, MenuButtonOpensTheSameMenu) {
  ASSERT_NE(Window(), nullptr);
  auto* button = Window()->findChild<QToolButton*>();
  ASSERT_NE(button, nullptr);
  QTest::mouseClick(button, Qt::LeftButton);
  ASSERT_TRUE(menu_.isVisible());
  EXPECT_EQ(menu_.actions().size(), 2);
}

}  // namespace
}  // namespace pw
