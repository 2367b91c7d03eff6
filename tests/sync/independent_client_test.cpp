// What we write, read by another CalDAV client (python3-caldav with
// python3-icalendar), and what it writes, shown by us as a note.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include "reminders/reminder_due.h"
#include "richtext/rtf_plain_text.h"
#include "sync/memory_note_store.h"
#include "sync/radicale_server.h"
#include "sync/sync_engine.h"
#include "sync/sync_state.h"

namespace pw::test {
namespace {

QString RunPeer(const QUrl& collection, const QStringList& arguments, bool* ok) {
  QProcess peer;
  peer.start("/usr/bin/python3",
             QStringList{QDir(ORACLE_SCRIPTS).filePath("caldav_peer.py"), collection.toString(),
                         RadicaleServer::kUser, RadicaleServer::kPassword} +
                 arguments);
  *ok = peer.waitForFinished(30000) && peer.exitCode() == 0;
  if (!*ok) ADD_FAILURE() << peer.readAllStandardError().toStdString();
  return QString::fromUtf8(peer.readAllStandardOutput());
}

bool PeerAvailable() {
  return QProcess::execute("/usr/bin/python3", {"-c", "import caldav, icalendar"}) == 0;
}

TEST(IndependentClient, ReadsOurNotesAndWritesTasksWeShowAsNotes) {
  if (!PeerAvailable()) GTEST_SKIP() << "python3-caldav and python3-icalendar are not installed";
  RadicaleServer server;
  const QString problem = server.Start();
  if (server.Missing()) GTEST_SKIP() << problem.toStdString();
  ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
  const QUrl collection = server.MakeCollection("notes");
  QTemporaryDir dir;
  MemoryNoteStore store;
  store.Add("Dentist", "Bring the card").reminder = {true, kReminderEveryWeek, QDate(2026, 2, 5),
                                                     QTime(8, 15)};
  DavClient client(RadicaleServer::kUser, RadicaleServer::kPassword, 5000);
  SyncEngine engine(client, store, dir.filePath(SyncState::kFileName));
  ASSERT_TRUE(engine.Run(collection).ok);

  bool ok = false;
  const QString listing = RunPeer(collection, {"read"}, &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(listing.trimmed(), "Dentist | Bring the card | DISPLAY | FREQ=WEEKLY");

  RunPeer(collection, {"write", "peer-task-1@phone.example", "Water the plants", "Twice a week"},
          &ok);
  ASSERT_TRUE(ok);
  const SyncResult result = engine.Run(collection);
  ASSERT_TRUE(result.ok) << result.message.toStdString();
  EXPECT_EQ(result.received, 1);
  const SyncNote* note = store.Find("Water the plants");
  ASSERT_TRUE(note);
  EXPECT_EQ(note->uid, "peer-task-1@phone.example");
  EXPECT_EQ(PlainTextOfRtf(note->rtf), "Twice a week");
  const SyncReminder expected{true, kReminderOnce, QDate(2026, 6, 1), QTime(9, 30)};
  EXPECT_EQ(note->reminder, expected);
}

}  // namespace
}  // namespace pw::test
