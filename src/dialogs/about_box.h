// AboutBox: the modal box naming the program and its version. OK is both
// the default and the cancel button, so Enter and Escape close the box, and
// either way it returns OK.
#pragma once

#include <QDialog>

class QPushButton;

namespace pw {

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit AboutBox(QWidget* parent = nullptr);

  QPushButton* OKButton() const { return okButton_; }

  // Escape and the window's close button end the box as OK does.
  void reject() override { accept(); }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QPushButton* okButton_;
};

}  // namespace pw
