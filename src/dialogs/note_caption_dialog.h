// NoteCaptionDialog: the modal dialog in which the user edits a note's title.
// It opens centred on the screen with the whole title selected, so typing
// replaces it; OK is the default button (Enter), Cancel the escape one.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace pw {

class NoteCaptionDialog : public QDialog {
  Q_OBJECT

 public:
  explicit NoteCaptionDialog(const QString& title, QWidget* parent = nullptr);

  // The edited title; the caller takes it when the dialog ends with OK.
  QString Title() const;

  QLineEdit* CaptionEdit() const { return captionEdit_; }
  QPushButton* OKButton() const { return okButton_; }
  QPushButton* CancelButton() const { return cancelButton_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* captionEdit_;
  QPushButton* okButton_;
  QPushButton* cancelButton_;
};

}  // namespace pw
