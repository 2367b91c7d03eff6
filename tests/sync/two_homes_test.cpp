// Two machines' notes against one collection of a real radicale.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTimer>
#include <memory>

#include "richtext/rtf_plain_text.h"
#include "sync/caldav_discovery.h"
#include "sync/memory_note_store.h"
#include "sync/radicale_server.h"
#include "sync/sync_engine.h"
#include "sync/sync_state.h"

namespace pw::test {
namespace {

struct Home {
  explicit Home(const QTemporaryDir& dir, const QString& name)
      : statePath(dir.filePath(name + SyncState::kFileName)) {}
  SyncResult Sync(const QUrl& collection) {
    DavClient client(RadicaleServer::kUser, RadicaleServer::kPassword, 5000);
    return SyncEngine(client, store, statePath).Run(collection);
  }
  MemoryNoteStore store;
  QString statePath;
};

class TwoHomes : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString problem = server_.Start();
    if (server_.Missing()) GTEST_SKIP() << problem.toStdString();
    ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
    collection_ = server_.MakeCollection("notes");
    ASSERT_TRUE(collection_.isValid());
  }

  void SyncOk(Home& home) {
    const SyncResult result = home.Sync(collection_);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
  }

  RadicaleServer server_;
  QUrl collection_;
  QTemporaryDir dir_;
  Home a_{dir_, "a"};
  Home b_{dir_, "b"};
};

TEST_F(TwoHomes, DiscoveryFromThePlainAddressFindsTheCollection) {
  DavClient client(RadicaleServer::kUser, RadicaleServer::kPassword, 5000);
  const Discovery found = DiscoverCollections(client, server_.Root());
  ASSERT_TRUE(found.error.isEmpty()) << found.error.toStdString();
  ASSERT_EQ(found.collections.size(), 1u);
  EXPECT_EQ(found.collections[0].url, collection_);
  EXPECT_EQ(found.collections[0].name, "notes");

  DavClient stranger(RadicaleServer::kUser, "wrong", 5000);
  EXPECT_FALSE(DiscoverCollections(stranger, server_.Root()).error.isEmpty());
}

TEST_F(TwoHomes, MadeEditedRecolouredTrashedRestoredAndPurgedOnOneIsSoOnTheOther) {
  SyncNote& made = a_.store.Add("Shopping", "Milk");
  made.reminder = {true, 1, QDate(2026, 5, 4), QTime(7, 30)};
  const QString key = made.uid;
  SyncOk(a_);
  SyncOk(b_);
  ASSERT_EQ(b_.store.notes.count(key), 1u);
  EXPECT_EQ(ContentDigest(b_.store.notes[key]), ContentDigest(a_.store.notes[key]));

  b_.store.notes[key].rtf = RtfOfPlainText("Milk and eggs");
  b_.store.notes[key].color = 0x00FFC0C0;
  SyncOk(b_);
  SyncOk(a_);
  EXPECT_EQ(PlainTextOfRtf(a_.store.notes[key].rtf), "Milk and eggs");
  EXPECT_EQ(a_.store.notes[key].color, 0x00FFC0C0);

  for (const bool trashed : {true, false}) {
    a_.store.notes[key].trashed = trashed;
    SyncOk(a_);
    SyncOk(b_);
    EXPECT_EQ(b_.store.notes[key].trashed, trashed);
  }

  a_.store.notes.erase(key);
  SyncOk(a_);
  SyncOk(b_);
  EXPECT_EQ(b_.store.notes.count(key), 0u);
  SyncOk(a_);
  EXPECT_TRUE(a_.store.notes.empty());
}

TEST_F(TwoHomes, SimultaneousEditsKeepBothTexts) {
  const QString key = a_.store.Add("Plan", "first").uid;
  SyncOk(a_);
  SyncOk(b_);
  a_.store.notes[key].rtf = RtfOfPlainText("from a");
  b_.store.notes[key].rtf = RtfOfPlainText("from b");
  SyncOk(a_);
  const SyncResult second = b_.Sync(collection_);
  ASSERT_TRUE(second.ok) << second.message.toStdString();
  EXPECT_EQ(second.conflicts, 1);
  SyncOk(a_);
  for (Home* home : {&a_, &b_}) {
    ASSERT_EQ(home->store.notes.size(), 2u);
    EXPECT_EQ(PlainTextOfRtf(home->store.notes[key].rtf), "from a");
    const SyncNote* copy = home->store.Find(kConflictCopyPrefix);
    ASSERT_TRUE(copy);
    EXPECT_EQ(PlainTextOfRtf(copy->rtf), "from b");
  }
  const int writes = a_.store.writes;
  SyncOk(a_);
  SyncOk(b_);
  EXPECT_EQ(a_.store.writes, writes) << "a settled sync changes nothing";
}

TEST_F(TwoHomes, AServerStoppedMidSyncLosesNothingAndTheNextSyncCatchesUp) {
  for (int i = 0; i < 60; ++i) a_.store.Add(QString("Note %1").arg(i), QString("text %1").arg(i));
  const auto before = a_.store.notes;
  QTimer::singleShot(150, [this] { server_.Stop(); });
  const SyncResult broken = a_.Sync(collection_);
  EXPECT_FALSE(broken.ok);
  EXPECT_FALSE(broken.message.isEmpty());
  EXPECT_EQ(a_.store.writes, 0);
  ASSERT_EQ(a_.store.notes.size(), before.size());

  ASSERT_EQ(server_.Start(), "");
  SyncOk(a_);
  SyncOk(b_);
  ASSERT_EQ(b_.store.notes.size(), before.size());
  for (const auto& [key, note] : before)
    EXPECT_EQ(ContentDigest(b_.store.notes[key]), ContentDigest(note));
}

}  // namespace
}  // namespace pw::test
