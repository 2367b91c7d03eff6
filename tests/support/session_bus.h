// A D-Bus session bus of the test's own (dbus-daemon), so that what the
// program registers on it, and what the test's own services offer, meet
// nobody else's. Ended with the test.
#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>

namespace pw::test {

class SessionBus {
 public:
  static bool Installed() { return !QStandardPaths::findExecutable("dbus-daemon").isEmpty(); }

  SessionBus() {
    daemon_.start(QStringLiteral("dbus-daemon"),
                  {"--session", "--nofork", "--nopidfile", "--print-address=1"});
    if (daemon_.waitForStarted() && daemon_.waitForReadyRead(10000)) {
      address_ = QString::fromLatin1(daemon_.readLine()).trimmed();
    }
  }
  ~SessionBus() {
    daemon_.kill();
    daemon_.waitForFinished();
  }
  SessionBus(const SessionBus&) = delete;
  SessionBus& operator=(const SessionBus&) = delete;

  // DBUS_SESSION_BUS_ADDRESS for the programs on it; empty when the daemon
  // did not start.
  const QString& Address() const { return address_; }

 private:
  QProcess daemon_;
  QString address_;
};

}  // namespace pw::test
