// The "Sync" page of "Configure Paperwisp": the CalDAV server's address,
// the user name and password, the collection chosen from those the server
// offers, "Sync Now" and the last result. Added to the dialog by the
// controller; its values are written when the dialog is accepted.
#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pw {

class NotesSync;

class SyncPage : public QWidget {
  Q_OBJECT

 public:
  SyncPage(NotesSync& sync, QString dataFolder, QWidget* parent = nullptr);

  QLineEdit* ServerEdit() const { return serverEdit_; }
  QLineEdit* UserEdit() const { return userEdit_; }
  QLineEdit* PasswordEdit() const { return passwordEdit_; }
  QComboBox* CollectionCombo() const { return collectionCombo_; }
  QPushButton* BtnFindCollections() const { return findButton_; }
  QPushButton* SyncNowButton() const { return syncNowButton_; }
  QLabel* ResultLabel() const { return resultLabel_; }
  QLabel* PasswordPlaceLabel() const { return passwordPlaceLabel_; }

  // Writes the settings, and the password when one was typed; false with
  // the reason on the page when something could not be written.
  bool Save();
  void FindCollectionsClick();
  void SyncNowClick();

 private:
  NotesSync& sync_;
  QString dataFolder_;
  QLineEdit* serverEdit_;
  QLineEdit* userEdit_;
  QLineEdit* passwordEdit_;
  QComboBox* collectionCombo_;
  QPushButton* findButton_;
  QPushButton* syncNowButton_;
  QLabel* resultLabel_;
  QLabel* passwordPlaceLabel_;
};

}  // namespace pw
