// The note window's properties: the menu items and the properties request
// open the dialog on their pages, OK applies the dialog to the window and
// its record, Cancel changes nothing.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimeEdit>
#include <functional>

#include "app/controller_fixture.h"
#include "app/record/note_values.h"
#include "dialogs/note_props_dialog.h"
#include "richtext/note_editor.h"
#include "support/modal_dialog.h"
#include "support/note_props_driver.h"

namespace pw {
namespace {

class NoteWindowPropsTest : public test::ControllerFixture {
 protected:
  void SetUp() override {
    ControllerFixture::SetUp();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    controller_ = Start();
  }
  void TearDown() override {
    controller_.reset();
    QLocale::setDefault(QLocale::system());
    ControllerFixture::TearDown();
  }

  DbfTable& Notes() { return controller_->NotesTable(); }
  DbfTable& Record(std::int32_t recordNumber) {
    Notes().Go(recordNumber);
    return Notes();
  }

  // A shown note with a reminder on 4 March 2027 at 9:30 (kind 3, already
  // fired that day) and the expiry kind `expireType`.
  NoteWindow* ShowNote(int expireType = 1) {
    AppendNote(Notes(), {.text = "Buy milk", .desc = "Shopping"});
    Notes().SetFieldStr("ALARMACT", "Y");
    Notes().SetFieldInt("ALARMTYPE", 3);
    Notes().SetFieldDate("ALARMDATE", DateText(QDate(2027, 3, 4)));
    Notes().SetFieldStr("ALARMTIME", "9:30");
    Notes().SetFieldDate("DATEALMACT", DateText(QDate(2027, 3, 4)));
    Notes().SetFieldStr("TIMEALMACT", "9:30");
    Notes().SetFieldStr("EXPIRES", "N");
    Notes().SetFieldInt("EXPIRETYPE", expireType);
    Notes().SetFieldDate("EXPIREDATE", DateText(QDate(2027, 5, 6)));
    Notes().SetFieldStr("EXPIRETIME", "18:45");
    Notes().SetFieldStr("CAPFONTNAM", "DejaVu Sans");
    Notes().SetFieldFloat("CAPFONTSIZ", 9);
    EXPECT_TRUE(Notes().RLock());
    Notes().ReplaceRec();
    Notes().UnLock();
    auto* window = new NoteWindow(*controller_);
    window->ShowFromRecord();
    return window;
  }

  // Opens the dialog with `open` and runs `input` in it.
  static bool WithDialog(const std::function<void()>& open,
                         const std::function<void(NotePropertiesDialog*)>& input) {
    bool seen = false;
    test::AnswerNextDialog<NotePropertiesDialog>(&seen, input);
    open();
    return seen;
  }

  static QAction* MenuItem(NoteWindow* window, const QString& caption) {
    for (QAction* item : window->PopupMenu()->actions()) {
      if (item->text() == caption) return item;
    }
    ADD_FAILURE() << "no menu item " << caption.toStdString();
    return nullptr;
  }

  static void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

  std::unique_ptr<NotesController> controller_;
};

TEST_F(NoteWindowPropsTest, TheMenuItemsAndThePropertiesRequestOpenTheirPages) {
  NoteWindow* window = ShowNote();
  ASSERT_NE(window, nullptr);
  QString page;
  auto notePage = [&page](NotePropertiesDialog* dialog) {
    page = dialog->Pages()->currentWidget()->objectName();
    Click(dialog->CancelButton());
  };
  QAction* properties = MenuItem(window, "Note &Properties...");
  QAction* reminder = MenuItem(window, "Set Reminder...");
  ASSERT_TRUE(properties && reminder);
  EXPECT_TRUE(properties->isEnabled());
  EXPECT_TRUE(reminder->isEnabled());
  EXPECT_TRUE(WithDialog([properties] { properties->trigger(); }, notePage));
  EXPECT_EQ(page, "TSSettings");
  EXPECT_TRUE(WithDialog([reminder] { reminder->trigger(); }, notePage));
  EXPECT_EQ(page, "TSReminder");
  page.clear();
  EXPECT_TRUE(WithDialog(
      [window] { EXPECT_TRUE(SendNoteRequest(window->Handle(), kPropertiesNoteRequest)); },
      notePage));
  EXPECT_EQ(page, "TSSettings");
}

TEST_F(NoteWindowPropsTest, OkAppliesEveryPageToTheWindowAndSavesTheRecord) {
  NoteWindow* window = ShowNote();
  ASSERT_NE(window, nullptr);
  const std::int32_t record = window->RecordLink();
  ASSERT_TRUE(WithDialog([window] { window->OpenProperties(NotePropsPage::Settings); },
                         [](NotePropertiesDialog* dialog) {
                           dialog->DescriptionEdit()->selectAll();
                           QTest::keyClicks(dialog->DescriptionEdit(), "Groceries");
                           test::ClickBox(dialog->StayOnTopCheckBox());
                           dialog->RichEditProp()->setPlainText("Buy bread");
                           dialog->Pages()->setCurrentIndex(2);
                           EXPECT_TRUE(test::ClickCalendarDay(dialog->Calendar(), 15));
                           dialog->ReminderTypeCombo()->setFocus();
                           QTest::keyClick(dialog->ReminderTypeCombo(), Qt::Key_Down);  // 4
                           QTimeEdit* time = dialog->ReminderTimeEdit();
                           time->setFocus();
                           time->setSelectedSection(QDateTimeEdit::HourSection);
                           QTest::keyClicks(time, "070559");
                           dialog->Pages()->setCurrentIndex(3);
                           test::ClickBox(dialog->NeverExpiresCheckBox());
                           test::ClickBox(dialog->ExpiresEverydayRadio());
                           test::ClickBox(dialog->MoveToTrashCheckBox());
                           Click(dialog->OkButton());
                         }));
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->Title(), "Groceries");
  EXPECT_EQ(window->CaptionLabel()->toolTip(), "Groceries");
  EXPECT_TRUE(window->StayOnTopItem()->isChecked());
  EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(window->Editor()->PlainText(), "Buy bread");

  DbfTable& saved = Record(record);
  EXPECT_EQ(saved.GetFieldStr("DESC").trimmed(), "Groceries");
  EXPECT_EQ(saved.GetFieldStr("STAYONTOP"), "Y");
  EXPECT_EQ(saved.GetFieldStr("SHOWING"), "Y");
  EXPECT_EQ(saved.GetFieldStr("ALARMACT"), "Y");
  EXPECT_EQ(saved.GetFieldInt("ALARMTYPE"), 4);
  EXPECT_EQ(DateOfText(saved.GetFieldDate("ALARMDATE")), QDate(2027, 3, 15));
  EXPECT_EQ(saved.GetFieldStr("ALARMTIME").trimmed(), "7:5");
  EXPECT_EQ(saved.GetFieldStr("EXPIRES"), "Y");
  EXPECT_EQ(saved.GetFieldInt("EXPIRETYPE"), 2);
  EXPECT_EQ(saved.GetFieldStr("EXPIRETRSH"), "Y");
  EXPECT_EQ(saved.GetFieldStr("EXPIRETIME").trimmed(), "18:45");
  EXPECT_EQ(saved.GetFieldStr("CAPFONTNAM").trimmed(), "DejaVu Sans");
  EXPECT_EQ(saved.GetFieldFloat("CAPFONTSIZ"), 9);
  // The last firing stays, so the changed time fires again on that day.
  EXPECT_EQ(DateOfText(saved.GetFieldDate("DATEALMACT")), QDate(2027, 3, 4));
  EXPECT_EQ(saved.GetFieldStr("TIMEALMACT").trimmed(), "9:30");
  auto memo = saved.CreateBlobStreamByName("MEMO", MemoStream::kRead);
  ASSERT_TRUE(memo && memo->isOpen());
  EXPECT_TRUE(memo->readAll().contains("Buy bread"));
  memo->Finish();
}

TEST_F(NoteWindowPropsTest, TheChosenColourAndCaptionFontReachTheWindowAndTheRecord) {
  NoteWindow* window = ShowNote();
  ASSERT_NE(window, nullptr);
  NoteProps props = window->Props();
  props.color = QColor(0x11, 0x22, 0x33);
  props.captionFont = QFont(QStringLiteral("DejaVu Serif"), 11);
  props.captionColor = QColor(0x80, 0, 0);
  window->ApplyProps(props);
  EXPECT_EQ(window->NoteColor(), QColor(0x11, 0x22, 0x33));
  EXPECT_EQ(window->CaptionLabel()->palette().color(QPalette::Window), QColor(0x11, 0x22, 0x33));
  EXPECT_EQ(window->TitleFont().family(), "DejaVu Serif");
  DbfTable& saved = Record(window->RecordLink());
  EXPECT_EQ(saved.GetFieldInt("COLOR"), 0x332211);
  EXPECT_EQ(saved.GetFieldStr("CAPFONTNAM").trimmed(), "DejaVu Serif");
  EXPECT_EQ(saved.GetFieldFloat("CAPFONTSIZ"), 11);
  EXPECT_EQ(saved.GetFieldInt("CAPFONTCOL"), 0x000080);
}

TEST_F(NoteWindowPropsTest, AnExpiryKindOfZeroIsStoredAsTwoAfterOk) {
  NoteWindow* window = ShowNote(0);
  ASSERT_NE(window, nullptr);
  bool noneTicked = false;
  ASSERT_TRUE(WithDialog([window] { window->OpenProperties(NotePropsPage::Settings); },
                         [&noneTicked](NotePropertiesDialog* dialog) {
                           noneTicked = !dialog->ExpiresOnceRadio()->isChecked() &&
                                        !dialog->ExpiresEverydayRadio()->isChecked();
                           Click(dialog->OkButton());
                         }));
  EXPECT_TRUE(noneTicked);
  EXPECT_EQ(Record(window->RecordLink()).GetFieldInt("EXPIRETYPE"), 2);
}

TEST_F(NoteWindowPropsTest, AlarmSwitchedOffKeepsKindDateAndTime) {
  NoteWindow* window = ShowNote();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WithDialog([window] { window->OpenProperties(NotePropsPage::Reminder); },
                         [](NotePropertiesDialog* dialog) {
                           test::ClickBox(dialog->ReminderIsActiveCheckBox());
                           Click(dialog->OkButton());
                         }));
  DbfTable& saved = Record(window->RecordLink());
  EXPECT_EQ(saved.GetFieldStr("ALARMACT"), "N");
  EXPECT_EQ(saved.GetFieldInt("ALARMTYPE"), 3);
  EXPECT_EQ(DateOfText(saved.GetFieldDate("ALARMDATE")), QDate(2027, 3, 4));
  EXPECT_EQ(saved.GetFieldStr("ALARMTIME").trimmed(), "9:30");
}

TEST_F(NoteWindowPropsTest, UntickingNoteIsShowingSavesEverythingElseAndClosesTheWindow) {
  NoteWindow* window = ShowNote();
  ASSERT_NE(window, nullptr);
  const std::int32_t record = window->RecordLink();
  QPointer<NoteWindow> guard(window);
  ASSERT_TRUE(WithDialog([window] { window->OpenProperties(NotePropsPage::Settings); },
                         [](NotePropertiesDialog* dialog) {
                           dialog->DescriptionEdit()->selectAll();
                           QTest::keyClicks(dialog->DescriptionEdit(), "Later");
                           test::ClickBox(dialog->ShowingCheckBox());
                           Click(dialog->OkButton());
                         }));
  QApplication::processEvents();
  EXPECT_TRUE(guard.isNull() || !guard->isVisible());
  EXPECT_EQ(Record(record).GetFieldStr("SHOWING"), "N");
  EXPECT_EQ(Record(record).GetFieldStr("DESC").trimmed(), "Later");
}

TEST_F(NoteWindowPropsTest, KeepOnTopSwitchedOffAppliesAtOnce) {
  AppendNote(Notes(), {.stayOnTop = "Y"});
  auto* window = new NoteWindow(*controller_);
  window->ShowFromRecord();
  ASSERT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  ASSERT_TRUE(WithDialog([window] { window->OpenProperties(NotePropsPage::Settings); },
                         [](NotePropertiesDialog* dialog) {
                           test::ClickBox(dialog->StayOnTopCheckBox());
                           Click(dialog->OkButton());
                         }));
  EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_FALSE(window->StayOnTopItem()->isChecked());
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(Record(window->RecordLink()).GetFieldStr("STAYONTOP"), "N");
}

TEST_F(NoteWindowPropsTest, CancelChangesNeitherTheWindowNorTheRecord) {
  NoteWindow* window = ShowNote();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WithDialog([window] { window->OpenProperties(NotePropsPage::Settings); },
                         [](NotePropertiesDialog* dialog) {
                           dialog->DescriptionEdit()->selectAll();
                           QTest::keyClicks(dialog->DescriptionEdit(), "Changed");
                           test::ClickBox(dialog->ShowingCheckBox());
                           Click(dialog->CancelButton());
                         }));
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->Title(), "Shopping");
  EXPECT_FALSE(window->Saved());
  EXPECT_EQ(Record(window->RecordLink()).GetFieldStr("DESC").trimmed(), "Shopping");
}

}  // namespace
}  // namespace pw
