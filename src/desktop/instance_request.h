// One request a later start of the program hands to the running copy: the
// command it was given, as a list of texts (empty: only come forward). The
// running copy answers it once with an exit code and a text for the later
// start to print; the request goes away after the answer. A later start that
// ended before the answer came gets none, but its command still runs.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QLocalSocket;

namespace pw {

class InstanceRequest : public QObject {
  Q_OBJECT

 public:
  InstanceRequest(QStringList arguments, QLocalSocket* socket, QObject* parent);

  const QStringList& Arguments() const { return arguments_; }
  // Sends the answer and deletes the request; later calls do nothing.
  void Answer(int exitCode, const QString& text = QString());

 private:
  QStringList arguments_;
  QPointer<QLocalSocket> socket_;
  bool answered_ = false;
};

}  // namespace pw
