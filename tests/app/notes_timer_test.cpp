// The minute passes of the controller on real note tables and a clock the
// tests set: expired notes hidden and moved to the trash (at start-up and
// while running), due reminders recorded and shown in reminder windows, the
// order of the passes, and the tag and timer as they were afterwards.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <algorithm>

#include "app/record/note_values.h"
#include "controller_fixture.h"
#include "reminders/pass_clock.h"
#include "reminders/reminder_window.h"
#include "richtext/note_editor.h"

namespace pw {
namespace {

class SetClock : public PassClock {
 public:
  explicit SetClock(const QDateTime* now) : now_(now) {}
  QDateTime Now() const override { return *now_; }

 private:
  const QDateTime* now_;
};

struct Field {
  const char* name;
  QString value;
};

class NotesTimerTest : public test::ControllerFixture {
 protected:
  std::unique_ptr<NotesController> StartAt(const QDateTime& now) {
    now_ = now;
    auto controller = Start();
    controller->SetClock(std::make_unique<SetClock>(&now_));
    return controller;
  }

  // Writes `fields` (dates given as QDate texts) into record `record`.
  static void Write(DbfTable& notes, std::int32_t record, std::initializer_list<Field> fields) {
    notes.Go(record);
    for (const Field& field : fields) {
      if (QString(field.name).startsWith("DATE") || QString(field.name).endsWith("DATE")) {
        notes.SetFieldDate(field.name, field.value);
      } else {
        notes.SetFieldStr(field.name, field.value);
      }
    }
    ASSERT_TRUE(notes.RLock());
    notes.ReplaceRec();
    notes.UnLock();
  }
  std::int32_t AddExpiring(DbfTable& notes, const char* showing, QDate date, const char* toTrash,
                           const char* desc = "") {
    const std::int32_t record = AppendNote(notes, {.showing = showing, .desc = desc});
    Write(notes, record,
          {{"EXPIRES", "Y"},
           {"EXPIREDATE", DateText(date)},
           {"EXPIRETIME", "0:0"},
           {"EXPIRETRSH", toTrash}});
    return record;
  }
  std::int32_t AddDailyReminder(DbfTable& notes, const char* desc, const QByteArray& text) {
    const std::int32_t record = AppendNote(notes, {.showing = "N", .text = text, .desc = desc});
    Write(notes, record, {{"ALARMACT", "Y"}, {"ALARMDATE", DateText(QDate(2026, 1, 1))}});
    notes.Go(record);
    notes.SetFieldInt("ALARMTYPE", 1);
    EXPECT_TRUE(notes.RLock());
    notes.ReplaceRec();
    notes.UnLock();
    return record;
  }
  static QList<ReminderWindow*> ReminderWindows(NotesController& controller) {
    QList<ReminderWindow*> windows;
    for (ReminderWindow* window : controller.findChildren<ReminderWindow*>()) {
      if (window->isVisible()) windows << window;
    }
    return windows;
  }
  static QByteArray Bytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
  }
  static int Records(DbfTable& table) {
    int count = 0;
    table.SetOrderTo(0);
    for (table.GoTop(); !table.Eof(); table.Skip(1)) ++count;
    return count;
  }

  QDateTime now_;
  const QDate today_{2026, 5, 14};
};

TEST_F(NotesTimerTest, APassWithoutFlaggedNotesWritesNothingAndKeepsTagAndTimer) {
  auto controller = StartAt(QDateTime(today_, QTime(10, 0)));
  EXPECT_TRUE(controller->MinuteTimer()->isActive());
  EXPECT_EQ(controller->MinuteTimer()->interval(), 60000);
  AppendNote(controller->NotesTable(), {.showing = "N"});
  const QByteArray before = Bytes(File("notes.dbf"));
  controller->NotesTable().SetOrderToTag("HANDLE");
  controller->onMinuteTimeout();
  EXPECT_EQ(controller->NotesTable().CurrentTag(), "HANDLE");
  EXPECT_TRUE(controller->MinuteTimer()->isActive());
  EXPECT_EQ(Bytes(File("notes.dbf")), before);
  EXPECT_TRUE(ReminderWindows(*controller).isEmpty());

  // A table gone from under the pass ends it; the timer still runs.
  controller->NotesTable().Close();
  controller->onMinuteTimeout();
  EXPECT_TRUE(controller->MinuteTimer()->isActive());
}

TEST_F(NotesTimerTest, AtStartUpExpiredNotesAreNotShownAndGoToTheTrashWhenAsked) {
  {
    auto controller = Start();
    DbfTable& notes = controller->NotesTable();
    const QDate yesterday = QDate::currentDate().addDays(-1);
    AddExpiring(notes, "Y", yesterday, "Y", "to the trash");
    AddExpiring(notes, "Y", yesterday, "N", "only hidden");
    // A blank expiry date lies before every day.
    AddExpiring(notes, "Y", QDate(), "N", "blank date");
    AppendNote(notes, {.showing = "Y", .desc = "stays"});
    controller->FormCloseQuery();
  }
  auto controller = Start();
  QList<NoteWindow*> windows = OpenWindows(*controller);
  ASSERT_EQ(windows.size(), 1);
  EXPECT_EQ(windows[0]->Title(), "stays");
  DbfTable& trash = controller->TrashTable();
  ASSERT_EQ(Records(trash), 1);
  trash.GoTop();
  EXPECT_EQ(trash.GetFieldStr("DESC").trimmed(), "to the trash");
  DbfTable& notes = controller->NotesTable();
  EXPECT_EQ(Records(notes), 3);
  for (std::int32_t record : {2, 3}) {
    notes.Go(record);
    EXPECT_EQ(notes.GetFieldStr("SHOWING"), "N") << record;
  }
}

TEST_F(NotesTimerTest, NotesFollowingEachOtherBothMoveToTheTrashInOnePass) {
  auto controller = StartAt(QDateTime(today_, QTime(10, 0)));
  DbfTable& notes = controller->NotesTable();
  AddExpiring(notes, "N", today_.addDays(-2), "Y", "first");
  AddExpiring(notes, "N", today_.addDays(-1), "Y", "second");
  AddExpiring(notes, "N", today_.addDays(1), "Y", "later");
  AddExpiring(notes, "N", today_, "Y", "third");
  controller->onMinuteTimeout();
  EXPECT_EQ(Records(controller->TrashTable()), 3);
  ASSERT_EQ(Records(notes), 1);
  notes.GoTop();
  EXPECT_EQ(notes.GetFieldStr("DESC").trimmed(), "later");
}

TEST_F(NotesTimerTest, AnExpiredNoteShownAgainIsHiddenAgainAtTheNextPass) {
  auto controller = StartAt(QDateTime(today_, QTime(10, 0)));
  DbfTable& notes = controller->NotesTable();
  const std::int32_t record = AddExpiring(notes, "N", today_, "N", "expired");
  // EXPIRETYPE 2 with a date ahead expires today at its time.
  const std::int32_t daily = AddExpiring(notes, "N", today_.addDays(5), "N", "daily");
  Write(notes, daily, {{"EXPIRETIME", "11:0"}});
  notes.Go(daily);
  notes.SetFieldInt("EXPIRETYPE", 2);
  ASSERT_TRUE(notes.RLock());
  notes.ReplaceRec();
  notes.UnLock();
  for (std::int32_t shown : {record, daily}) {
    Write(notes, shown, {{"SHOWING", "Y"}});
    notes.Go(shown);
    (new NoteWindow(*controller))->ShowFromRecord();
  }
  ASSERT_EQ(OpenWindows(*controller).size(), 2);

  controller->onMinuteTimeout();
  QApplication::processEvents();
  ASSERT_EQ(OpenWindows(*controller).size(), 1);
  EXPECT_EQ(OpenWindows(*controller)[0]->Title(), "daily");
  notes.Go(record);
  EXPECT_EQ(notes.GetFieldStr("SHOWING"), "N");
  EXPECT_EQ(Records(controller->TrashTable()), 0);

  now_ = QDateTime(today_, QTime(11, 0));
  controller->onMinuteTimeout();
  QApplication::processEvents();
  EXPECT_TRUE(OpenWindows(*controller).isEmpty());
}

TEST_F(NotesTimerTest, ADueReminderIsRecordedAndShownOnceThatDay) {
  auto controller = StartAt(QDateTime(today_, QTime(10, 0)));
  QFile sound(File("Reminder.wav"));
  ASSERT_TRUE(sound.open(QIODevice::WriteOnly));
  sound.close();
  DbfTable& notes = controller->NotesTable();
  const std::int32_t record = AddDailyReminder(notes, "  Call the dentist  ", "At ten.");
  AddDailyReminder(notes, "Second", "Also now.");
  notes.SetOrderToTag("SHOWING");

  controller->onMinuteTimeout();
  QList<ReminderWindow*> windows = ReminderWindows(*controller);
  ASSERT_EQ(windows.size(), 2);
  const auto caption = [](ReminderWindow* window) {
    return window->findChild<QLabel*>("LblCaption")->text();
  };
  std::sort(windows.begin(), windows.end(),
            [&](ReminderWindow* a, ReminderWindow* b) { return caption(a) < caption(b); });
  EXPECT_EQ(caption(windows[0]), "Call the dentist");
  EXPECT_EQ(windows[0]->findChild<NoteEditor*>("RichEdit1")->PlainText(), "At ten.");
  EXPECT_EQ(windows[0]->findChild<NoteEditor*>("RichEdit1")->BackgroundColor(),
            ColorOfWindowsValue(10092543));
  EXPECT_EQ(played_, QStringList({File("Reminder.wav"), File("Reminder.wav")}));
  EXPECT_EQ(notes.CurrentTag(), "SHOWING");
  notes.Go(record);
  EXPECT_EQ(DateOfText(notes.GetFieldDate("DATEALMACT")), today_);
  EXPECT_EQ(notes.GetFieldStr("TIMEALMACT").trimmed(), notes.GetFieldStr("ALARMTIME").trimmed());
  EXPECT_EQ(notes.GetFieldStr("ALARMACT"), "Y");

  for (ReminderWindow* window : windows) window->onOkClicked();
  now_ = QDateTime(today_, QTime(23, 59));
  controller->onMinuteTimeout();
  EXPECT_TRUE(ReminderWindows(*controller).isEmpty());
  now_ = QDateTime(today_.addDays(1), QTime(0, 0));
  controller->onMinuteTimeout();
  EXPECT_EQ(ReminderWindows(*controller).size(), 2);
}

TEST_F(NotesTimerTest, ANoteThatExpiresIntoTheTrashGetsNoReminder) {
  auto controller = StartAt(QDateTime(today_, QTime(10, 0)));
  DbfTable& notes = controller->NotesTable();
  const std::int32_t record = AddDailyReminder(notes, "gone", "");
  Write(notes, record,
        {{"EXPIRES", "Y"},
         {"EXPIREDATE", DateText(today_)},
         {"EXPIRETIME", "9:0"},
         {"EXPIRETRSH", "Y"}});
  controller->onMinuteTimeout();
  EXPECT_TRUE(ReminderWindows(*controller).isEmpty());
  EXPECT_EQ(Records(controller->TrashTable()), 1);
}

}  // namespace
}  // namespace pw
