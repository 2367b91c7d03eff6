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

  QLineEdit* EdServer() const { return edServer_; }
  QLineEdit* EdUser() const { return edUser_; }
  QLineEdit* EdPassword() const { return edPassword_; }
  QComboBox* CmBxCollection() const { return cmBxCollection_; }
  QPushButton* BtnFindCollections() const { return btnFind_; }
  QPushButton* BtnSyncNow() const { return btnSyncNow_; }
  QLabel* LblResult() const { return lblResult_; }
  QLabel* LblPasswordPlace() const { return lblPasswordPlace_; }

  // Writes the settings, and the password when one was typed; false with
  // the reason on the page when something could not be written.
  bool Save();
  void FindCollectionsClick();
  void SyncNowClick();

 private:
  NotesSync& sync_;
  QString dataFolder_;
  QLineEdit* edServer_;
  QLineEdit* edUser_;
  QLineEdit* edPassword_;
  QComboBox* cmBxCollection_;
  QPushButton* btnFind_;
  QPushButton* btnSyncNow_;
  QLabel* lblResult_;
  QLabel* lblPasswordPlace_;
};

}  // namespace pw
