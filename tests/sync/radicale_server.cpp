#include "sync/radicale_server.h"

#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include "sync/dav_client.h"

namespace pw::test {

RadicaleServer::RadicaleServer() = default;
RadicaleServer::~RadicaleServer() {
  Stop();
}

QString RadicaleServer::Start() {
  const QString radicale = QStandardPaths::findExecutable("radicale");
  const QString htpasswd = QStandardPaths::findExecutable("htpasswd");
  if (radicale.isEmpty() || htpasswd.isEmpty()) {
    missing_ = true;
    return "radicale or htpasswd (packages radicale, apache2-utils) is not installed";
  }
  const QString users = folder_.filePath("users");
  QProcess makeUser;
  makeUser.setStandardOutputFile(QProcess::nullDevice());
  makeUser.start(htpasswd, {"-c", "-b", "-m", users, kUser, kPassword});
  if (!makeUser.waitForFinished() || makeUser.exitCode() != 0) return "htpasswd failed";
  if (port_ == 0) {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0)) return "no free port";
    port_ = probe.serverPort();
  }
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_.start(
      radicale, {"--config", "", "--server-hosts", QString("127.0.0.1:%1").arg(port_),
                 "--storage-filesystem-folder", folder_.filePath("collections"), "--auth-type",
                 "htpasswd", "--auth-htpasswd-filename", users, "--auth-htpasswd-encryption", "md5",
                 "--auth-delay", "0", "--logging-level", "warning"});
  if (!process_.waitForStarted()) return "radicale did not start";
  for (int attempt = 0; attempt < 100; ++attempt) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port_);
    if (socket.waitForConnected(100)) return {};
    if (process_.state() != QProcess::Running) return "radicale ended at start";
    QThread::msleep(50);
  }
  return "radicale does not listen";
}

void RadicaleServer::Stop() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.kill();
  process_.waitForFinished();
}

QUrl RadicaleServer::Root() const {
  return QUrl(QString("http://127.0.0.1:%1/").arg(port_));
}

QUrl RadicaleServer::MakeCollection(const QString& name) {
  const QUrl url = Root().resolved(QUrl(QString("/%1/%2/").arg(kUser, name)));
  DavClient client(kUser, kPassword);
  const QByteArray body =
      "<?xml version=\"1.0\"?><c:mkcalendar xmlns:d=\"DAV:\" "
      "xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:set><d:prop>"
      "<d:displayname>" +
      name.toUtf8() +
      "</d:displayname><c:supported-calendar-component-set><c:comp name=\"VTODO\"/><c:comp "
      "name=\"VJOURNAL\"/>"
      "</c:supported-calendar-component-set></d:prop></d:set></c:mkcalendar>";
  const DavReply reply = client.Send("MKCALENDAR", url, body);
  return reply.ok() ? url : QUrl();
}

}  // namespace pw::test
