// A desktop notification (org.freedesktop.Notifications on the session
// bus) with actions, standing beside a window that says the same: shown
// again replaces the one on screen, closed when the window closes, and
// reports the user's answer (an action's key, or a dismissal) back.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace pw {

class DesktopNotification : public QObject {
  Q_OBJECT

 public:
  // `actions`: pairs of key and button text, as the protocol lists them.
  explicit DesktopNotification(QStringList actions, QObject* parent = nullptr);
  ~DesktopNotification() override;

  // False when no notification server answered.
  bool Show(const QString& summary, const QString& body);
  // Takes the notification off the screen; nothing when none is shown.
  void Close();
  bool Shown() const { return id_ != 0; }

 signals:
  void actionInvoked(const QString& key);
  // The user closed the notification without choosing an action.
  void dismissed();

 private slots:
  void OnActionInvoked(uint id, const QString& key);
  void OnNotificationClosed(uint id, uint reason);

 private:
  QStringList actions_;
  uint id_ = 0;
};

}  // namespace pw
