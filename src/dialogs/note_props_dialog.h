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

  QTabWidget* Pages() const { return pages_; }
  QPushButton* OkButton() const { return okButton_; }
  QPushButton* CancelButton() const { return cancelButton_; }
  QLabel* DateCreatedLabel() const { return dateCreatedLabel_; }
  QCheckBox* ShowingCheckBox() const { return showingCheckBox_; }
  QCheckBox* StayOnTopCheckBox() const { return stayOnTopCheckBox_; }
  QLineEdit* DescriptionEdit() const { return descriptionEdit_; }
  QLabel* SampleCaptionLabel() const { return sampleCaptionLabel_; }
  QPushButton* SelectCaptionFontButton() const { return selectCaptionFontButton_; }
  QLineEdit* ColorEdit() const { return colorEdit_; }
  QPushButton* SelectColorButton() const { return selectColorButton_; }
  NoteEditor* RichEditProp() const { return richEditProp_; }
  QCheckBox* ReminderIsActiveCheckBox() const { return reminderIsActiveCheckBox_; }
  QComboBox* ReminderTypeCombo() const { return reminderTypeCombo_; }
  QTimeEdit* ReminderTimeEdit() const { return reminderTimeEdit_; }
  QCalendarWidget* Calendar() const { return calendar_; }
  QCheckBox* NeverExpiresCheckBox() const { return neverExpiresCheckBox_; }
  QCheckBox* MoveToTrashCheckBox() const { return moveToTrashCheckBox_; }
  QRadioButton* ExpiresOnceRadio() const { return expiresOnceRadio_; }
  QDateEdit* ExpireDateEdit() const { return expireDateEdit_; }
  QTimeEdit* ExpireTimeEdit() const { return expireTimeEdit_; }
  QRadioButton* ExpiresEverydayRadio() const { return expiresEverydayRadio_; }
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
  void onReminderIsActiveToggled();
  void onNeverExpiresToggled();
  void onExpiryKindClicked();
  // The six entries of ReminderTypeCombo from Calendar's date, keeping
  // the selected index.
  void RebuildReminderKinds();
  // "Select..." of the colour and of the caption font.
  void onSelectColorClicked();
  void onSelectCaptionFontClicked();

  NoteProps opened_;
  QColor noteColor_;

  QTabWidget* pages_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QLabel* dateCreatedLabel_ = nullptr;
  QCheckBox* showingCheckBox_ = nullptr;
  QCheckBox* stayOnTopCheckBox_ = nullptr;
  QLineEdit* descriptionEdit_ = nullptr;
  QLabel* sampleCaptionLabel_ = nullptr;
  QPushButton* selectCaptionFontButton_ = nullptr;
  QLineEdit* colorEdit_ = nullptr;
  QPushButton* selectColorButton_ = nullptr;
  NoteEditor* richEditProp_ = nullptr;
  QCheckBox* reminderIsActiveCheckBox_ = nullptr;
  QComboBox* reminderTypeCombo_ = nullptr;
  QTimeEdit* reminderTimeEdit_ = nullptr;
  QCalendarWidget* calendar_ = nullptr;
  QCheckBox* neverExpiresCheckBox_ = nullptr;
  QCheckBox* moveToTrashCheckBox_ = nullptr;
  QButtonGroup* expiryKinds_ = nullptr;
  QRadioButton* expiresOnceRadio_ = nullptr;
  QDateEdit* expireDateEdit_ = nullptr;
  QTimeEdit* expireTimeEdit_ = nullptr;
  QRadioButton* expiresEverydayRadio_ = nullptr;
};

}  // namespace pw
