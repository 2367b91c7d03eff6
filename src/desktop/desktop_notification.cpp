#include "desktop/desktop_notification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QVariantMap>

namespace pw {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
// The reason NotificationClosed gives when the user dismissed it.
constexpr uint kDismissedByUser = 2;
// -1: the server's own time; it stays until answered only when the server
// keeps notifications with actions, so "resident" and "urgency" ask for it.
constexpr int kServerTimeout = -1;
constexpr unsigned char kCriticalUrgency = 2;

QDBusMessage Call(const QString& method) {
  return QDBusMessage::createMethodCall(kService, kPath, kService, method);
}

}  // namespace

DesktopNotification::DesktopNotification(QStringList actions, QObject* parent)
    : QObject(parent), actions_(std::move(actions)) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  bus.connect(kService, kPath, kService, QStringLiteral("ActionInvoked"), this,
              SLOT(OnActionInvoked(uint, QString)));
  bus.connect(kService, kPath, kService, QStringLiteral("NotificationClosed"), this,
              SLOT(OnNotificationClosed(uint, uint)));
}

DesktopNotification::~DesktopNotification() {
  Close();
}

bool DesktopNotification::Show(const QString& summary, const QString& body) {
  QDBusMessage notify = Call(QStringLiteral("Notify"));
  const QVariantMap hints{{QStringLiteral("resident"), true},
                          {QStringLiteral("urgency"), QVariant::fromValue(kCriticalUrgency)},
                          {QStringLiteral("desktop-entry"), QStringLiteral("paperwisp")}};
  notify << QStringLiteral("Paperwisp") << id_ << QStringLiteral("paperwisp") << summary << body
         << actions_ << hints << kServerTimeout;
  const QDBusReply<uint> reply = QDBusConnection::sessionBus().call(notify);
  if (!reply.isValid()) {
    qWarning("No desktop notification: %s", qPrintable(reply.error().message()));
    return false;
  }
  id_ = reply.value();
  return true;
}

void DesktopNotification::Close() {
  if (id_ == 0) return;
  QDBusMessage close = Call(QStringLiteral("CloseNotification"));
  close << id_;
  id_ = 0;
  QDBusConnection::sessionBus().call(close, QDBus::NoBlock);
}

void DesktopNotification::OnActionInvoked(uint id, const QString& key) {
  if (id == 0 || id != id_) return;
  emit actionInvoked(key);
}

void DesktopNotification::OnNotificationClosed(uint id, uint reason) {
  if (id == 0 || id != id_) return;
  id_ = 0;
  if (reason == kDismissedByUser) emit dismissed();
}

}  // namespace pw
