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
  AddTemplates(controller->TemplatesTable(), {});
  auto window = OpenWindow(*controller);
  EXPECT_EQ(window->windowTitle(), "Notes & Reminders");
  EXPECT_EQ(VisibleTabs(*window), QStringList({"All Notes", "Active Reminders", "Trash Bin"}));
  EXPECT_EQ(window->Pages()->currentIndex(), 0);
  EXPECT_EQ(window->Pages()->count(), NotesManagerWindow::kTabSheetCount);
}

TEST_F(MaintainNotesPagesTest, EachCustomisedTemplateGetsABoardListingItsNotes) {
  auto controller = Start();
  AddTemplates(controller->TemplatesTable(), {{2, "Shopping"}, {5, "Work"}});
  DbfTable& notes = controller->NotesTable();
  AppendNote(notes, {.showing = "N", .desc = "milk", .noteBoard = "2"});
  AppendNote(notes, {.showing = "N", .desc = "report", .noteBoard = "5"});
  AppendNote(notes, {.showing = "N", .desc = "bread", .noteBoard = "2"});
  AppendNote(notes, {.showing = "N", .desc = "plain", .noteBoard = "1"});
  auto window = OpenWindow(*controller);
  EXPECT_EQ(VisibleTabs(*window),
            QStringList({"All Notes", "Active Reminders", "Trash Bin", "Shopping", "Work"}));
  EXPECT_EQ(window->BoardOfPage(3), 2);
  EXPECT_EQ(window->BoardOfPage(4), 5);
  EXPECT_EQ(Captions(*window->NotesGrid()), QStringList({"milk", "report", "bread", "plain"}));
  ClickTab(*window, "Shopping");
  // In the order of the BOARD tag, where a new key goes before equal ones.
  EXPECT_EQ(Captions(*window->NotesGrid()), QStringList({"bread", "milk"}));
  // The one grid, with its splitter and pane, is now on the Shopping page.
  EXPECT_TRUE(window->TabSheet(4)->isAncestorOf(window->NotesGrid()));
  EXPECT_TRUE(window->TabSheet(4)->isAncestorOf(window->Editor()));
  EXPECT_TRUE(window->NotesGrid()->isVisible());
  ClickTab(*window, "Work");
  EXPECT_EQ(Captions(*window->NotesGrid()), QStringList({"report"}));
  ClickTab(*window, "All Notes");
  EXPECT_EQ(window->NotesGrid()->model()->rowCount(), 4);
  EXPECT_TRUE(window->TabSheet(1)->isAncestorOf(window->NotesGrid()));
}

TEST_F(MaintainNotesPagesTest, TheBoardOfTemplateOneNoLongerListsTheNotesOfTemplateTen) {
  auto controller = Start();
  AddTemplates(controller->TemplatesTable(), {{1, "Home"}, {10, "Misc"}});
  DbfTable& notes = controller->NotesTable();
  AppendNote(notes, {.showing = "N", .desc = "from one", .noteBoard = "1"});
  AppendNote(notes, {.showing = "N", .desc = "from ten", .noteBoard = "10"});
  auto window = OpenWindow(*controller);
  ClickTab(*window, "Home");
  EXPECT_EQ(Captions(*window->NotesGrid()), QStringList({"from one"}));
  ClickTab(*window, "Misc");
  EXPECT_EQ(Captions(*window->NotesGrid()), QStringList({"from ten"}));
  EXPECT_EQ(BoardFilter(1), "LTRIM(RTRIM(NOTEBOARD)) == \"1\"");
}

TEST_F(MaintainNotesPagesTest, ActiveRemindersListsExactlyTheNotesWithAnActiveReminder) {
  auto controller = Start();
  DbfTable& notes = controller->NotesTable();
  AppendNote(notes, {.showing = "N", .desc = "a", .alarmAct = "Y"});
  AppendNote(notes, {.showing = "N", .desc = "b", .alarmAct = "N"});
  AppendNote(notes, {.showing = "N", .desc = "c", .alarmAct = "Y"});
  AppendNote(notes, {.showing = "N", .desc = "d", .alarmAct = ""});
  auto window = OpenWindow(*controller);
  ClickTab(*window, "Active Reminders");
  // In the order of the ALARMACT tag, where a new key goes before equal ones.
  EXPECT_EQ(Captions(*window->NotesGrid()), QStringList({"c", "a"}));
  EXPECT_EQ(window->NotesView().CurrentTag(), "ALARMACT");
  EXPECT_TRUE(window->TabSheet(2)->isAncestorOf(window->NotesGrid()));
  ClickTab(*window, "All Notes");
  EXPECT_EQ(window->NotesView().CurrentTag(), "");
  EXPECT_EQ(Captions(*window->NotesGrid()).size(), 4);
}

TEST_F(MaintainNotesPagesTest, TheSearchFieldFiltersByCaptionAndTextAsTheUserTypes) {
  auto controller = Start();
  DbfTable& notes = controller->NotesTable();
  AppendNote(notes, {.showing = "N", .text = "{\\rtf1 buy {\\b Milk} today}", .desc = "shop"});
  AppendNote(notes, {.showing = "N", .text = "call Anna", .desc = "Milkman"});
  AppendNote(notes, {.showing = "N", .text = "nothing", .desc = "other"});
  auto window = OpenWindow(*controller);
  QTest::keyClicks(window->SearchEdit(), "mil");
  EXPECT_EQ(Captions(*window->NotesGrid()), QStringList({"shop", "Milkman"}));
  QTest::keyClicks(window->SearchEdit(), "km");
  EXPECT_EQ(Captions(*window->NotesGrid()), QStringList({"Milkman"}));
  EXPECT_EQ(window->Editor()->toPlainText(), "call Anna");
  window->SearchEdit()->clear();
  EXPECT_EQ(Captions(*window->NotesGrid()).size(), 3);
  QTest::keyClicks(window->SearchEdit(), "ANNA");
  EXPECT_EQ(Captions(*window->NotesGrid()), QStringList({"Milkman"}));
}

TEST_F(MaintainNotesPagesTest, TheWindowReReadsItsViewsWhenItBecomesActive) {
  auto controller = Start();
  auto window = OpenWindow(*controller);
  EXPECT_EQ(window->NotesGrid()->model()->rowCount(), 0);
  AppendNote(controller->NotesTable(), {.showing = "N", .desc = "new"});
  AppendNote(controller->TrashTable(), {.showing = "N", .desc = "trashed"});
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(window.get(), &activate);
  EXPECT_EQ(Captions(*window->NotesGrid()), QStringList({"new"}));
  EXPECT_EQ(Captions(*window->TrashGrid()), QStringList({"trashed"}));
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
  for (QAction* action : controller->TrayMenu()->actions()) {
    if (action->text() == "Notes && Reminders...") item = action;
  }
  ASSERT_NE(item, nullptr);
  EXPECT_TRUE(item->isEnabled());
  item->trigger();
  NotesManagerWindow* window = controller->MaintainNotes();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  controller->onNotesAndReminders();
  EXPECT_EQ(controller->MaintainNotes(), window);
  window->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(controller->MaintainNotes(), nullptr);
}

}  // namespace
}  // namespace pw::test
