// The note properties dialog alone: what it shows for a note's values, its
// enabling rules, the reminder kind list, the colour and font dialogs, and
// the values it hands back.
#include "dialogs/note_props_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDateEdit>
#include <QFontComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimeEdit>

#include "dialogs/note_props_font_dialog.h"
#include "richtext/note_editor.h"
#include "support/modal_dialog.h"
#include "support/note_props_driver.h"

namespace pw {
namespace {

using test::AnswerNextDialog;
using test::BoxButton;
using test::ExecWith;

class NotePropsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
  void TearDown() override { QLocale::setDefault(QLocale::system()); }

  static NoteProps Sample() {
    NoteProps props;
    props.richText = "{\\rtf1\\ansi Buy milk\\par}";
    props.title = QStringLiteral("Shopping");
    props.stayOnTop = true;
    props.color = QColor(0xFF, 0xC0, 0x80);
    props.createdText = QStringLiteral("01/02/2026");
    props.captionFont = QFont(QStringLiteral("DejaVu Sans"), 10);
    props.captionColor = QColor(Qt::red);
    props.reminder = {.active = true, .recurrence = 3, .date = {2027, 3, 4}, .time = {9, 30}};
    props.expiry = {
        .expires = true, .type = 1, .movesToTrash = true, .date = {2027, 5, 6}, .time = {18, 45}};
    return props;
  }

  static void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
};

TEST_F(NotePropsDialogTest, OpensOnTheAskedPageAsAFixedDialogWithFourPages) {
  NotePropertiesDialog settings(Sample(), NotePropsPage::Settings);
  EXPECT_EQ(settings.windowTitle(), "Note Properties");
  QStringList pages;
  for (int i = 0; i < settings.Pages()->count(); ++i) {
    pages << settings.Pages()->tabText(i);
  }
  EXPECT_EQ(pages, QStringList({"Settings", "Note Text", "Reminder", "Expiration"}));
  EXPECT_EQ(settings.Pages()->currentWidget()->objectName(), "TSSettings");
  EXPECT_TRUE(settings.OkButton()->isDefault());
  EXPECT_EQ(settings.minimumSize(), settings.maximumSize());
  EXPECT_GE(settings.width(), NotePropertiesDialog::kDesignSize.width());
  EXPECT_GE(settings.height(), NotePropertiesDialog::kDesignSize.height());

  settings.show();
  const QScreen* screen = QGuiApplication::primaryScreen();
  ASSERT_NE(screen, nullptr);
  const QPoint offset = settings.frameGeometry().center() - screen->availableGeometry().center();
  EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();

  NotePropertiesDialog reminder(Sample(), NotePropsPage::Reminder);
  EXPECT_EQ(reminder.Pages()->currentWidget()->objectName(), "TSReminder");
}

TEST_F(NotePropsDialogTest, EveryControlShowsTheNotesValues) {
  NoteProps props = Sample();
  props.showing = false;  // the box is ticked whatever the caller says
  NotePropertiesDialog dialog(props, NotePropsPage::Settings);
  EXPECT_EQ(dialog.DescriptionEdit()->text(), "Shopping");
  EXPECT_TRUE(dialog.ShowingCheckBox()->isChecked());
  EXPECT_TRUE(dialog.StayOnTopCheckBox()->isChecked());
  EXPECT_EQ(dialog.DateCreatedLabel()->text(), "01/02/2026");
  EXPECT_FALSE(dialog.ColorEdit()->isEnabled());
  EXPECT_EQ(dialog.ColorEdit()->palette().color(QPalette::Disabled, QPalette::Base), props.color);
  EXPECT_EQ(dialog.SampleCaptionLabel()->text(), "Example Note Caption");
  EXPECT_EQ(dialog.SampleCaptionLabel()->font().family(), "DejaVu Sans");
  EXPECT_EQ(dialog.SampleCaptionLabel()->font().pointSize(), 10);
  EXPECT_EQ(dialog.SampleCaptionLabel()->palette().color(QPalette::WindowText), QColor(Qt::red));
  EXPECT_EQ(dialog.RichEditProp()->PlainText(), "Buy milk");
  EXPECT_EQ(dialog.RichEditProp()->BackgroundColor(), props.color);

  EXPECT_TRUE(dialog.ReminderIsActiveCheckBox()->isChecked());
  EXPECT_EQ(dialog.ReminderTypeCombo()->currentIndex(), 3);
  EXPECT_EQ(dialog.ReminderTypeCombo()->currentText(), "Every Thursday");
  EXPECT_EQ(dialog.Calendar()->selectedDate(), QDate(2027, 3, 4));
  EXPECT_EQ(dialog.ReminderTimeEdit()->time(), QTime(9, 30));

  EXPECT_FALSE(dialog.NeverExpiresCheckBox()->isChecked());
  EXPECT_TRUE(dialog.MoveToTrashCheckBox()->isChecked());
  EXPECT_TRUE(dialog.ExpiresOnceRadio()->isChecked());
  EXPECT_FALSE(dialog.ExpiresEverydayRadio()->isChecked());
  EXPECT_EQ(dialog.ExpireDateEdit()->date(), QDate(2027, 5, 6));
  EXPECT_EQ(dialog.ExpireTimeEdit()->time(), QTime(18, 45));
  EXPECT_TRUE(dialog.ExpireDateEdit()->isEnabled());

  // OK without a change hands the same values back.
  const NoteProps back = dialog.Props();
  EXPECT_TRUE(back.showing);
  EXPECT_EQ(back.title, props.title);
  EXPECT_EQ(back.reminder.recurrence, 3);
  EXPECT_EQ(back.reminder.date, props.reminder.date);
  EXPECT_EQ(back.expiry.type, 1);
  EXPECT_EQ(back.expiry.time, props.expiry.time);
  EXPECT_TRUE(back.richText.startsWith("{\\rtf1"));
}

TEST_F(NotePropsDialogTest, AlarmIsActiveSwitchesTheReminderControls) {
  NoteProps props = Sample();
  props.reminder.active = false;
  NotePropertiesDialog dialog(props, NotePropsPage::Reminder);
  dialog.show();
  QWidget* const controls[] = {dialog.ReminderTypeCombo(), dialog.Calendar(),
                               dialog.ReminderTimeEdit()};
  for (QWidget* control : controls)
    EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
  test::ClickBox(dialog.ReminderIsActiveCheckBox());
  for (QWidget* control : controls)
    EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
  test::ClickBox(dialog.ReminderIsActiveCheckBox());
  for (QWidget* control : controls)
    EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();

  // Off keeps kind, date and time.
  const NoteProps back = dialog.Props();
  EXPECT_FALSE(back.reminder.active);
  EXPECT_EQ(back.reminder.recurrence, 3);
  EXPECT_EQ(back.reminder.date, QDate(2027, 3, 4));
  EXPECT_EQ(back.reminder.time, QTime(9, 30));
}

TEST_F(NotePropsDialogTest, NeverExpiresAndTheExpiryKindSwitchTheExpiryControls) {
  NoteProps props = Sample();
  props.expiry.expires = false;
  NotePropertiesDialog dialog(props, NotePropsPage::Expiration);
  dialog.show();
  QWidget* const controls[] = {dialog.ExpiresOnceRadio(), dialog.ExpiresEverydayRadio(),
                               dialog.ExpireDateEdit(), dialog.ExpireTimeEdit(),
                               dialog.MoveToTrashCheckBox()};
  EXPECT_TRUE(dialog.NeverExpiresCheckBox()->isChecked());
  for (QWidget* control : controls)
    EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
  test::ClickBox(dialog.NeverExpiresCheckBox());
  for (QWidget* control : controls)
    EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();

  test::ClickBox(dialog.ExpiresEverydayRadio());
  EXPECT_FALSE(dialog.ExpiresOnceRadio()->isChecked());
  EXPECT_FALSE(dialog.ExpireDateEdit()->isEnabled());
  EXPECT_TRUE(dialog.ExpireTimeEdit()->isEnabled());
  EXPECT_EQ(dialog.Props().expiry.type, 2);
  test::ClickBox(dialog.ExpiresOnceRadio());
  EXPECT_TRUE(dialog.ExpireDateEdit()->isEnabled());
  EXPECT_EQ(dialog.Props().expiry.type, 1);
  EXPECT_TRUE(dialog.Props().expiry.expires);
}

TEST_F(NotePropsDialogTest, AnExpiryKindOfNeitherOneNorTwoTicksNoButtonAndComesBackAsTwo) {
  NoteProps props = Sample();
  props.expiry.type = 0;
  NotePropertiesDialog dialog(props, NotePropsPage::Expiration);
  EXPECT_FALSE(dialog.ExpiresOnceRadio()->isChecked());
  EXPECT_FALSE(dialog.ExpiresEverydayRadio()->isChecked());
  EXPECT_EQ(ExecWith(dialog, [&dialog] { Click(dialog.OkButton()); }), QDialog::Accepted);
  EXPECT_EQ(dialog.Props().expiry.type, 2);
}

TEST_F(NotePropsDialogTest, ClickingADayRebuildsTheKindListAndKeepsTheSelectedKind) {
  NoteProps props = Sample();
  props.reminder.recurrence = 4;
  NotePropertiesDialog dialog(props, NotePropsPage::Reminder);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  ASSERT_TRUE(test::ClickCalendarDay(dialog.Calendar(), 15));
  EXPECT_EQ(dialog.Calendar()->selectedDate(), QDate(2027, 3, 15));
  QStringList entries;
  for (int i = 0; i < dialog.ReminderTypeCombo()->count(); ++i) {
    entries << dialog.ReminderTypeCombo()->itemText(i);
  }
  EXPECT_EQ(entries,
            QStringList({"Monday, March 15, 2027", "Every Day", "Every Weekday", "Every Monday",
                         "Every Month on the 15th", "Every Year on March 15"}));
  EXPECT_EQ(dialog.ReminderTypeCombo()->currentIndex(), 4);
  ASSERT_TRUE(test::ClickCalendarDay(dialog.Calendar(), 12));
  EXPECT_EQ(dialog.ReminderTypeCombo()->currentText(), "Every Month on the 12th");
  EXPECT_EQ(dialog.Props().reminder.date, QDate(2027, 3, 12));
}

TEST_F(NotePropsDialogTest, ATimeTypedWithSecondsIsKeptToTheSecondUntilTheNoteStoresIt) {
  NotePropertiesDialog dialog(Sample(), NotePropsPage::Reminder);
  dialog.show();
  QTimeEdit* time = dialog.ReminderTimeEdit();
  time->setFocus();
  time->setSelectedSection(QDateTimeEdit::HourSection);
  QTest::keyClicks(time, "070559");
  EXPECT_EQ(dialog.Props().reminder.time, QTime(7, 5, 59));
}

TEST_F(NotePropsDialogTest, TheColourDialogStartsWithTheNotesColourAndOkTakesTheChosenOne) {
  NotePropertiesDialog dialog(Sample(), NotePropsPage::Settings);
  bool seen = false;
  QColor startedWith;
  AnswerNextDialog<QColorDialog>(&seen, [&startedWith](QColorDialog* colors) {
    startedWith = colors->currentColor();
    colors->setCurrentColor(QColor(0x11, 0x22, 0x33));
    Click(BoxButton(colors, QDialogButtonBox::Ok));
  });
  Click(dialog.SelectColorButton());
  ASSERT_TRUE(seen);
  EXPECT_EQ(startedWith, QColor(0xFF, 0xC0, 0x80));
  EXPECT_EQ(dialog.NoteColor(), QColor(0x11, 0x22, 0x33));
  EXPECT_EQ(dialog.ColorEdit()->palette().color(QPalette::Disabled, QPalette::Base),
            QColor(0x11, 0x22, 0x33));

  AnswerNextDialog<QColorDialog>(&seen, [](QColorDialog* colors) {
    colors->setCurrentColor(Qt::green);
    Click(BoxButton(colors, QDialogButtonBox::Cancel));
  });
  Click(dialog.SelectColorButton());
  ASSERT_TRUE(seen);
  EXPECT_EQ(dialog.Props().color, QColor(0x11, 0x22, 0x33));
}

TEST_F(NotePropsDialogTest, TheFontDialogOffersSixToTwelvePointsAndTakesFaceSizeAndColour) {
  NoteProps props = Sample();
  props.captionFont.setBold(true);
  NotePropertiesDialog dialog(props, NotePropsPage::Settings);
  bool seen = false;
  QStringList sizes;
  QString startFamily;
  QString startSize;
  QString startColor;
  AnswerNextDialog<CaptionFontDialog>(&seen, [&](CaptionFontDialog* fonts) {
    for (int i = 0; i < fonts->FontSizeCombo()->count(); ++i)
      sizes << fonts->FontSizeCombo()->itemText(i);
    startFamily = fonts->FontNameCombo()->currentText();
    startSize = fonts->FontSizeCombo()->currentText();
    startColor = fonts->FontColorCombo()->currentText();
    fonts->FontSizeCombo()->setFocus();
    QTest::keyClick(fonts->FontSizeCombo(), Qt::Key_Down);  // 11
    fonts->FontColorCombo()->setFocus();
    QTest::keyClick(fonts->FontColorCombo(), Qt::Key_Home);  // Black
    QTest::keyClick(fonts->FontColorCombo(), Qt::Key_Down);  // Maroon
    Click(fonts->OKButton());
  });
  Click(dialog.SelectCaptionFontButton());
  ASSERT_TRUE(seen);
  EXPECT_EQ(sizes, QStringList({"6", "7", "8", "9", "10", "11", "12"}));
  EXPECT_EQ(startFamily, "DejaVu Sans");
  EXPECT_EQ(startSize, "10");
  EXPECT_EQ(startColor, "Red");
  const NoteProps back = dialog.Props();
  EXPECT_EQ(back.captionFont.family(), "DejaVu Sans");
  EXPECT_EQ(back.captionFont.pointSize(), 11);
  EXPECT_FALSE(back.captionFont.bold());
  EXPECT_EQ(back.captionColor, QColor(0x80, 0, 0));
  EXPECT_EQ(dialog.SampleCaptionLabel()->font().pointSize(), 11);
}

TEST_F(NotePropsDialogTest, ASizeOutsideTheRangeShowsTheNearestAndAnUnlistedColourStays) {
  CaptionFontDialog fonts(QFont(QStringLiteral("DejaVu Sans"), 20), QColor(1, 2, 3));
  EXPECT_EQ(fonts.FontSizeCombo()->currentText(), "12");
  EXPECT_EQ(fonts.SelectedColor(), QColor(1, 2, 3));
  EXPECT_EQ(fonts.SelectedFont().pointSize(), 12);
}

TEST_F(NotePropsDialogTest, CancelAndEscapeReject) {
  NotePropertiesDialog dialog(Sample(), NotePropsPage::Settings);
  EXPECT_EQ(ExecWith(dialog, [&dialog] { Click(dialog.CancelButton()); }), QDialog::Rejected);
  NotePropertiesDialog again(Sample(), NotePropsPage::Settings);
  EXPECT_EQ(ExecWith(again, [&again] { QTest::keyClick(&again, Qt::Key_Escape); }),
            QDialog::Rejected);
}

}  // namespace
}  // namespace pw
