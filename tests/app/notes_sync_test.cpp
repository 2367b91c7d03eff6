// Two homes of the program, each with its own data folder and tables,
// synced with one collection of a real radicale.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "richtext/note_editor.h"

#include "app/controller/notes_main.h"
#include "app/note/note_window.h"
#include "app/note/note_window_registry.h"
#include "app/sync/notes_sync.h"
#include "app/sync/sync_page.h"
#include "app/sync/sync_settings.h"
#include "controller_fixture.h"
#include "richtext/rtf_plain_text.h"
#include "sync/memory_note_store.h"
#include "sync/password_store.h"
#include "sync/radicale_server.h"
#include "sync/sync_engine.h"

namespace pw::test {
namespace {

int Count(DbfTable& table) {
  int count = 0;
  for (table.GoTop(); !table.Eof(); table.Skip(1)) ++count;
  return count;
}

QByteArray MemoOfCurrent(DbfTable& table) {
  auto memo = table.CreateBlobStreamByName("MEMO", MemoStream::kRead);
  const QByteArray text = memo->readAll();
  memo->Finish();
  return text;
}

// The program on its own data folder; the other machine (a phone, say) is
// the sync engine on notes in memory, since one process holds one program.
class NotesSyncTest : public ControllerFixture {
 protected:
  void SetUp() override {
    ControllerFixture::SetUp();
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");  // the password goes to the file
    const QString problem = server_.Start();
    if (server_.Missing()) GTEST_SKIP() << problem.toStdString();
    ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
    collection_ = server_.MakeCollection("notes");
    ASSERT_TRUE(collection_.isValid());
    IniFile config = Config();
    ASSERT_TRUE(WriteSyncSettings(
        config, {server_.Root().toString(), RadicaleServer::kUser, collection_.toString(), {}}));
    bool inFile = false;
    QString error;
    ASSERT_TRUE(PasswordStore(QString::fromStdString(dir_.path()))
                    .Save(server_.Root().toString(), RadicaleServer::kUser,
                          RadicaleServer::kPassword, &inFile, &error));
    controller_ = Start();
    ASSERT_TRUE(controller_->Started());
  }

  void SyncProgram() {
    const SyncResult result = controller_->Sync().SyncNow();
    ASSERT_TRUE(result.ok) << result.message.toStdString();
  }
  void SyncPhone() {
    DavClient client(RadicaleServer::kUser, RadicaleServer::kPassword, 5000);
    const SyncResult result =
        SyncEngine(client, phone_, phoneDir_.path() + "/state").Run(collection_);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
  }

  RadicaleServer server_;
  QUrl collection_;
  std::unique_ptr<NotesController> controller_;
  MemoryNoteStore phone_;
  QTemporaryDir phoneDir_;
};

TEST_F(NotesSyncTest, ChangesOnEitherSideReachTheOtherThroughTheNoteTables) {
  DbfTable& notes = controller_->NotesTable();
  DbfTable& trash = controller_->TrashTable();
  AppendNote(
      notes,
      {.showing = "N", .text = RtfOfPlainText("Milk"), .desc = "Shopping", .noteBoard = "2"});
  SyncProgram();
  SyncPhone();
  const SyncNote* shopping = phone_.Find("Shopping");
  ASSERT_TRUE(shopping);
  EXPECT_EQ(shopping->board, "2");
  const QString shoppingKey = shopping->uid;

  // Edited and recoloured on the phone.
  phone_.notes[shoppingKey].rtf = RtfOfPlainText("Milk and eggs");
  phone_.notes[shoppingKey].color = 0x00C0C0FF;
  SyncPhone();
  SyncProgram();
  ASSERT_EQ(Count(notes), 1);
  notes.GoTop();
  EXPECT_EQ(notes.GetFieldInt("COLOR"), 0x00C0C0FF);
  EXPECT_EQ(PlainTextOfRtf(MemoOfCurrent(notes)), "Milk and eggs");
  EXPECT_EQ(notes.GetFieldStr("CHAR1").trimmed(), shoppingKey);

  // Made on the phone: a new note on the desktop.
  const QString callKey = phone_.Add("Call Bo", "about the bike").uid;
  SyncPhone();
  SyncProgram();
  ASSERT_EQ(Count(notes), 2);
  const QList<NoteWindow*> windows = OpenWindows(*controller_);
  ASSERT_EQ(windows.size(), 1);
  EXPECT_EQ(windows[0]->Editor()->toPlainText(), "about the bike");

  // Typed into its window here.
  windows[0]->Editor()->setPlainText("about the bike, Friday");
  windows[0]->SaveRecordNow();
  // Trashed here, as a note window trashes: a copy into the trash, deleted.
  for (notes.GoTop(); notes.GetFieldStr("CHAR1").trimmed() != shoppingKey; notes.Skip(1)) {
  }
  ASSERT_TRUE(controller_->CopyNoteToTrash());
  ASSERT_TRUE(notes.RLock());
  notes.DeleteRec();
  notes.UnLock();
  SyncProgram();
  SyncPhone();
  EXPECT_EQ(PlainTextOfRtf(phone_.notes[callKey].rtf), "about the bike, Friday");
  EXPECT_TRUE(phone_.notes[shoppingKey].trashed);

  // Restored on the phone, then purged there.
  phone_.notes[shoppingKey].trashed = false;
  SyncPhone();
  SyncProgram();
  EXPECT_EQ(Count(trash), 0);
  ASSERT_EQ(Count(notes), 2);
  phone_.notes.erase(shoppingKey);
  SyncPhone();
  SyncProgram();
  EXPECT_EQ(Count(notes), 1);
  EXPECT_EQ(Count(trash), 0);
  SyncPhone();
  EXPECT_EQ(phone_.notes.size(), 1u);
}

TEST_F(NotesSyncTest, TheSyncPageFindsTheCollectionSyncsAndKeepsThePasswordOutOfTheSettings) {
  IniFile config = Config();
  ASSERT_TRUE(WriteSyncSettings(config, {}));
  QFile::remove(File(PasswordStore::kFallbackFileName));
  AppendNote(controller_->NotesTable(),
             {.showing = "N", .text = RtfOfPlainText("Milk"), .desc = "Shopping"});
  SyncPage page(controller_->Sync(), QString::fromStdString(dir_.path()));
  page.show();
  EXPECT_TRUE(page.PasswordPlaceLabel()->text().contains("no secret service"));
  QTest::keyClicks(page.ServerEdit(), server_.Root().toString());
  QTest::keyClicks(page.UserEdit(), RadicaleServer::kUser);
  QTest::keyClicks(page.PasswordEdit(), RadicaleServer::kPassword);
  QTest::mouseClick(page.BtnFindCollections(), Qt::LeftButton);
  ASSERT_EQ(page.CollectionCombo()->count(), 1) << page.ResultLabel()->text().toStdString();
  EXPECT_EQ(page.CollectionCombo()->currentText(), "notes");
  QTest::mouseClick(page.SyncNowButton(), Qt::LeftButton);
  EXPECT_TRUE(page.PasswordPlaceLabel()->text().contains("no secret service"));
  EXPECT_TRUE(page.ResultLabel()->text().contains("Synced: 0 received, 1 sent"))
      << page.ResultLabel()->text().toStdString();

  const CommandResult command = SyncNotesCommand(*controller_, {});  // paperwisp --sync
  EXPECT_TRUE(command.ok) << command.text.toStdString();
  EXPECT_EQ(command.text, "Synced: 0 received, 0 sent");

  QFile settings(File("Config.cfg"));
  ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
  const QByteArray text = settings.readAll();
  EXPECT_TRUE(text.contains(collection_.toString().toUtf8()));
  EXPECT_FALSE(text.contains(RadicaleServer::kPassword));
  EXPECT_TRUE(page.PasswordEdit()->text().isEmpty());
}

}  // namespace
}  // namespace pw::test
