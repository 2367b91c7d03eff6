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
  QCheckBox* LoadPaperwispCheckBox() const { return loadPaperwispCheckBox_; }
  QCheckBox* BackupCheckBox() const { return backupCheckBox_; }
  QCheckBox* EmptyTrashCheckBox() const { return emptyTrashCheckBox_; }
  QCheckBox* SoundsCheckBox() const { return soundsCheckBox_; }
  QCheckBox* URLCheckBox() const { return urlCheckBox_; }
  QCheckBox* TaskbarCheckBox() const { return taskbarCheckBox_; }
  QCheckBox* PlaySoundCheckBox() const { return playSoundCheckBox_; }
  QCheckBox* NotificationsCheckBox() const { return notificationsCheckBox_; }
  QLineEdit* SoundFileEdit() const { return soundFileEdit_; }
  QPushButton* SelectSoundButton() const { return selectSoundButton_; }
  QPushButton* TestButton() const { return testButton_; }
  QLineEdit* RepeatEdit() const { return repeatEdit_; }
  QLineEdit* SnoozeEdit() const { return snoozeEdit_; }
  QComboBox* PositionCombo() const { return positionCombo_; }
  QListWidget* LbTemplates() const { return lbTemplates_; }
  QPushButton* EditPropsButton() const { return editPropsButton_; }
  QPushButton* RemoveButton() const { return removeButton_; }
  QPushButton* OkButton() const { return okButton_; }
  QPushButton* CancelButton() const { return cancelButton_; }

  // Handlers of the buttons, as the clicks run them.
  void onOkClicked();
  void onTestClicked();
  void onSelectSoundClicked();
  void onEditPropertiesClicked();
  void onRemoveClicked();
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
  QCheckBox* loadPaperwispCheckBox_ = nullptr;
  QCheckBox* backupCheckBox_ = nullptr;
  QCheckBox* emptyTrashCheckBox_ = nullptr;
  QCheckBox* soundsCheckBox_ = nullptr;
  QCheckBox* urlCheckBox_ = nullptr;
  QCheckBox* taskbarCheckBox_ = nullptr;
  QCheckBox* playSoundCheckBox_ = nullptr;
  QCheckBox* notificationsCheckBox_ = nullptr;
  QLineEdit* soundFileEdit_ = nullptr;
  QPushButton* selectSoundButton_ = nullptr;
  QPushButton* testButton_ = nullptr;
  QLineEdit* repeatEdit_ = nullptr;
  QLineEdit* snoozeEdit_ = nullptr;
  QComboBox* positionCombo_ = nullptr;
  QListWidget* lbTemplates_ = nullptr;
  QPushButton* editPropsButton_ = nullptr;
  QPushButton* removeButton_ = nullptr;
  QPushButton* okButton_;
  QPushButton* cancelButton_;
};

}  // namespace pw
