#include "desktop/instance_request.h"

#include <QLocalSocket>

#include "desktop/instance_wire.h"

namespace pw {

InstanceRequest::InstanceRequest(QStringList arguments, QLocalSocket* socket, QObject* parent)
    : QObject(parent), arguments_(std::move(arguments)), socket_(socket) {}

void InstanceRequest::Answer(int exitCode, const QString& text) {
  if (answered_) return;
  answered_ = true;
  if (socket_ && socket_->state() == QLocalSocket::ConnectedState) {
    WriteAnswer(*socket_, {exitCode, text});
    socket_->flush();
    socket_->disconnectFromServer();
  }
  deleteLater();
}

}  // namespace pw
