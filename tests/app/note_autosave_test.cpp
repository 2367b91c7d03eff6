// A note on the desktop beyond its own commands: its changes saved a moment
// later or when it loses the focus, its title in task lists, and its stored
// place while it is shown elsewhere (a smaller screen, a compositor that
// places the windows).
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>

#include "app/note_window_fixture.h"
#include "richtext/note_editor.h"

namespace pw {
namespace {

constexpr int kSaveWaitMs = 10000;

class NoteAutosaveTest : public test::NoteWindowFixture {
 protected:
  QByteArray StoredText(std::int32_t recordNumber) {
    auto memo = Record(recordNumber).CreateBlobStreamByName("MEMO", MemoStream::kRead);
    if (!memo || !memo->isOpen()) return QByteArray();
    const QByteArray text = memo->readAll();
    memo->Finish();
    return text;
  }
  static void Drag(NoteWindow* window, QPoint by) {
    QLabel* title = window->CaptionLabel();
    QTest::mousePress(title, Qt::LeftButton, {}, QPoint(20, 5));
    QTest::mouseMove(title, QPoint(20, 5) + by);
    QTest::mouseRelease(title, Qt::LeftButton, {}, QPoint(20, 5) + by);
  }
};

TEST_F(NoteAutosaveTest, TypedTextIsSavedAMomentLaterAndTheRecordKeepsItsState) {
  NoteWindow* window = ShowNote({.text = "first"});
  ASSERT_NE(window, nullptr);
  const std::int32_t record = window->RecordLink();
  EXPECT_FALSE(window->SavePending()) << "opening the note is no change";
  // The controller walks the table meanwhile; the save leaves it there.
  const std::int32_t other = AppendNote(controller_->NotesTable(), {.showing = "N"});
  QTest::keyClicks(window->Editor(), " and more");
  EXPECT_TRUE(window->SavePending());
  EXPECT_FALSE(StoredText(record).contains("more"));
  Notes().Go(other);
  EXPECT_TRUE(QTest::qWaitFor([window] { return !window->SavePending(); }, kSaveWaitMs));
  EXPECT_EQ(Notes().RecNo(), other);
  EXPECT_TRUE(StoredText(record).contains("and more"));
  EXPECT_EQ(Record(record).GetFieldStr("SHOWING"), "Y");
  // Past the table's end, as a walk leaves it.
  QTest::keyClicks(window->Editor(), " at the end");
  Notes().GoTop();
  while (!Notes().Eof()) Notes().Skip(1);
  EXPECT_TRUE(QTest::qWaitFor([window] { return !window->SavePending(); }, kSaveWaitMs));
  EXPECT_TRUE(Notes().Eof());
  EXPECT_TRUE(StoredText(record).contains("at the end"));
  // Not the note's own save: closing it still hides it, as before.
  EXPECT_FALSE(window->Saved());
  window->close();
  EXPECT_EQ(Record(record).GetFieldStr("SHOWING"), "N");
}

TEST_F(NoteAutosaveTest, ANoteThatLosesTheFocusIsSavedAtOnce) {
  NoteWindow* window = ShowNote({.desc = "Old"});
  ASSERT_NE(window, nullptr);
  QApplication::setActiveWindow(window);
  window->SetTitle("New");
  EXPECT_TRUE(window->SavePending());
  QWidget other;
  other.show();
  QApplication::setActiveWindow(&other);
  EXPECT_FALSE(window->SavePending());
  EXPECT_EQ(Record(window->RecordLink()).GetFieldStr("DESC").trimmed(), "New");
}

TEST_F(NoteAutosaveTest, TheWindowTitleIsTheCaptionOrTheFirstLineOfTheText) {
  NoteWindow* titled = ShowNote({.text = "Buy milk", .desc = "Shopping"});
  ASSERT_NE(titled, nullptr);
  EXPECT_EQ(titled->windowTitle(), "Shopping");
  NoteWindow* untitled = ShowNote({.text = "  Call Anna\nat five"});
  ASSERT_NE(untitled, nullptr);
  EXPECT_EQ(untitled->windowTitle(), "Call Anna");
  untitled->Editor()->setPlainText("Dentist");
  EXPECT_EQ(untitled->windowTitle(), "Dentist");
  titled->SetTitle("");
  EXPECT_EQ(titled->windowTitle(), "Buy milk");
}

TEST_F(NoteAutosaveTest, ANoteMovedOntoASmallerScreenKeepsItsPlaceUntilTheUserMovesIt) {
  // A 1280 x 800 desktop at scale factor 2.
  controller_->SetScreenSize({640, 400});
  NoteWindow* outside = ShowNote({.left = 900, .top = 500, .width = 200, .height = 150});
  NoteWindow* inside = ShowNote({.left = 100, .top = 100, .width = 200, .height = 150});
  ASSERT_NE(outside, nullptr);
  ASSERT_NE(inside, nullptr);
  EXPECT_EQ(outside->geometry(), QRect(440, 250, 200, 150));
  EXPECT_EQ(inside->StoredPlace(), QPoint(100, 100));
  outside->UpdateNote();
  EXPECT_EQ(RecordBounds(outside->RecordLink()), QRect(900, 500, 200, 150));
  // Collapsed, its record still names the expanded note's place.
  outside->onCollapseOrExpandClicked();
  outside->UpdateNote();
  EXPECT_EQ(RecordBounds(outside->RecordLink()), QRect(900, 500, 200, 150));
  outside->onCollapseOrExpandClicked();
  Drag(outside, {-40, -30});
  outside->UpdateNote();
  EXPECT_EQ(RecordBounds(outside->RecordLink()), QRect(400, 220, 200, 150));
}

TEST_F(NoteAutosaveTest, WhereTheCompositorPlacesWindowsTheStoredPlaceStays) {
  controller_->SetPlacesWindows(false);
  NoteWindow* window = ShowNote({.left = 300, .top = 200, .width = 200, .height = 150});
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->size(), QSize(200, 150));
  Drag(window, {25, 25});
  // Sizing is the program's own: the new size is kept.
  QTest::mousePress(window->CaptionBar(), Qt::LeftButton, {}, QPoint(197, 60));
  QTest::mouseMove(window->CaptionBar(), QPoint(217, 60));
  QTest::mouseRelease(window->CaptionBar(), Qt::LeftButton, {}, QPoint(217, 60));
  window->UpdateNote();
  EXPECT_EQ(RecordBounds(window->RecordLink()), QRect(300, 200, 220, 150));
}

int PlacesNotices() {
  int notices = 0;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* box = qobject_cast<QMessageBox*>(widget);
    if (box != nullptr && box->isVisible() && box->text().contains("QT_QPA_PLATFORM=xcb")) {
      ++notices;
    }
  }
  return notices;
}

TEST_F(NoteAutosaveTest, TheUserIsToldOnceThatTheCompositorKeepsNoPlaces) {
  EXPECT_EQ(PlacesNotices(), 0);
  for (int start = 0; start < 2; ++start) {
    NotesController later(QString::fromStdString(dir_.path()));
    later.SetPlacesWindows(false);
    later.FormCreate();
  }
  EXPECT_EQ(PlacesNotices(), 1);
  EXPECT_TRUE(ReadSetting(Config(), config::kPlacesNoticeShown));
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (qobject_cast<QMessageBox*>(widget) != nullptr) widget->close();
  }
}

}  // namespace
}  // namespace pw
