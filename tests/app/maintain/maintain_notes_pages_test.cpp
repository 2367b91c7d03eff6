// The pages of the Notes & Reminders window: the fixed three, one per
// customised template with its board filter, the reminders page, the one
// notes grid moving between pages, and the search field.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSplitter>

#include "app/maintain/maintain_notes_fixture.h"
#include "app/maintain/template_boards.h"
#include "richtext/note_editor.h"

namespace pw::test {
namespace {

using MaintainNotesPagesTest = MaintainNotesFixture;

TEST_F(MaintainNotesPagesTest, WithoutCustomisedTemplatesOnlyTheThreeFixedPagesShow) {
  auto controller = Start();
  AddTemplates(controller->TzDefaults(), {});
  auto window = OpenWindow(*controller);
  EXPECT_EQ(window->windowTitle(), "Notes & Reminders");
  EXPECT_EQ(VisibleTabs(*window), QStringList({"All Notes", "Active Reminders", "Trash Bin"}));
  EXPECT_EQ(window->PageControl1()->currentIndex(), 0);
  EXPECT_EQ(window->PageControl1()->count(), NotesManagerWindow::kTabSheetCount);
}

TEST_F(MaintainNotesPagesTest, EachCustomisedTemplateGetsABoardListingItsNotes) {
  auto controller = Start();
  AddTemplates(controller->TzDefaults(), {{2, "Shopping"}, {5, "Work"}});
  DbfTable& notes = controller->TzNotes();
  AppendNote(notes, {.showing = "N", .desc = "milk", .noteBoard = "2"});
  AppendNote(notes, {.showing = "N", .desc = "report", .noteBoard = "5"});
  AppendNote(notes, {.showing = "N", .desc = "bread", .noteBoard = "2"});
  AppendNote(notes, {.showing = "N", .desc = "plain", .noteBoard = "1"});
  auto window = OpenWindow(*controller);
  EXPECT_EQ(VisibleTabs(*window),
            QStringList({"All Notes", "Active Reminders", "Trash Bin", "Shopping", "Work"}));
  EXPECT_EQ(window->BoardOfPage(3), 2);
  EXPECT_EQ(window->BoardOfPage(4), 5);
  EXPECT_EQ(Captions(*window->TzGrid1()), QStringList({"milk", "report", "bread", "plain"}));
  ClickTab(*window, "Shopping");
  // In the order of the BOARD tag, where a new key goes before equal ones.
  EXPECT_EQ(Captions(*window->TzGrid1()), QStringList({"bread", "milk"}));
  // The one grid, with its splitter and pane, is now on the Shopping page.
  EXPECT_TRUE(window->TabSheet(4)->isAncestorOf(window->TzGrid1()));
  EXPECT_TRUE(window->TabSheet(4)->isAncestorOf(window->RichEdit1()));
  EXPECT_TRUE(window->TzGrid1()->isVisible());
  ClickTab(*window, "Work");
  EXPECT_EQ(Captions(*window->TzGrid1()), QStringList({"report"}));
  ClickTab(*window, "All Notes");
  EXPECT_EQ(window->TzGrid1()->model()->rowCount(), 4);
  EXPECT_TRUE(window->TabSheet(1)->isAncestorOf(window->TzGrid1()));
}

TEST_F(MaintainNotesPagesTest, TheBoardOfTemplateOneNoLongerListsTheNotesOfTemplateTen) {
  auto controller = Start();
  AddTemplates(controller->TzDefaults(), {{1, "Home"}, {10, "Misc"}});
  DbfTable& notes = controller->TzNotes();
  AppendNote(notes, {.showing = "N", .desc = "from one", .noteBoard = "1"});
  AppendNote(notes, {.showing = "N", .desc = "from ten", .noteBoard = "10"});
  auto window = OpenWindow(*controller);
  ClickTab(*window, "Home");
  EXPECT_EQ(Captions(*window->TzGrid1()), QStringList({"from one"}));
  ClickTab(*window, "Misc");
  EXPECT_EQ(Captions(*window->TzGrid1()), QStringList({"from ten"}));
  EXPECT_EQ(BoardFilter(1), "LTRIM(RTRIM(NOTEBOARD)) == \"1\"");
}

TEST_F(MaintainNotesPagesTest, ActiveRemindersListsExactlyTheNotesWithAnActiveReminder) {
  auto controller = Start();
  DbfTable& notes = controller->TzNotes();
  AppendNote(notes, {.showing = "N", .desc = "a", .alarmAct = "Y"});
  AppendNote(notes, {.showing = "N", .desc = "b", .alarmAct = "N"});
  AppendNote(notes, {.showing = "N", .desc = "c", .alarmAct = "Y"});
  AppendNote(notes, {.showing = "N", .desc = "d", .alarmAct = ""});
  auto window = OpenWindow(*controller);
  ClickTab(*window, "Active Reminders");
  // In the order of the ALARMACT tag, where a new key goes before equal ones.
  EXPECT_EQ(Captions(*window->TzGrid1()), QStringList({"c", "a"}));
  EXPECT_EQ(window->TzNotesMaint().CurrentTag(), "ALARMACT");
  EXPECT_TRUE(window->TabSheet(2)->isAncestorOf(window->TzGrid1()));
  ClickTab(*window, "All Notes");
  EXPECT_EQ(window->TzNotesMaint().CurrentTag(), "");
  EXPECT_EQ(Captions(*window->TzGrid1()).size(), 4);
}

TEST_F(MaintainNotesPagesTest, TheSearchFieldFiltersByCaptionAndTextAsTheUserTypes) {
  auto controller = Start();
  DbfTable& notes = controller->TzNotes();
  AppendNote(notes, {.showing = "N", .text = "{\\rtf1 buy {\\b Milk} today}", .desc = "shop"});
  AppendNote(notes, {.showing = "N", .text = "call Anna", .desc = "Milkman"});
  AppendNote(notes, {.showing = "N", .text = "nothing", .desc = "other"});
  auto window = OpenWindow(*controller);
  QTest::keyClicks(window->EdSearch(), "mil");
  EXPECT_EQ(Captions(*window->TzGrid1()), QStringList({"shop", "Milkman"}));
  QTest::keyClicks(window->EdSearch(), "km");
  EXPECT_EQ(Captions(*window->TzGrid1()), QStringList({"Milkman"}));
  EXPECT_EQ(window->RichEdit1()->toPlainText(), "call Anna");
  window->EdSearch()->clear();
  EXPECT_EQ(Captions(*window->TzGrid1()).size(), 3);
  QTest::keyClicks(window->EdSearch(), "ANNA");
  EXPECT_EQ(Captions(*window->TzGrid1()), QStringList({"Milkman"}));
}

TEST_F(MaintainNotesPagesTest, TheWindowReReadsItsViewsWhenItBecomesActive) {
  auto controller = Start();
  auto window = OpenWindow(*controller);
  EXPECT_EQ(window->TzGrid1()->model()->rowCount(), 0);
  AppendNote(controller->TzNotes(), {.showing = "N", .desc = "new"});
  AppendNote(controller->TzTrash(), {.showing = "N", .desc = "trashed"});
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(window.get(), &activate);
  EXPECT_EQ(Captions(*window->TzGrid1()), QStringList({"new"}));
  EXPECT_EQ(Captions(*window->TzGridTrash()), QStringList({"trashed"}));
}

TEST_F(MaintainNotesPagesTest, ThePlacementIsSavedWhenFreedAndRestoredWhenShown) {
  auto controller = Start();
  {
    auto window = OpenWindow(*controller);
    window->setGeometry(120, 80, 500, 400);
  }
  const QString stored =
      QString::fromStdString(Config().ReadString("Screens", "FrmMaintainNotes", ""));
  EXPECT_TRUE(stored.endsWith("120,80,620,480")) << stored.toStdString();
  auto window = OpenWindow(*controller);
  EXPECT_EQ(window->geometry(), QRect(120, 80, 500, 400));
}

TEST_F(MaintainNotesPagesTest, TheTrayMenuItemOpensTheWindowOnceAndBringsItForward) {
  auto controller = Start();
  QAction* item = nullptr;
  for (QAction* action : controller->PopupMenu1()->actions()) {
    if (action->text() == "Notes && Reminders...") item = action;
  }
  ASSERT_NE(item, nullptr);
  EXPECT_TRUE(item->isEnabled());
  item->trigger();
  NotesManagerWindow* window = controller->MaintainNotes();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  controller->NotesReminders1Click();
  EXPECT_EQ(controller->MaintainNotes(), window);
  window->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(controller->MaintainNotes(), nullptr);
}

}  // namespace
}  // namespace pw::test
