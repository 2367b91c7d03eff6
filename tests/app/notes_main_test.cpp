// The main controller on a data folder of its own: first start, the pack
// rule, the notes shown at start-up, hiding them, new notes from templates
// and the shutdown with its backup.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>

#include "app/controller_fixture.h"
#include "app/record/note_values.h"
#include "desktop/tray_notify_icon.h"
#include "dialogs/status_window.h"
#include "reminders/reminder_window.h"
#include "richtext/note_editor.h"

namespace pw {
namespace {

// Counts status windows shown while it is installed.
class StatusWindowWatch : public QObject {
 public:
  StatusWindowWatch() { qApp->installEventFilter(this); }
  ~StatusWindowWatch() override { qApp->removeEventFilter(this); }
  int shown = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && qobject_cast<StatusWindow*>(watched)) ++shown;
    return false;
  }
};

class NotesMainTest : public test::ControllerFixture {
 protected:
  static void AppendNote(DbfTable& table, const char* showing, const QByteArray& text) {
    ControllerFixture::AppendNote(table, {.showing = showing, .text = text});
  }
};

TEST_F(NotesMainTest, FirstStartCreatesTheTablesAndMarksTheRunUnfinished) {
  auto controller = Start();
  for (const char* name :
       {"notes.dbf", "notes.mdx", "Trash.dbf", "Trash.mdx", "defaults.dbf", "defaults.mdx"}) {
    EXPECT_TRUE(QFile::exists(File(name))) << name;
  }
  EXPECT_FALSE(ReadSetting(Config(), config::kTerminatedOK));
  EXPECT_FALSE(controller->PackRequested());
  EXPECT_TRUE(controller->NotesTable().Active());
  EXPECT_TRUE(OpenWindows(*controller).isEmpty());
  controller->onTemplateMenuAboutToShow();
  const QList<QAction*> items = controller->TemplateMenu()->actions();
  for (QAction* item : items.mid(0, 10)) EXPECT_FALSE(item->isVisible());
  EXPECT_TRUE(items.at(10)->isVisible()) << "the line saying that no template is set";

  controller->FormCloseQuery();
  EXPECT_TRUE(ReadSetting(Config(), config::kTerminatedOK));
  EXPECT_EQ(ReadSetting(Config(), config::kLastPacked), 1);
  EXPECT_FALSE(controller->NotesTable().Active());
}

TEST_F(NotesMainTest, TrayMenuOffersTheCommandsInOrder) {
  auto controller = Start();
  EXPECT_EQ(controller->TrayIcon()->PopupMenu(), controller->TrayMenu());
  QStringList captions;
  for (QAction* item : controller->TrayMenu()->actions()) {
    captions << (item->isSeparator() ? QStringLiteral("-") : item->text());
  }
  EXPECT_EQ(captions,
            QStringList({"New Note", "Notes && Reminders...", "Hide All Notes", "Import Notes...",
                         "-", "Help...", "About...", "-", "Configure...", "Shutdown Paperwisp"}));
  QStringList templates;
  for (QAction* item : controller->NewNoteMenu()->actions()) templates << item->text();
  EXPECT_EQ(templates.size(), 10);
  EXPECT_EQ(templates.first(), "Template 1");
  EXPECT_EQ(templates.last(), "Template 10");
}

TEST_F(NotesMainTest, TheStartAfterTheTwentySixthCleanEndPacks) {
  {
    IniFile config = Config();
    ASSERT_TRUE(WriteSetting(config, config::kLastPacked, 25));
  }
  {
    auto controller = Start();
    EXPECT_FALSE(controller->PackRequested());
    AppendNote(controller->NotesTable(), "N", "gone");
    ASSERT_TRUE(controller->NotesTable().RLock());
    controller->NotesTable().DeleteRec();
    controller->NotesTable().UnLock();
    controller->FormCloseQuery();
  }
  EXPECT_EQ(ReadSetting(Config(), config::kLastPacked), 26);
  auto controller = Start();
  EXPECT_TRUE(controller->PackRequested());
  EXPECT_EQ(ReadSetting(Config(), config::kLastPacked), 0);
  EXPECT_EQ(controller->NotesTable().RecordCount(), 0);
}

TEST_F(NotesMainTest, APackThatCannotRunKeepsTheNotesAndTheCountOfCleanEnds) {
  {
    IniFile config = Config();
    ASSERT_TRUE(WriteSetting(config, config::kLastPacked, 25));
  }
  {
    auto controller = Start();
    AppendNote(controller->NotesTable(), "N", "gone");
    ASSERT_TRUE(controller->NotesTable().RLock());
    controller->NotesTable().DeleteRec();
    controller->NotesTable().UnLock();
    controller->FormCloseQuery();
  }
  DbfTable holder;  // another program keeps the table open: no exclusive pack
  holder.SetDbfFileName(File("notes.dbf"));
  holder.Open();
  auto controller = Start();
  EXPECT_TRUE(controller->PackRequested());
  EXPECT_EQ(ReadSetting(Config(), config::kLastPacked), 26);
  EXPECT_EQ(controller->NotesTable().RecordCount(), 1);
}

TEST_F(NotesMainTest, AnUncleanEndRebuildsTheIndexesAndPacks) {
  { auto first = Start(); }  // never shut down
  auto controller = std::make_unique<NotesController>(QString::fromStdString(dir_.path()));
  controller->FormCreate();
  EXPECT_TRUE(controller->StartupTimer()->isActive());
  EXPECT_EQ(controller->StartupTimer()->interval(), 250);
  EXPECT_TRUE(controller->PackRequested());
  EXPECT_FALSE(QFile::exists(File("notes.mdx")));
  EXPECT_FALSE(QFile::exists(File("defaults.mdx")));
  controller->onStartupTimeout();
  EXPECT_FALSE(controller->StartupTimer()->isActive());
  EXPECT_TRUE(QFile::exists(File("notes.mdx")));
  EXPECT_TRUE(controller->NotesTable().SetOrderToTag("SHOWING"));
}

TEST_F(NotesMainTest, OpenNotesComeBackAndHideAllNotesHidesThem) {
  {
    auto controller = Start();
    AppendNote(controller->NotesTable(), "Y", "shown note");
    AppendNote(controller->NotesTable(), "N", "hidden note");
    AppendNote(controller->NotesTable(), "Y", "second shown");
    AppendNote(controller->NotesTable(), "Y", "third shown");
    controller->FormCloseQuery();
  }
  auto controller = Start();
  QList<NoteWindow*> windows = OpenWindows(*controller);
  ASSERT_EQ(windows.size(), 3);
  QStringList texts;
  for (NoteWindow* window : windows) texts << window->Editor()->PlainText();
  texts.sort();
  EXPECT_EQ(texts, QStringList({"second shown", "shown note", "third shown"}));
  EXPECT_EQ(windows[0]->geometry(), QRect(30, 40, 121, 120));

  // Each hidden note changes its SHOWING key while the pass walks the table.
  controller->onHideAllNotes();
  QApplication::processEvents();
  EXPECT_TRUE(OpenWindows(*controller).isEmpty());
  DbfTable& notes = controller->NotesTable();
  for (std::int32_t record = 1; record <= 4; ++record) {
    notes.Go(record);
    EXPECT_EQ(notes.GetFieldStr("SHOWING"), "N") << record;
  }
}

TEST_F(NotesMainTest, ShutdownSavesOpenNotesWhichReappear) {
  {
    auto controller = Start();
    AppendNote(controller->NotesTable(), "Y", "kept");
    controller->FormCloseQuery();
  }
  {
    auto controller = Start();
    ASSERT_EQ(OpenWindows(*controller).size(), 1);
    controller->FormCloseQuery();
    EXPECT_TRUE(OpenWindows(*controller).isEmpty());
  }
  auto controller = Start();
  ASSERT_EQ(OpenWindows(*controller).size(), 1);
  EXPECT_EQ(OpenWindows(*controller)[0]->Editor()->PlainText(), "kept");
}

TEST_F(NotesMainTest, NewNoteTakesTheTemplateAndIsPlacedAndFilledIn) {
  {
    auto controller = Start();
    DbfTable& templates = controller->TemplatesTable();
    AppendNote(templates, "N", "At <TIME> and <TIME><C>");
    templates.Go(1);
    templates.SetFieldStr("DESC", "Quick");
    templates.SetFieldInt("LEFT", 0);
    ASSERT_TRUE(templates.RLock());
    templates.ReplaceRec();
    templates.UnLock();
    controller->FormCloseQuery();
  }
  auto controller = Start();
  controller->onTemplateMenuAboutToShow();
  const QList<QAction*> items = controller->TemplateMenu()->actions();
  EXPECT_TRUE(items[0]->isVisible());
  EXPECT_EQ(items[0]->text(), "Quick");
  EXPECT_FALSE(items[1]->isVisible());

  NoteWindow* window = controller->NewNoteFromTemplate(1);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->pos(), QPoint(452, 324));
  EXPECT_TRUE(window->Title().isEmpty());
  const QString text = window->Editor()->PlainText();
  EXPECT_TRUE(text.startsWith("At ")) << text.toStdString();
  EXPECT_FALSE(text.startsWith("At <TIME>"));
  EXPECT_TRUE(text.endsWith(" and <TIME>")) << text.toStdString();
  EXPECT_EQ(window->Editor()->textCursor().position(), text.size());

  DbfTable& notes = controller->NotesTable();
  notes.Go(window->RecordLink());
  EXPECT_EQ(notes.GetFieldStr("SHOWING"), "Y");
  EXPECT_EQ(notes.GetFieldStr("NOTEBOARD").trimmed(), "1");
  EXPECT_EQ(notes.GetFieldInt("HANDLE"), window->Handle());
  EXPECT_EQ(notes.GetFieldInt("LEFT"), 452);
}

TEST_F(NotesMainTest, ANewNoteTakesNoReminderExpiryOrNameFromItsTemplate) {
  auto controller = Start();
  DbfTable& templates = controller->TemplatesTable();
  AppendNote(templates, "N", "Template text");
  // What another program may write into a template: a reminder and an
  // expiry already past, which a minute pass acts on at once.
  templates.Go(1);
  const QString yesterday = DateText(QDate::currentDate().addDays(-1));
  templates.SetFieldStr("DESC", "Named");
  templates.SetFieldStr("ALARMACT", "Y");
  templates.SetFieldInt("ALARMTYPE", 1);
  templates.SetFieldStr("ALARMTIME", "0:0");
  templates.SetFieldStr("EXPIRES", "Y");
  templates.SetFieldInt("EXPIRETYPE", 1);
  templates.SetFieldDate("EXPIREDATE", yesterday);
  templates.SetFieldStr("EXPIRETIME", "0:0");
  templates.SetFieldStr("EXPIRETRSH", "Y");
  ASSERT_TRUE(templates.RLock());
  templates.ReplaceRec();
  templates.UnLock();

  NoteWindow* window = controller->NewNoteFromTemplate(1);
  ASSERT_NE(window, nullptr);
  const std::int32_t record = window->RecordLink();
  DbfTable& notes = controller->NotesTable();
  notes.Go(record);
  EXPECT_EQ(notes.GetFieldStr("ALARMACT"), "N");
  EXPECT_EQ(notes.GetFieldStr("EXPIRES"), "N");
  EXPECT_TRUE(notes.GetFieldStr("DESC").trimmed().isEmpty());
  controller->onMinuteTimeout();
  notes.Go(record);
  EXPECT_EQ(DbfTable::LastError(), 0);
  EXPECT_FALSE(notes.Deleted());
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(controller->TrashTable().IsEmpty());
  EXPECT_TRUE(controller->findChildren<ReminderWindow*>().isEmpty());
}

TEST_F(NotesMainTest, ANewNoteOpensOffsetFromTheOpenNotesAtItsPlace) {
  auto controller = Start();  // the design size, centred: 441, 320
  NoteWindow* first = controller->NewNoteFromTemplate(1);
  NoteWindow* second = controller->NewNoteFromTemplate(1);
  ASSERT_TRUE(first != nullptr && second != nullptr);
  EXPECT_EQ(second->pos(), first->pos() + QPoint(24, 24));
  controller->NotesTable().Go(second->RecordLink());
  EXPECT_EQ(controller->NotesTable().GetFieldInt("LEFT"), first->x() + 24);
  const QPoint place = first->pos();
  first->close();  // frees the window
  NoteWindow* third = controller->NewNoteFromTemplate(1);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(third->pos(), place);
  EXPECT_EQ(controller->NewNoteFromTemplate(1)->pos(), place + QPoint(48, 48));
}

TEST_F(NotesMainTest, ANoteFromAMissingTemplateHasTheDesignSizeAndColour) {
  auto controller = Start();  // a first start: no templates at all
  NoteWindow* window = controller->NewNoteFromTemplate(1);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->geometry(), QRect(441, 320, 142, 128));
  EXPECT_EQ(window->NoteColor(), QColor(0xFF, 0xFF, 0x99));
  DbfTable& notes = controller->NotesTable();
  notes.Go(window->RecordLink());
  EXPECT_EQ(notes.GetFieldInt("WIDTH"), 142);
  EXPECT_EQ(notes.GetFieldInt("HEIGHT"), 128);
  EXPECT_EQ(notes.GetFieldStr("SHOWING"), "Y");
}

TEST_F(NotesMainTest, UnsetTemplateSlotsAreLeftOutOfTheMenus) {
  {
    auto controller = Start();
    DbfTable& templates = controller->TemplatesTable();
    for (int number = 1; number <= 4; ++number) {
      AppendNote(templates, "N", "");
      templates.Go(number);
      // Record 4 is named like the unset slot 3 and is still offered.
      templates.SetFieldStr("DESC", number == 3 || number == 4 ? "Template 3 - Not Set" : "Set");
      ASSERT_TRUE(templates.RLock());
      templates.ReplaceRec();
      templates.UnLock();
    }
    controller->FormCloseQuery();
  }
  auto controller = Start();
  controller->onNewNote(controller->NewNoteMenu());
  const QList<QAction*> items = controller->NewNoteMenu()->actions();
  EXPECT_TRUE(items[1]->isVisible());
  EXPECT_FALSE(items[2]->isVisible());
  EXPECT_TRUE(items[3]->isVisible());
  EXPECT_EQ(items[3]->data().toInt(), 4);
  EXPECT_FALSE(items[4]->isVisible());
}

TEST_F(NotesMainTest, BackupCopiesTheNotesTableAndEmptyTrashShowsNoStatus) {
  {
    IniFile config = Config();
    ASSERT_TRUE(WriteSetting(config, config::kBackupFiles, true));
    ASSERT_TRUE(WriteSetting(config, config::kEmptyTrash, true));
  }
  auto controller = Start();
  AppendNote(controller->NotesTable(), "N", "backed up");
  StatusWindowWatch watch;
  controller->FormCloseQuery();
  EXPECT_EQ(watch.shown, 1);  // the backup's, none for the empty trash
  QFile original(File("notes.dbf"));
  QFile copy(File("Backup/Notes.dbf"));
  ASSERT_TRUE(original.open(QIODevice::ReadOnly));
  ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
  EXPECT_EQ(copy.readAll(), original.readAll());
  EXPECT_TRUE(QFile::exists(File("Backup/Notes.mdx")));
  EXPECT_TRUE(QFile::exists(File("Backup/Notes.dbt")));
}

TEST_F(NotesMainTest, EmptyTrashRemovesEveryTrashedNote) {
  {
    IniFile config = Config();
    ASSERT_TRUE(WriteSetting(config, config::kEmptyTrash, true));
  }
  {
    auto controller = Start();
    AppendNote(controller->TrashTable(), "N", "one");
    AppendNote(controller->TrashTable(), "N", "two");
    StatusWindowWatch watch;
    controller->FormCloseQuery();
    EXPECT_EQ(watch.shown, 1);
  }
  auto controller = Start();
  EXPECT_EQ(controller->TrashTable().RecordCount(), 0);
}

}  // namespace
}  // namespace pw
