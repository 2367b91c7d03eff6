#include "desktop/tray_notify_icon.h"

#include <QApplication>
#include <QCursor>
#include "desktop/program_icon.h"
#include "desktop/status_notifier.h"
#include "desktop/tray_fallback_window.h"

namespace pw {

TrayNotifyIcon::TrayNotifyIcon(QObject* parent, std::unique_ptr<OneShotTimer> clickTimer,
                               std::function<bool()> trayAvailable)
    : QObject(parent),
      clickTimer_(clickTimer ? std::move(clickTimer) : std::make_unique<QtOneShotTimer>()),
      trayAvailable_(trayAvailable ? std::move(trayAvailable)
                                   : [] { return QSystemTrayIcon::isSystemTrayAvailable(); }),
      doubleClickTime_(QApplication::doubleClickInterval()),
      systemIcon_(new QSystemTrayIcon(this)) {
  clickTimer_->SetHandler([this] { ClickTimerFired(); });
  systemIcon_->setIcon(ShownIcon());
  connect(systemIcon_, &QSystemTrayIcon::activated, this, &TrayNotifyIcon::Activated);
}

TrayNotifyIcon::~TrayNotifyIcon() = default;

void TrayNotifyIcon::SetIcon(const QIcon& icon) {
  icon_ = icon;
  systemIcon_->setIcon(ShownIcon());
  if (fallback_) fallback_->SetIcon(ShownIcon());
}

void TrayNotifyIcon::SetHint(const QString& hint) {
  hint_ = hint;
  systemIcon_->setToolTip(ShownTip());
  if (fallback_) fallback_->SetTip(ShownTip());
}

void TrayNotifyIcon::SetPopupMenu(QMenu* menu) {
  popupMenu_ = menu;
  if (statusNotifier_) systemIcon_->setContextMenu(menu);
}

void TrayNotifyIcon::SetIconVisible(bool visible) {
  if (visible == iconVisible_) return;
  iconVisible_ = visible;
  if (!visible) {
    systemIcon_->hide();
    fallback_.reset();
    return;
  }
  if (trayAvailable_()) {
    statusNotifier_ = StatusNotifierHostPresent();
    if (statusNotifier_) systemIcon_->setContextMenu(popupMenu_);
    systemIcon_->show();
    return;
  }
  fallback_ = std::make_unique<TrayFallbackWindow>();
  fallback_->SetIcon(ShownIcon());
  fallback_->SetTip(ShownTip());
  connect(fallback_.get(), &TrayFallbackWindow::leftButtonPressed, this,
          &TrayNotifyIcon::LeftButtonDown);
  connect(fallback_.get(), &TrayFallbackWindow::leftButtonDoubleClicked, this,
          &TrayNotifyIcon::LeftButtonDoubleClick);
  connect(fallback_.get(), &TrayFallbackWindow::menuRequested, this, &TrayNotifyIcon::OpenMenu);
  fallback_->ShowInCorner();
}

void TrayNotifyIcon::Activated(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::Trigger:
      LeftButtonDown();
      break;
    case QSystemTrayIcon::DoubleClick:
      LeftButtonDoubleClick();
      break;
    case QSystemTrayIcon::MiddleClick:
      // Not LeftButtonDoubleClick(): no press started the click timer, so
      // its flag would swallow the next single click.
      if (statusNotifier_) emit OnDblClick();
      break;
    case QSystemTrayIcon::Context:
      OpenMenu(QCursor::pos());
      break;
    default:
      break;
  }
}

void TrayNotifyIcon::LeftButtonDown() {
  clickTimer_->Start(doubleClickTime_);
}

void TrayNotifyIcon::LeftButtonDoubleClick() {
  doubleClicked_ = true;
  emit OnDblClick();
}

void TrayNotifyIcon::ClickTimerFired() {
  clickTimer_->Stop();
  if (!doubleClicked_) emit OnClick();
  doubleClicked_ = false;
}

void TrayNotifyIcon::OpenMenu(const QPoint& globalPosition) {
  if (!popupMenu_) return;
  // The menu must take the keyboard, so that it closes when the user
  // clicks elsewhere.
  if (fallback_) fallback_->activateWindow();
  popupMenu_->popup(globalPosition);
  popupMenu_->activateWindow();
}

QIcon TrayNotifyIcon::ShownIcon() const {
  return icon_.isNull() ? ProgramIcon() : icon_;
}

}  // namespace pw
