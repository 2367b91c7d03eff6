#include "dialogs/note_caption_dialog.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/center_on_screen.h"

namespace pw {
namespace {

constexpr int kEditWidth = 260;
// The width of the DESC field that keeps the title: a longer one would be
// cut without a word at the next save.
constexpr int kMaxTitleLength = 50;

}  // namespace

NoteCaptionDialog::NoteCaptionDialog(const QString& title, QWidget* parent)
    : QDialog(parent),
      captionEdit_(new QLineEdit(title, this)),
      okButton_(new QPushButton(QStringLiteral("OK"), this)),
      cancelButton_(new QPushButton(QStringLiteral("Cancel"), this)) {
  setWindowTitle(QStringLiteral("Note Caption"));
  captionEdit_->setMinimumWidth(kEditWidth);
  captionEdit_->setMaxLength(kMaxTitleLength);

  okButton_->setDefault(true);
  okButton_->setAutoDefault(true);
  // Enter in the edit goes to the default button; only OK may be it.
  cancelButton_->setAutoDefault(false);
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(okButton_);
  buttons->addWidget(cancelButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(captionEdit_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString NoteCaptionDialog::Title() const {
  return captionEdit_->text();
}

void NoteCaptionDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CenterOnScreen(*this);
  captionEdit_->setFocus();
  captionEdit_->selectAll();
}

}  // namespace pw
