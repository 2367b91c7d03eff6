#include "richtext/replace_dialog.h"

#include <QLineEdit>
#include <QPushButton>

namespace pw {

ReplaceDialog::ReplaceDialog(QWidget* parent) : FindDialog(tr("Replace"), parent) {
  replaceText_ = new QLineEdit(this);
  AddField(tr("Re&place with:"), replaceText_);
  connect(AddSearchButton(tr("&Replace")), &QPushButton::clicked, this,
          &ReplaceDialog::replaceRequested);
  connect(AddSearchButton(tr("Replace &All")), &QPushButton::clicked, this,
          &ReplaceDialog::replaceAllRequested);
}

QString ReplaceDialog::ReplaceText() const {
  return replaceText_->text();
}

void ReplaceDialog::SetReplaceText(const QString& text) {
  replaceText_->setText(text);
}

}  // namespace pw
