// SingleInstance keeps one copy of the program running per user. The first copy
// holds a lock file in the user's runtime folder and listens on a local
// socket beside it, both named after the application title and the user. A
// later copy finds the lock held, connects to the socket, hands over its
// command (instance_wire.h), waits for the first copy's answer and ends; it
// reads and writes nothing else. A copy that is killed leaves a lock file
// naming a dead process, which the next start takes over, and a socket file,
// which it replaces.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

#include "desktop/instance_request.h"
#include "desktop/instance_wire.h"

class QLocalServer;
class QLocalSocket;
class QLockFile;

namespace pw {

class SingleInstance : public QObject {
  Q_OBJECT

 public:
  enum class Outcome {
    Running,     // this copy is the one that runs
    HandedOver,  // another copy runs and answered the command: end this one
    Failed,      // neither could be established (ErrorString says why)
  };

  // `runtimeFolder` empty: the user's runtime folder (XDG_RUNTIME_DIR).
  explicit SingleInstance(const QString& applicationTitle, const QString& runtimeFolder = QString(),
                          QObject* parent = nullptr);
  ~SingleInstance() override;

  // Takes the lock, or hands `command` to the copy holding it (empty: come
  // forward) and keeps its answer. A second guard in a process that already
  // holds one does nothing and reports Running.
  Outcome Claim(const QStringList& command = QStringList());
  const QString& ErrorString() const { return error_; }
  // The running copy's answer after HandedOver.
  const InstanceAnswer& Answer() const { return answer_; }
  // Takes no more requests (the program is ending); later starts wait for
  // the lock instead.
  void StopListening();

 signals:
  // Another copy was started with a command; answer it through `request`.
  void requestReceived(pw::InstanceRequest* request);

 private:
  enum class Contact { NotListening, Answered, NoAnswer };

  bool Listen();
  Contact HandOver(const QStringList& command);
  void AcceptConnection();
  void ReadRequest(QLocalSocket* socket);

  QString lockPath_;
  QString serverPath_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer* server_ = nullptr;
  QString error_;
  InstanceAnswer answer_;
};

}  // namespace pw
