// Answers no server should give: refused, cut off, not XML, random bytes.
// The sync fails or skips the object, and no note is written from them.
#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <functional>

#include "sync/memory_note_store.h"
#include "sync/sync_engine.h"
#include "sync/sync_state.h"

namespace pw::test {
namespace {

// Answers each request with what `answer` returns for its verb.
class ScriptedServer {
 public:
  using Answer = std::function<QByteArray(const QByteArray& verb)>;
  explicit ScriptedServer(Answer answer) : answer_(std::move(answer)) {
    server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Serve(socket); });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      }
    });
  }
  QUrl Collection() const {
    return QUrl(QString("http://127.0.0.1:%1/ann/notes/").arg(server_.serverPort()));
  }

 private:
  void Serve(QTcpSocket* socket) {
    QByteArray& request = pending_[socket];
    request += socket->readAll();
    const qsizetype headerEnd = request.indexOf("\r\n\r\n");
    if (headerEnd < 0) return;
    const qsizetype lengthAt = request.toLower().indexOf("content-length:");
    const int length =
        lengthAt < 0 ? 0
                     : request.mid(lengthAt + 15, request.indexOf("\r\n", lengthAt) - lengthAt - 15)
                           .trimmed()
                           .toInt();
    if (request.size() < headerEnd + 4 + length) return;
    const QByteArray verb = request.left(request.indexOf(' '));
    pending_.erase(socket);
    socket->write(answer_(verb));
    socket->disconnectFromHost();
  }

  QTcpServer server_;
  Answer answer_;
  std::map<QTcpSocket*, QByteArray> pending_;
};

QByteArray Http(int status, const QByteArray& body) {
  return "HTTP/1.1 " + QByteArray::number(status) +
         " X\r\nContent-Type: application/xml\r\nContent-Length: " +
         QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

const QByteArray kListing =
    "<?xml version=\"1.0\"?><multistatus "
    "xmlns=\"DAV:\"><response><href>/ann/notes/a.ics</href><propstat><prop>"
    "<getetag>\"1\"</getetag></prop><status>HTTP/1.1 200 OK</status></propstat></response>"
    "<sync-token>t1</sync-token></multistatus>";
const QByteArray kObjects =
    "<?xml version=\"1.0\"?><multistatus xmlns=\"DAV:\" "
    "xmlns:C=\"urn:ietf:params:xml:ns:caldav\"><response>"
    "<href>/ann/notes/a.ics</href><propstat><prop><getetag>\"1\"</"
    "getetag><C:calendar-data>BEGIN:VCALENDAR\r\n"
    "VERSION:2.0\r\nBEGIN:VTODO\r\nUID:a\r\nSUMMARY:From the "
    "server\r\nEND:VTODO\r\nEND:VCALENDAR\r\n"
    "</C:calendar-data></prop><status>HTTP/1.1 200 OK</status></propstat></response></multistatus>";

struct Outcome {
  SyncResult result;
  int writes = 0;
};

Outcome SyncAgainst(ScriptedServer::Answer answer) {
  ScriptedServer server(std::move(answer));
  QTemporaryDir dir;
  MemoryNoteStore store;
  DavClient client("ann", "pw", 3000);
  Outcome outcome;
  outcome.result =
      SyncEngine(client, store, dir.filePath(SyncState::kFileName)).Run(server.Collection());
  outcome.writes = store.writes;
  return outcome;
}

// The listing first, then `objects` for the multiget.
ScriptedServer::Answer ListingThen(const QByteArray& objects) {
  auto calls = std::make_shared<int>(0);
  return
      [calls, objects](const QByteArray&) { return ++*calls == 1 ? Http(207, kListing) : objects; };
}

TEST(HostileServer, RefusedOrBrokenAnswersWriteNoNote) {
  const QByteArray answers[] = {Http(500, "oops"), Http(401, ""), Http(207, "<html>not dav</html>"),
                                Http(207, kListing.left(kListing.size() / 2)), "garbage\r\n\r\n"};
  for (const QByteArray& answer : answers) {
    const Outcome outcome = SyncAgainst([answer](const QByteArray&) { return answer; });
    EXPECT_FALSE(outcome.result.ok) << answer.constData();
    EXPECT_FALSE(outcome.result.message.isEmpty());
    EXPECT_EQ(outcome.writes, 0) << answer.constData();
  }
  const Outcome cut = SyncAgainst(ListingThen(Http(207, kObjects.left(kObjects.size() - 40))));
  EXPECT_FALSE(cut.result.ok);
  EXPECT_EQ(cut.writes, 0);

  QByteArray badObject = kObjects;
  badObject.replace("UID:a\r\n", "");
  const Outcome unreadable = SyncAgainst(ListingThen(Http(207, badObject)));
  EXPECT_EQ(unreadable.result.unreadable, 1) << unreadable.result.message.toStdString();
  EXPECT_EQ(unreadable.writes, 0);

  const Outcome good = SyncAgainst(ListingThen(Http(207, kObjects)));
  EXPECT_EQ(good.writes, 1) << good.result.message.toStdString();
}

TEST(HostileServer, RandomlyDamagedAnswersNeverCrashAndWriteOnlyWholeNotes) {
  QRandomGenerator random(35);
  for (int round = 0; round < 150; ++round) {
    QByteArray objects = kObjects;
    for (int flips = random.bounded(1, 8); flips > 0; --flips)
      objects[random.bounded(int(objects.size()))] = char(random.bounded(256));
    const Outcome outcome = SyncAgainst(ListingThen(Http(207, objects)));
    EXPECT_LE(outcome.writes, 1);
    EXPECT_TRUE(outcome.result.ok || outcome.writes == 0) << outcome.result.message.toStdString();
  }
}

}  // namespace
}  // namespace pw::test
