// ConfigDialog ("Configure Paperwisp"): the settings of the program on three
// pages, "Preferences" (six check boxes), "Reminders" (the reminder sound,
// its repeat, the snooze and where reminders appear) and "Templates" (the
// ten templates, edited through a TemplateStore and written at once).
// OK first mends the two interval edits: a repeat that reads as 0 or less
// becomes "0", such a snooze "1" (an edit reads as its leading number,
// leading_number.h). The dialog neither reads nor writes the
// settings file itself (config_settings.h does).
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace pw {

class SoundPlayer;
class TemplateStore;

class ConfigDialog : public QDialog {
  Q_OBJECT

 public:
  enum class Page { kPreferences = 0, kReminders = 1, kTemplates = 2 };

  // `templates` and `sounds` must outlive the dialog; `configFile` is the
  // settings file the template dialog keeps its place in.
  ConfigDialog(TemplateStore& templates, SoundPlayer& sounds, const QString& configFile,
               QWidget* parent = nullptr);

  void SelectPage(Page page);

  QTabWidget* PageControl() const { return pageControl_; }
  QCheckBox* CkBxLoadPaperwisp() const { return ckBxLoadPaperwisp_; }
  QCheckBox* CkBxBackup() const { return ckBxBackup_; }
  QCheckBox* CkBxEmptyTrash() const { return ckBxEmptyTrash_; }
  QCheckBox* CkBxSounds() const { return ckBxSounds_; }
  QCheckBox* CkBxURL() const { return ckBxURL_; }
  QCheckBox* CkBxTaskbar() const { return ckBxTaskbar_; }
  QCheckBox* CkBxPlaySound() const { return ckBxPlaySound_; }
  QCheckBox* CkBxNotifications() const { return ckBxNotifications_; }
  QLineEdit* EdSoundFile() const { return edSoundFile_; }
  QPushButton* BtnSelectSound() const { return btnSelectSound_; }
  QPushButton* BtnTest() const { return btnTest_; }
  QLineEdit* EdRepeat() const { return edRepeat_; }
  QLineEdit* EdSnooze() const { return edSnooze_; }
  QComboBox* CmBxPosition() const { return cmBxPosition_; }
  QListWidget* LbTemplates() const { return lbTemplates_; }
  QPushButton* BtnEditProps() const { return btnEditProps_; }
  QPushButton* BtnRemove() const { return btnRemove_; }
  QPushButton* BtnOk() const { return btnOk_; }
  QPushButton* BtnCancel() const { return btnCancel_; }

  // Handlers of the buttons, as the clicks run them.
  void BtnOkClick();
  void BtnTestClick();
  void BtnSelectSoundClick();
  void BtnEditPropsClick();
  void BtnRemoveClick();
  // Refills LbTemplates from the store, keeping the selected entry.
  void FillTemplateList();

 private:
  QWidget* BuildPreferencesPage();
  QWidget* BuildRemindersPage();
  QWidget* BuildTemplatesPage();
  // The selected template's number, selecting entry 0 when none is.
  int SelectedTemplate();

  TemplateStore& templates_;
  SoundPlayer& sounds_;
  QString configFile_;
  QTabWidget* pageControl_;
  QCheckBox* ckBxLoadPaperwisp_ = nullptr;
  QCheckBox* ckBxBackup_ = nullptr;
  QCheckBox* ckBxEmptyTrash_ = nullptr;
  QCheckBox* ckBxSounds_ = nullptr;
  QCheckBox* ckBxURL_ = nullptr;
  QCheckBox* ckBxTaskbar_ = nullptr;
  QCheckBox* ckBxPlaySound_ = nullptr;
  QCheckBox* ckBxNotifications_ = nullptr;
  QLineEdit* edSoundFile_ = nullptr;
  QPushButton* btnSelectSound_ = nullptr;
  QPushButton* btnTest_ = nullptr;
  QLineEdit* edRepeat_ = nullptr;
  QLineEdit* edSnooze_ = nullptr;
  QComboBox* cmBxPosition_ = nullptr;
  QListWidget* lbTemplates_ = nullptr;
  QPushButton* btnEditProps_ = nullptr;
  QPushButton* btnRemove_ = nullptr;
  QPushButton* btnOk_;
  QPushButton* btnCancel_;
};

}  // namespace pw
