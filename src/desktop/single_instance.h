// TTzOnlyOne keeps one copy of the program running per user. The first copy
// holds a lock file in the user's runtime folder and listens on a local
// socket beside it, both named after the application title and the user. A
// later copy finds the lock held, connects to the socket, asks the first
// copy to come forward and is told to end; it reads and writes nothing
// else. A copy that is killed leaves a lock file naming a dead process,
// which the next start takes over, and a socket file, which it replaces.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;

namespace pw {

class TTzOnlyOne : public QObject {
  Q_OBJECT

 public:
  enum class Outcome {
    Running,     // this copy is the one that runs
    HandedOver,  // another copy runs and was asked forward: end this one
    Failed,      // neither could be established (ErrorString says why)
  };

  // `runtimeFolder` empty: the user's runtime folder (XDG_RUNTIME_DIR).
  explicit TTzOnlyOne(const QString& applicationTitle, const QString& runtimeFolder = QString(),
                      QObject* parent = nullptr);
  ~TTzOnlyOne() override;

  // Takes the lock or hands over to the copy holding it. A second guard in
  // a process that already holds one does nothing and reports Running.
  Outcome Claim();
  const QString& ErrorString() const { return error_; }

 signals:
  // Another copy was started and asks this one to come forward.
  void activationRequested();

 private:
  enum class Answer { NotListening, Answered, NoAnswer };

  bool Listen();
  Answer AskRunningCopyForward();
  void AcceptConnection();

  QString lockPath_;
  QString serverPath_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer* server_ = nullptr;
  QString error_;
};

}  // namespace pw
