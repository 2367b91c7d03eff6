// NotePropertiesDialog: the modal "Note Properties" dialog in which the user edits
// everything about one note on four pages: "Settings" (showing, keep on top,
// caption text, caption font and colour), "Note Text", "Reminder" and
// "Expiration". It works on a copy of the note's values and never touches a
// table; after OK the caller takes the edited values from Props().
#pragma once

#include <QDialog>

#include "dialogs/note_props_values.h"

class QButtonGroup;
class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimeEdit;

namespace pw {

class NoteEditor;

// The page the dialog opens on, in the order of the tabs.
enum class NotePropsPage { Settings, NoteText, Reminder, Expiration };

class NotePropertiesDialog : public QDialog {
  Q_OBJECT

 public:
  // The smallest client area; the dialog is not resizable.
  static constexpr QSize kDesignSize{281, 347};

  NotePropertiesDialog(const NoteProps& props, NotePropsPage page, QWidget* parent = nullptr);

  // The values as the controls hold them now; the expiry type is 1 when
  // "Expire Once on" is ticked and 2 otherwise.
  NoteProps Props() const;

  QTabWidget* PageControl1() const { return pageControl1_; }
  QPushButton* BtnOk() const { return btnOk_; }
  QPushButton* BtnCancel() const { return btnCancel_; }
  QLabel* LblDateCreated() const { return lblDateCreated_; }
  QCheckBox* CkBxShowing() const { return ckBxShowing_; }
  QCheckBox* CkBxStayOnTop() const { return ckBxStayOnTop_; }
  QLineEdit* EdDescription() const { return edDescription_; }
  QLabel* LblSampleCaption() const { return lblSampleCaption_; }
  QPushButton* Button2() const { return button2_; }
  QLineEdit* EdColor() const { return edColor_; }
  QPushButton* Button1() const { return button1_; }
  NoteEditor* RichEditProp() const { return richEditProp_; }
  QCheckBox* CkBxReminderIsActive() const { return ckBxReminderIsActive_; }
  QComboBox* CmBxReminderType() const { return cmBxReminderType_; }
  QTimeEdit* EdReminderTime() const { return edReminderTime_; }
  QCalendarWidget* MonthCalendar1() const { return monthCalendar1_; }
  QCheckBox* CkBxNeverExpires() const { return ckBxNeverExpires_; }
  QCheckBox* CkBxMoveToTrash() const { return ckBxMoveToTrash_; }
  QRadioButton* RbExpiresOnce() const { return rbExpiresOnce_; }
  QDateEdit* EdExpireDate() const { return edExpireDate_; }
  QTimeEdit* EdExpireTime() const { return edExpireTime_; }
  QRadioButton* RbExpiresEveryday() const { return rbExpiresEveryday_; }
  QColor NoteColor() const { return noteColor_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* BuildSettingsPage();
  QWidget* BuildNoteTextPage();
  QWidget* BuildReminderPage();
  QWidget* BuildExpirationPage();
  void Fill(const NoteProps& props);
  void SetNoteColor(const QColor& color);
  void SetSampleCaptionFont(const QFont& font, const QColor& color);
  // Only one expiry kind, or none, is ticked.
  void TickExpiryKind(int type);

  // The enabling rules.
  void CkBxReminderIsActiveClick();
  void CkBxNeverExpiresClick();
  void ExpiryKindClick();
  // The six entries of CmBxReminderType from MonthCalendar1's date, keeping
  // the selected index.
  void RebuildReminderKinds();
  // "Select..." of the colour and of the caption font.
  void Button1Click();
  void Button2Click();

  NoteProps opened_;
  QColor noteColor_;

  QTabWidget* pageControl1_ = nullptr;
  QPushButton* btnOk_ = nullptr;
  QPushButton* btnCancel_ = nullptr;
  QLabel* lblDateCreated_ = nullptr;
  QCheckBox* ckBxShowing_ = nullptr;
  QCheckBox* ckBxStayOnTop_ = nullptr;
  QLineEdit* edDescription_ = nullptr;
  QLabel* lblSampleCaption_ = nullptr;
  QPushButton* button2_ = nullptr;
  QLineEdit* edColor_ = nullptr;
  QPushButton* button1_ = nullptr;
  NoteEditor* richEditProp_ = nullptr;
  QCheckBox* ckBxReminderIsActive_ = nullptr;
  QComboBox* cmBxReminderType_ = nullptr;
  QTimeEdit* edReminderTime_ = nullptr;
  QCalendarWidget* monthCalendar1_ = nullptr;
  QCheckBox* ckBxNeverExpires_ = nullptr;
  QCheckBox* ckBxMoveToTrash_ = nullptr;
  QButtonGroup* expiryKinds_ = nullptr;
  QRadioButton* rbExpiresOnce_ = nullptr;
  QDateEdit* edExpireDate_ = nullptr;
  QTimeEdit* edExpireTime_ = nullptr;
  QRadioButton* rbExpiresEveryday_ = nullptr;
};

}  // namespace pw
