// The note window on a real notes table: made from its record, collapsed and
// expanded, moved and sized with the mouse, retitled, hidden, closed,
// trashed and e-mailed, and what each of these writes into the record.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/maintain/maintain_notes.h"
#include "app/note_window_fixture.h"
#include "app/record/note_values.h"
#include "desktop/note_button_glyphs.h"
#include "dialogs/note_caption_dialog.h"
#include "richtext/note_editor.h"
#include "richtext/url_opener.h"
#include "support/modal_dialog.h"

namespace pw {
namespace {

class RecordingOpener : public UrlOpener {
 public:
  bool Open(const QUrl& url) override {
    opened << url;
    return opens;
  }
  QList<QUrl> opened;
  bool opens = true;
};

QAction* MenuItem(QMenu* menu, const QString& caption) {
  for (QAction* item : menu->actions()) {
    if (item->text() == caption) return item;
  }
  ADD_FAILURE() << "no menu item " << caption.toStdString();
  return nullptr;
}

using NoteWindowTest = test::NoteWindowFixture;

TEST_F(NoteWindowTest, ARecordOpensWithItsPlaceColourTitleAndText) {
  AppendNote(Notes(), {.left = 200, .top = 150, .width = 180, .height = 140, .text = "Buy milk"});
  Notes().SetFieldStr("DESC", "Shopping");
  Notes().SetFieldInt("COLOR", 0x80C0FF);  // orange
  Notes().SetFieldStr("CAPFONTNAM", "DejaVu Sans");
  Notes().SetFieldFloat("CAPFONTSIZ", 10.5);  // rounds to the even 10
  Notes().SetFieldInt("CAPFONTCOL", 0x0000FF);
  ASSERT_TRUE(Notes().RLock());
  Notes().ReplaceRec();
  Notes().UnLock();
  const std::int32_t record = Notes().RecNo();
  auto* window = new NoteWindow(*controller_);
  window->ShowFromRecord();

  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->geometry(), QRect(200, 150, 180, 140));
  EXPECT_EQ(window->RecordLink(), record);
  EXPECT_EQ(window->NoteColor(), QColor(0xFF, 0xC0, 0x80));
  EXPECT_EQ(window->Title(), "Shopping");
  EXPECT_EQ(window->CaptionLabel()->toolTip(), "Shopping");
  EXPECT_EQ(window->TitleFont().family(), "DejaVu Sans");
  EXPECT_EQ(window->TitleFont().pointSize(), 10);
  EXPECT_EQ(window->TitleColor(), QColor(Qt::red));
  // The button glyphs take the title font colour.
  const QImage glyph =
      window->MenuButton()->icon().pixmap(window->MenuButton()->iconSize()).toImage();
  EXPECT_EQ(glyph.pixelColor(GlyphTestPoint(NoteButtonGlyph::Menu)), QColor(Qt::red));
  EXPECT_EQ(window->Editor()->PlainText(), "Buy milk");
  EXPECT_EQ(window->CaptionLabel()->width(), 180 - 46);
  EXPECT_EQ(window->ExitButton()->geometry().right(), 180 - 3);
  EXPECT_EQ(window->minimumSize(), QSize(120, 15));
  EXPECT_EQ(Record(record).GetFieldInt("HANDLE"), window->Handle());
}

TEST_F(NoteWindowTest, ReminderAndExpiryComeFromTheRecordAndGoBackUnchanged) {
  AppendNote(Notes(), {});
  Notes().SetFieldStr("ALARMACT", "Y");
  Notes().SetFieldInt("ALARMTYPE", 4);
  Notes().SetFieldDate("ALARMDATE", DateText(QDate(2027, 3, 14)));
  Notes().SetFieldStr("ALARMTIME", "7:3");
  Notes().SetFieldStr("EXPIRES", "Y");
  Notes().SetFieldInt("EXPIRETYPE", 2);
  Notes().SetFieldStr("EXPIRETRSH", "Y");
  Notes().SetFieldStr("EXPIRETIME", "12:0");
  Notes().SetFieldStr("NOTEBOARD", "7");
  Notes().SetFieldDate("DATECREATE", DateText(QDate(2026, 1, 2)));
  ASSERT_TRUE(Notes().RLock());
  Notes().ReplaceRec();
  Notes().UnLock();
  const std::int32_t record = Notes().RecNo();
  auto* window = new NoteWindow(*controller_);
  window->ShowFromRecord();

  EXPECT_TRUE(window->Reminder().active);
  EXPECT_EQ(window->Reminder().recurrence, 4);
  EXPECT_EQ(window->Reminder().date, QDate(2027, 3, 14));
  EXPECT_EQ(window->Reminder().time, QTime(7, 3));
  EXPECT_TRUE(window->Expiry().expires);
  EXPECT_EQ(window->Expiry().type, 2);
  EXPECT_TRUE(window->Expiry().movesToTrash);
  // A blank expiry date is no date: today.
  EXPECT_EQ(window->Expiry().date, QDate::currentDate());
  EXPECT_EQ(window->Expiry().time, QTime(12, 0));
  EXPECT_EQ(DateOfText(window->CreatedText()), QDate(2026, 1, 2));

  // The save never writes HANDLE, DATECREATE or NOTEBOARD.
  Record(record).SetFieldInt("HANDLE", 777);
  ASSERT_TRUE(Notes().RLock());
  Notes().ReplaceRec();
  Notes().UnLock();
  window->UpdateNote();
  DbfTable& saved = Record(record);
  EXPECT_EQ(saved.GetFieldStr("ALARMTIME").trimmed(), "7:3");
  EXPECT_EQ(saved.GetFieldStr("EXPIRETIME").trimmed(), "12:0");
  EXPECT_EQ(saved.GetFieldStr("ALARMACT"), "Y");
  EXPECT_EQ(saved.GetFieldInt("ALARMTYPE"), 4);
  EXPECT_EQ(DateOfText(saved.GetFieldDate("ALARMDATE")), QDate(2027, 3, 14));
  EXPECT_EQ(DateOfText(saved.GetFieldDate("EXPIREDATE")), QDate::currentDate());
  EXPECT_EQ(saved.GetFieldInt("HANDLE"), 777);
  EXPECT_EQ(saved.GetFieldStr("NOTEBOARD").trimmed(), "7");
  EXPECT_EQ(DateOfText(saved.GetFieldDate("DATECREATE")), QDate(2026, 1, 2));
  EXPECT_EQ(saved.GetFieldStr("SHOWING"), "Y");
}

TEST_F(NoteWindowTest, ACollapsedNoteKeepsItsRightEdgeAndItsRecordTheExpandedBounds) {
  NoteWindow* window = ShowNote({.left = 500, .top = 60, .width = 200, .height = 150});
  ASSERT_NE(window, nullptr);
  const std::int32_t record = window->RecordLink();
  Click(window->CloseUpButton());
  EXPECT_TRUE(window->Collapsed());
  EXPECT_EQ(window->geometry(), QRect(580, 60, 120, 15));
  EXPECT_TRUE(window->ExpandButton()->isVisible());
  EXPECT_FALSE(window->CloseUpButton()->isVisible());
  EXPECT_TRUE(window->ExitButton()->isVisible());

  // The hide request: SHOWING "N" and the expanded geometry.
  QPointer<NoteWindow> guard(window);
  ASSERT_TRUE(SendNoteRequest(window->Handle(), kHideNoteRequest));
  QApplication::processEvents();
  EXPECT_TRUE(guard.isNull() || !guard->isVisible());
  EXPECT_EQ(RecordBounds(record), QRect(500, 60, 200, 150));
  EXPECT_EQ(Record(record).GetFieldStr("MINIMIZED"), "Y");
  EXPECT_EQ(Record(record).GetFieldStr("SHOWING"), "N");
}

TEST_F(NoteWindowTest, CollapseThenExpandRestoresTheExactBoundsAndPlaysBothSounds) {
  NoteWindow* window = ShowNote({.left = 311, .top = 77, .width = 203, .height = 147});
  ASSERT_NE(window, nullptr);
  Click(window->CloseUpButton());
  EXPECT_EQ(window->geometry(), QRect(311 + 203 - 120, 77, 120, 15));
  Click(window->ExpandButton());
  EXPECT_FALSE(window->Collapsed());
  EXPECT_EQ(window->geometry(), QRect(311, 77, 203, 147));
  EXPECT_TRUE(window->CloseUpButton()->isVisible());
  EXPECT_FALSE(window->ExpandButton()->isVisible());
  ASSERT_EQ(played_.size(), 2);
  EXPECT_TRUE(played_[0].endsWith("/Collapse.wav"));
  EXPECT_TRUE(played_[1].endsWith("/Expand.wav"));
}

TEST_F(NoteWindowTest, SoundsAreSilentWhenSwitchedOff) {
  controller_.reset();
  {
    IniFile config = Config();
    ASSERT_TRUE(WriteSetting(config, config::kEnableSounds, false));
  }
  controller_ = Start();
  NoteWindow* window = ShowNote({});
  ASSERT_NE(window, nullptr);
  Click(window->CloseUpButton());
  Click(window->ExpandButton());
  EXPECT_TRUE(played_.isEmpty());
}

TEST_F(NoteWindowTest, ARecordMarkedMinimizedOpensCollapsedAtItsRightEdge) {
  NoteWindow* window =
      ShowNote({.left = 500, .top = 20, .width = 200, .height = 150, .minimized = "Y"});
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->Collapsed());
  EXPECT_EQ(window->geometry(), QRect(580, 20, 120, 15));
  EXPECT_TRUE(window->ExpandButton()->isVisible());
  EXPECT_FALSE(window->CloseUpButton()->isVisible());
  Click(window->ExpandButton());
  EXPECT_EQ(window->geometry(), QRect(500, 20, 200, 150));
}

TEST_F(NoteWindowTest, StayOnTopComesFromTheRecordAndTheMenuItemTogglesIt) {
  NoteWindow* window = ShowNote({.stayOnTop = "Y"});
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->StayOnTopItem()->isChecked());
  EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(window->isVisible());

  window->StayOnTopItem()->trigger();
  EXPECT_FALSE(window->StayOnTopItem()->isChecked());
  EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(window->isVisible());
  window->UpdateNote();
  EXPECT_EQ(Record(window->RecordLink()).GetFieldStr("STAYONTOP"), "N");
}

TEST_F(NoteWindowTest, ANewTitleIsSavedWhenTheWindowIsClosedWithoutSavingBefore) {
  NoteWindow* window = ShowNote({.desc = "Old"});
  ASSERT_NE(window, nullptr);
  const std::int32_t record = window->RecordLink();
  bool dialogSeen = false;
  QTimer::singleShot(0, [&dialogSeen] {
    auto* dialog = qobject_cast<NoteCaptionDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    dialogSeen = dialog->CaptionEdit()->text() == "Old";
    QTest::keyClicks(dialog->CaptionEdit(), "New title");
    QTest::keyClick(dialog->CaptionEdit(), Qt::Key_Return);
  });
  QTest::mouseDClick(window->CaptionLabel(), Qt::LeftButton);
  EXPECT_TRUE(dialogSeen);
  EXPECT_EQ(window->Title(), "New title");
  EXPECT_EQ(window->CaptionLabel()->toolTip(), "New title");

  window->close();
  EXPECT_EQ(Record(record).GetFieldStr("DESC").trimmed(), "New title");
  EXPECT_EQ(Record(record).GetFieldStr("SHOWING"), "N");
}

TEST_F(NoteWindowTest, CtrlNSavesTheNoteAndOpensNotesAndReminders) {
  NoteWindow* window = ShowNote({.desc = "Old"});
  ASSERT_NE(window, nullptr);
  window->SetTitle("Listed");
  QAction* item = nullptr;
  for (QAction* action : window->PopupMenu()->actions()) {
    if (action->text() == "&Notes && Reminders...") item = action;
  }
  ASSERT_NE(item, nullptr);
  EXPECT_TRUE(item->isEnabled());
  QApplication::setActiveWindow(window);
  window->Editor()->setFocus();
  QTest::keyClick(window->Editor(), Qt::Key_N, Qt::ControlModifier);
  ASSERT_NE(controller_->MaintainNotes(), nullptr);
  EXPECT_TRUE(controller_->MaintainNotes()->isVisible());
  EXPECT_EQ(Record(window->RecordLink()).GetFieldStr("DESC").trimmed(), "Listed");
  EXPECT_EQ(Record(window->RecordLink()).GetFieldStr("SHOWING"), "Y");
  controller_->MaintainNotes()->close();
}

TEST_F(NoteWindowTest, TheFirstCaptionDragAfterRenamingKeepsThePointerOnThePressedPoint) {
  NoteWindow* window = ShowNote({.desc = "Old"});
  ASSERT_NE(window, nullptr);
  bool seen = false;
  test::AnswerNextDialog<NoteCaptionDialog>(&seen, [](NoteCaptionDialog* dialog) {
    QTest::keyClick(dialog->CaptionEdit(), Qt::Key_Return);
  });
  QTest::mouseDClick(window->CaptionLabel(), Qt::LeftButton, {}, QPoint(20, 5));
  ASSERT_TRUE(seen);
  const QPoint before = window->pos();
  QLabel* title = window->CaptionLabel();
  QTest::mousePress(title, Qt::LeftButton, {}, QPoint(20, 5));
  QTest::mouseMove(title, QPoint(60, 25));
  QTest::mouseRelease(title, Qt::LeftButton, {}, QPoint(60, 25));
  EXPECT_EQ(window->pos(), before + QPoint(40, 20));
}

TEST_F(NoteWindowTest, TheScrollBarShowsOnlyWhenTheTextOverflows) {
  NoteWindow* window = ShowNote({.text = "short"});
  ASSERT_NE(window, nullptr);
  QCoreApplication::processEvents();
  EXPECT_FALSE(window->Editor()->verticalScrollBar()->isVisible());
  QTest::keyClick(window->Editor(), Qt::Key_End, Qt::ControlModifier);
  for (int line = 0; line < 30; ++line) {
    QTest::keyClicks(window->Editor(), "more");
    QTest::keyClick(window->Editor(), Qt::Key_Return);
  }
  QCoreApplication::processEvents();
  EXPECT_TRUE(window->Editor()->verticalScrollBar()->isVisible());
}

TEST_F(NoteWindowTest, AWindowThatSavedBeforeClosesWithoutSavingAgain) {
  NoteWindow* window = ShowNote({.desc = "Kept"});
  ASSERT_NE(window, nullptr);
  const std::int32_t record = window->RecordLink();
  window->UpdateNote();
  window->SetTitle("Changed");
  window->close();
  EXPECT_EQ(Record(record).GetFieldStr("DESC").trimmed(), "Kept");
  EXPECT_EQ(Record(record).GetFieldStr("SHOWING"), "Y");
}

TEST_F(NoteWindowTest, TheSaveAndCloseRequestKeepsTheNoteShowingAndSavesItsText) {
  NoteWindow* window = ShowNote({.text = "first"});
  ASSERT_NE(window, nullptr);
  const std::int32_t record = window->RecordLink();
  window->Editor()->setPlainText("second");
  ASSERT_TRUE(SendNoteRequest(window->Handle(), kSaveAndCloseNoteRequest));
  EXPECT_EQ(Record(record).GetFieldStr("SHOWING"), "Y");
  auto memo = Record(record).CreateBlobStreamByName("MEMO", MemoStream::kRead);
  ASSERT_TRUE(memo && memo->isOpen());
  const QByteArray stored = memo->readAll();
  memo->Finish();
  EXPECT_TRUE(stored.startsWith("{\\rtf1")) << stored.toStdString();
  EXPECT_TRUE(stored.contains("second"));
}

TEST_F(NoteWindowTest, OnlyWhatChangedSinceTheLastSaveIsWritten) {
  NoteWindow* window = ShowNote({.text = "first", .desc = "Kept"});
  ASSERT_NE(window, nullptr);
  const std::int32_t record = window->RecordLink();
  // The first save fills the fields the test record left blank.
  window->SaveRecordNow();
  const auto sizeOf = [this](const char* name) { return QFileInfo(File(name)).size(); };
  const auto writtenAt = [this](const char* name) {
    return QFileInfo(File(name)).fileTime(QFileDevice::FileModificationTime);
  };
  const qint64 memoSize = sizeOf("notes.dbt");
  const QDateTime tableWritten = writtenAt("notes.dbf");
  // Past the file system's clock step, so that a write would show.
  QTest::qWait(50);
  window->SaveRecordNow();
  window->UpdateNote();
  EXPECT_EQ(writtenAt("notes.dbf"), tableWritten) << "an unchanged note is not written";
  EXPECT_EQ(sizeOf("notes.dbt"), memoSize);
  // A new title is written without a new memo entry.
  window->SetTitle("Retitled");
  window->SaveRecordNow();
  EXPECT_EQ(Record(record).GetFieldStr("DESC").trimmed(), "Retitled");
  EXPECT_EQ(sizeOf("notes.dbt"), memoSize);
  // A new text is.
  window->Editor()->setPlainText("second");
  window->SaveRecordNow();
  EXPECT_GT(sizeOf("notes.dbt"), memoSize);
  auto memo = Record(record).CreateBlobStreamByName("MEMO", MemoStream::kRead);
  ASSERT_TRUE(memo && memo->isOpen());
  EXPECT_TRUE(memo->readAll().contains("second"));
  memo->Finish();
}

TEST_F(NoteWindowTest, TrashingMovesTheRecordAndLeavesTheOtherRecordNumbers) {
  NoteWindow* first = ShowNote({.text = "one", .desc = "One"});
  NoteWindow* second = ShowNote({.text = "two", .desc = "Two"});
  NoteWindow* third = ShowNote({.text = "three", .desc = "Three"});
  ASSERT_TRUE(first && second && third);
  QPointer<NoteWindow> trashed(second);
  MenuItem(second->PopupMenu(), "&Trash Note")->trigger();
  QApplication::processEvents();
  EXPECT_TRUE(trashed.isNull() || !trashed->isVisible());

  DbfTable& trash = controller_->TrashTable();
  EXPECT_EQ(trash.RecordCount(), 1);
  trash.GoTop();
  EXPECT_EQ(trash.GetFieldStr("DESC").trimmed(), "Two");
  EXPECT_EQ(trash.GetFieldStr("SHOWING"), "Y");
  EXPECT_EQ(Record(first->RecordLink()).GetFieldStr("DESC").trimmed(), "One");
  EXPECT_EQ(Record(third->RecordLink()).GetFieldStr("DESC").trimmed(), "Three");
  EXPECT_EQ(third->RecordLink(), 3);
  // The remaining notes still save into their own records.
  third->SetTitle("Third");
  third->UpdateNote();
  EXPECT_EQ(Record(3).GetFieldStr("DESC").trimmed(), "Third");
  EXPECT_EQ(Record(1).GetFieldStr("DESC").trimmed(), "One");
}

TEST_F(NoteWindowTest, DraggingTheTitleOrTheBodyMovesTheWindowByTheMouseDelta) {
  NoteWindow* window = ShowNote({.left = 100, .top = 100, .width = 200, .height = 150});
  ASSERT_NE(window, nullptr);
  QLabel* title = window->CaptionLabel();
  QTest::mousePress(title, Qt::LeftButton, {}, QPoint(20, 5));
  QTest::mouseMove(title, QPoint(50, 25));
  QTest::mouseRelease(title, Qt::LeftButton, {}, QPoint(50, 25));
  EXPECT_EQ(window->geometry(), QRect(130, 120, 200, 150));

  // The body's left margin, outside the text and the sizing zones.
  QFrame* body = window->CaptionBar();
  QTest::mousePress(body, Qt::LeftButton, {}, QPoint(1, 60));
  QTest::mouseMove(body, QPoint(-9, 55));
  QTest::mouseRelease(body, Qt::LeftButton, {}, QPoint(-9, 55));
  EXPECT_EQ(window->geometry(), QRect(120, 115, 200, 150));
}

TEST_F(NoteWindowTest, SizingFromTheEdgesRespectsTheMinimumSize) {
  NoteWindow* window = ShowNote({.left = 100, .top = 100, .width = 200, .height = 150});
  ASSERT_NE(window, nullptr);
  QFrame* body = window->CaptionBar();
  QTest::mouseMove(body, QPoint(197, 60));
  EXPECT_EQ(body->cursor().shape(), Qt::SizeHorCursor);
  QTest::mouseMove(body, QPoint(100, 147));
  EXPECT_EQ(body->cursor().shape(), Qt::SizeVerCursor);
  QTest::mouseMove(body, QPoint(197, 147));
  EXPECT_EQ(body->cursor().shape(), Qt::SizeFDiagCursor);

  // The corner: both dimensions follow the mouse.
  QTest::mousePress(body, Qt::LeftButton, {}, QPoint(197, 147));
  QTest::mouseMove(body, QPoint(227, 157));
  EXPECT_EQ(window->geometry(), QRect(100, 100, 230, 160));
  QTest::mouseMove(body, QPoint(-500, -500));
  QTest::mouseRelease(body, Qt::LeftButton, {}, QPoint(-500, -500));
  EXPECT_EQ(window->geometry(), QRect(100, 100, 120, 15));

  // The right edge changes the width only.
  window->resize(200, 150);
  QTest::mousePress(body, Qt::LeftButton, {}, QPoint(197, 60));
  QTest::mouseMove(body, QPoint(177, 90));
  QTest::mouseRelease(body, Qt::LeftButton, {}, QPoint(177, 90));
  EXPECT_EQ(window->size(), QSize(180, 150));
}

TEST_F(NoteWindowTest, ACollapsedNoteIsDraggedNotSized) {
  NoteWindow* window = ShowNote({.left = 100, .top = 100, .width = 200, .height = 150});
  ASSERT_NE(window, nullptr);
  Click(window->CloseUpButton());
  const QRect collapsed = window->geometry();
  QFrame* body = window->CaptionBar();
  QTest::mouseMove(body, QPoint(117, 12));
  EXPECT_EQ(body->cursor().shape(), Qt::ArrowCursor);
  QTest::mousePress(body, Qt::LeftButton, {}, QPoint(117, 12));
  QTest::mouseMove(body, QPoint(127, 22));
  QTest::mouseRelease(body, Qt::LeftButton, {}, QPoint(127, 22));
  EXPECT_EQ(window->geometry(), collapsed.translated(10, 10));
}

TEST_F(NoteWindowTest, ANoteSavedOffEveryScreenIsBroughtBackInside) {
  NoteWindow* window = ShowNote({.left = 5000, .top = 100, .width = 200, .height = 150});
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->geometry(), QRect(824, 100, 200, 150));
  // The move only brought it onto the screen: its record keeps its place
  // until the user moves or sizes it.
  window->UpdateNote();
  EXPECT_EQ(RecordBounds(window->RecordLink()), QRect(5000, 100, 200, 150));
  QTest::mousePress(window->CaptionLabel(), Qt::LeftButton, {}, QPoint(20, 5));
  QTest::mouseMove(window->CaptionLabel(), QPoint(10, 5));
  QTest::mouseRelease(window->CaptionLabel(), Qt::LeftButton, {}, QPoint(10, 5));
  window->UpdateNote();
  EXPECT_EQ(RecordBounds(window->RecordLink()), QRect(814, 100, 200, 150));
}

TEST_F(NoteWindowTest, EmailHandsTheWholeTextEncodedToTheMailProgram) {
  NoteWindow* window = ShowNote({.text = "Tom & Jerry #1\n50% off?"});
  ASSERT_NE(window, nullptr);
  RecordingOpener opener;
  window->Editor()->SetUrlOpener(&opener);
  MenuItem(window->PopupMenu(), "Email Note...")->trigger();
  ASSERT_EQ(opener.opened.size(), 1);
  EXPECT_EQ(opener.opened[0].toEncoded(),
            "mailto:?body=Tom%20%26%20Jerry%20%231%0D%0A50%25%20off%3F");
  EXPECT_EQ(window->Editor()->textCursor().selectedText().size(),
            window->Editor()->PlainText().size());
  EXPECT_TRUE(QApplication::clipboard()->text().startsWith("Tom & Jerry"));
  window->Editor()->SetUrlOpener(nullptr);
}

// Without a mail program the note's text is offered for the clipboard;
// returns whether the message was seen, after clicking `button` in it.
bool EmailWithoutMailProgram(NoteWindow* window, const char* button) {
  RecordingOpener opener;
  opener.opens = false;
  window->Editor()->SetUrlOpener(&opener);
  bool seen = false;
  QTimer::singleShot(0, [&seen, button] {
    QWidget* box = QApplication::activeModalWidget();
    if (box == nullptr || box->objectName() != "NoMailProgramBox") return;
    auto* choice = box->findChild<QPushButton*>(button);
    if (choice == nullptr) return;
    seen = true;
    QTest::mouseClick(choice, Qt::LeftButton);
  });
  MenuItem(window->PopupMenu(), "Email Note...")->trigger();
  window->Editor()->SetUrlOpener(nullptr);
  return seen && opener.opened.size() == 1;
}

TEST_F(NoteWindowTest, EmailWithoutAMailProgramSaysSoAndCopiesThePlainTextOnRequest) {
  NoteWindow* window = ShowNote({.text = "{\\rtf1 Buy {\\b milk}\\par}"});
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(EmailWithoutMailProgram(window, "BtnCopyText"));
  EXPECT_EQ(QApplication::clipboard()->text(), window->Editor()->PlainText());
  EXPECT_FALSE(QApplication::clipboard()->mimeData()->hasHtml());
}

TEST_F(NoteWindowTest, EmailWithoutAMailProgramClosedLeavesTheRichCopy) {
  NoteWindow* window = ShowNote({.text = "{\\rtf1 Buy {\\b milk}\\par}"});
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(EmailWithoutMailProgram(window, "BtnClose"));
  EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasHtml());
  EXPECT_TRUE(QApplication::clipboard()->text().startsWith("Buy milk"));
}

TEST_F(NoteWindowTest, TheMenuOffersItsCommandsInOrderAndOpensBelowTheButton) {
  NoteWindow* window = ShowNote({.left = 300, .top = 200});
  ASSERT_NE(window, nullptr);
  QStringList captions;
  for (QAction* item : window->PopupMenu()->actions()) {
    captions << (item->isSeparator() ? QStringLiteral("-") : item->text());
  }
  EXPECT_EQ(captions,
            QStringList({"Note &Properties...", "&Edit Note...", "Set Reminder...", "&Hide Note",
                         "&Trash Note", "Email Note...", "Stay on Top", "-", "New Note...",
                         "&Notes && Reminders...", "-", "Help", "About...", "-", "Configure..."}));
  EXPECT_EQ(MenuItem(window->PopupMenu(), "&Hide Note")->shortcut(), QKeySequence("Ctrl+H"));
  EXPECT_EQ(MenuItem(window->PopupMenu(), "&Trash Note")->shortcut(), QKeySequence("Ctrl+T"));
  QMenu* newNote = MenuItem(window->PopupMenu(), "New Note...")->menu();
  ASSERT_NE(newNote, nullptr);
  EXPECT_EQ(newNote->actions().size(), 10);
  // Every note offers the same submenu, and its items make notes.
  NoteWindow* other = ShowNote({});
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(MenuItem(other->PopupMenu(), "New Note...")->menu(), newNote);
  const std::int32_t records = Notes().RecordCount();
  newNote->actions().first()->trigger();
  EXPECT_EQ(Notes().RecordCount(), records + 1);

  Click(window->MenuButton());
  EXPECT_TRUE(window->PopupMenu()->isVisible());
  EXPECT_EQ(window->PopupMenu()->pos(), QPoint(302, 214));
  window->PopupMenu()->close();
}

TEST_F(NoteWindowTest, CtrlHHidesTheNoteFromItsText) {
  NoteWindow* window = ShowNote({.text = "text"});
  ASSERT_NE(window, nullptr);
  const std::int32_t record = window->RecordLink();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  window->Editor()->setFocus();
  QPointer<NoteWindow> guard(window);
  QTest::keyClick(window->Editor(), Qt::Key_H, Qt::ControlModifier);
  QApplication::processEvents();
  EXPECT_TRUE(guard.isNull() || !guard->isVisible());
  EXPECT_EQ(Record(record).GetFieldStr("SHOWING"), "N");
}

}  // namespace
}  // namespace pw
