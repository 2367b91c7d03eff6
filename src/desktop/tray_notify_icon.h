// TrayNotifyIcon shows the program's icon with a tip in the desktop's
// notification area, reports single and double left clicks, and opens its
// pop-up menu at the mouse on a right click.
//
// A press starts the click timer (the desktop's double-click time); when it
// runs out, OnClick is raised unless the press became a double click, which
// raises OnDblClick at once. A double click therefore never raises OnClick,
// and a single click is reported one double-click time after the press.
//
// Where the notification area speaks StatusNotifierItem over D-Bus, the
// menu is exported for the host to show, and the host's SecondaryActivate
// (a middle click) stands for the double click, which that protocol lacks.
//
// When the desktop has no notification area, a TrayFallbackWindow takes the
// icon's place with the same clicks and menu.
#pragma once

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>

#include "desktop/one_shot_timer.h"

namespace pw {

class TrayFallbackWindow;

class TrayNotifyIcon : public QObject {
  Q_OBJECT

 public:
  // The tip the notification area shows holds at most this many characters.
  static constexpr int kTipLength = 127;

  // `clickTimer` null: the event loop's timer. `trayAvailable` null: ask
  // the desktop (QSystemTrayIcon::isSystemTrayAvailable) each time the icon
  // is shown.
  explicit TrayNotifyIcon(QObject* parent = nullptr,
                          std::unique_ptr<OneShotTimer> clickTimer = nullptr,
                          std::function<bool()> trayAvailable = nullptr);
  ~TrayNotifyIcon() override;

  // An empty icon shows the program's icon.
  const QIcon& Icon() const { return icon_; }
  void SetIcon(const QIcon& icon);
  const QString& Hint() const { return hint_; }
  void SetHint(const QString& hint);
  bool IconVisible() const { return iconVisible_; }
  void SetIconVisible(bool visible);
  // Becomes null when the menu is destroyed.
  QMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(QMenu* menu);

  // What the desktop shows: the notification-area icon, and the window
  // standing in for it (null unless the icon is visible without a
  // notification area).
  QSystemTrayIcon* SystemIcon() const { return systemIcon_; }
  TrayFallbackWindow* FallbackWindow() const { return fallback_.get(); }

 signals:
  void OnClick();
  void OnDblClick();

 private:
  void LeftButtonDown();
  void LeftButtonDoubleClick();
  void OpenMenu(const QPoint& globalPosition);
  void ClickTimerFired();
  void Activated(QSystemTrayIcon::ActivationReason reason);
  QIcon ShownIcon() const;
  QString ShownTip() const { return hint_.left(kTipLength); }

  std::unique_ptr<OneShotTimer> clickTimer_;
  std::function<bool()> trayAvailable_;
  int doubleClickTime_;
  bool doubleClicked_ = false;
  QSystemTrayIcon* systemIcon_;
  std::unique_ptr<TrayFallbackWindow> fallback_;
  QIcon icon_;
  QString hint_;
  bool iconVisible_ = false;
  bool statusNotifier_ = false;
  QPointer<QMenu> popupMenu_;
};

}  // namespace pw
