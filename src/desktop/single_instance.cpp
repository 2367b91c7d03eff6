#include "desktop/single_instance.h"

#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

#include "desktop/instance_request.h"

namespace pw {
namespace {

// The one guard of this process that holds the lock, if any.
SingleInstance* holder = nullptr;

// A copy that holds the lock may not listen yet (it is starting); a later
// copy tries this often before it gives up.
constexpr int kConnectAttempts = 50;
constexpr int kConnectWaitMs = 100;
constexpr int kWriteWaitMs = 5000;
// A command waits for the running copy's start-up and then runs (a new
// note, the shutdown) before the answer comes.
constexpr int kAnswerWaitMs = 60000;

QString UserName() {
  if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_name[0] != '\0')
    return QString::fromLocal8Bit(entry->pw_name);
  return QString::number(getuid());
}

}  // namespace

SingleInstance::SingleInstance(const QString& applicationTitle, const QString& runtimeFolder,
                               QObject* parent)
    : QObject(parent) {
  const QDir folder(runtimeFolder.isEmpty()
                        ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
                        : runtimeFolder);
  const QString name = applicationTitle + QLatin1Char('-') + UserName();
  lockPath_ = folder.filePath(name + QStringLiteral(".lock"));
  serverPath_ = folder.filePath(name);
}

SingleInstance::~SingleInstance() {
  if (holder == this) holder = nullptr;
}

SingleInstance::Outcome SingleInstance::Claim(const QStringList& command) {
  if (holder != nullptr) return Outcome::Running;
  error_.clear();
  lock_ = std::make_unique<QLockFile>(lockPath_);
  // Only a dead holder makes the lock stale, never its age.
  lock_->setStaleLockTime(0);
  for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
    if (lock_->tryLock(0)) {
      if (!Listen()) {
        lock_->unlock();
        return Outcome::Failed;
      }
      holder = this;
      return Outcome::Running;
    }
    if (lock_->error() != QLockFile::LockFailedError) {
      error_ = QStringLiteral("Cannot create the lock file %1").arg(lockPath_);
      return Outcome::Failed;
    }
    switch (HandOver(command)) {
      case Contact::Answered:
        return Outcome::HandedOver;
      case Contact::NoAnswer:
        error_ = QStringLiteral("The running copy does not answer at %1").arg(serverPath_);
        return Outcome::Failed;
      case Contact::NotListening:
        QThread::msleep(kConnectWaitMs);
        break;
    }
  }
  error_ = QStringLiteral("The running copy does not listen at %1").arg(serverPath_);
  return Outcome::Failed;
}

bool SingleInstance::Listen() {
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  // We hold the lock, so a socket file left there belongs to a dead copy.
  QLocalServer::removeServer(serverPath_);
  if (!server_->listen(serverPath_)) {
    error_ = server_->errorString();
    delete server_;
    server_ = nullptr;
    return false;
  }
  connect(server_, &QLocalServer::newConnection, this, &SingleInstance::AcceptConnection);
  return true;
}

void SingleInstance::StopListening() {
  if (server_ != nullptr) server_->close();
}

SingleInstance::Contact SingleInstance::HandOver(const QStringList& command) {
  QLocalSocket socket;
  socket.connectToServer(serverPath_);
  if (!socket.waitForConnected(kConnectWaitMs)) return Contact::NotListening;
  WriteRequest(socket, command);
  if (!socket.waitForBytesWritten(kWriteWaitMs)) return Contact::NoAnswer;
  for (;;) {
    bool bad = false;
    if (std::optional<InstanceAnswer> answer = pw::ReadAnswer(socket, &bad)) {
      answer_ = *answer;
      return Contact::Answered;
    }
    if (bad || !socket.waitForReadyRead(kAnswerWaitMs)) return Contact::NoAnswer;
  }
}

void SingleInstance::AcceptConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequest(socket); });
  }
}

void SingleInstance::ReadRequest(QLocalSocket* socket) {
  bool bad = false;
  std::optional<QStringList> command = pw::ReadRequest(*socket, &bad);
  if (bad) {
    socket->disconnectFromServer();
    return;
  }
  if (!command) return;
  // One request per connection.
  disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
  emit requestReceived(new InstanceRequest(std::move(*command), socket, this));
}

}  // namespace pw
