#include "desktop/status_notifier.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QVariant>

namespace pw {

bool StatusNotifierHostPresent() {
  static const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface()->isServiceRegistered(kWatcher).value()) return false;
  QDBusInterface watcher(kWatcher, QStringLiteral("/StatusNotifierWatcher"), kWatcher, bus);
  return watcher.property("IsStatusNotifierHostRegistered").toBool();
}

}  // namespace pw
