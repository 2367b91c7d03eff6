#include "richtext/find_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pw {

FindDialog::FindDialog(QWidget* parent) : FindDialog(tr("Find"), parent) {}

FindDialog::FindDialog(const QString& title, QWidget* parent) : QDialog(parent) {
  setWindowTitle(title);
  findText_ = new QLineEdit(this);
  matchCase_ = new QCheckBox(tr("Match &case"), this);
  wholeWord_ = new QCheckBox(tr("Match &whole word only"), this);
  message_ = new QLabel(this);

  fields_ = new QGridLayout;
  AddField(tr("Fi&nd what:"), findText_);
  auto* options = new QVBoxLayout;
  options->addWidget(wholeWord_);
  options->addWidget(matchCase_);
  options->addWidget(message_);
  options->addStretch();
  auto* left = new QVBoxLayout;
  left->addLayout(fields_);
  left->addLayout(options);

  auto* cancel = new QPushButton(tr("Cancel"), this);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  buttons_ = new QVBoxLayout;
  buttons_->addWidget(cancel);
  buttons_->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(buttons_);

  QPushButton* findNext = AddSearchButton(tr("&Find Next"));
  findNext->setDefault(true);
  connect(findNext, &QPushButton::clicked, this, &FindDialog::findNextRequested);
  connect(findText_, &QLineEdit::textChanged, this, &FindDialog::UpdateButtons);
}

QString FindDialog::FindText() const {
  return findText_->text();
}

void FindDialog::SetFindText(const QString& text) {
  findText_->setText(text);
}

QTextDocument::FindFlags FindDialog::Flags() const {
  QTextDocument::FindFlags flags;
  if (matchCase_->isChecked()) flags |= QTextDocument::FindCaseSensitively;
  if (wholeWord_->isChecked()) flags |= QTextDocument::FindWholeWords;
  return flags;
}

void FindDialog::ShowMessage(const QString& message) {
  message_->setText(message);
}

void FindDialog::ShowNotFound() {
  ShowMessage(tr("Cannot find \"%1\".").arg(FindText()));
}

void FindDialog::AddField(const QString& label, QWidget* field) {
  auto* caption = new QLabel(label, this);
  caption->setBuddy(field);
  const int row = fields_->rowCount();
  fields_->addWidget(caption, row, 0);
  fields_->addWidget(field, row, 1);
}

QPushButton* FindDialog::AddSearchButton(const QString& text) {
  auto* button = new QPushButton(text, this);
  button->setEnabled(!FindText().isEmpty());
  connect(button, &QPushButton::clicked, message_, &QLabel::clear);
  buttons_->insertWidget(static_cast<int>(searchButtons_.size()), button);
  searchButtons_.append(button);
  return button;
}

void FindDialog::UpdateButtons() {
  for (QPushButton* button : searchButtons_) button->setEnabled(!FindText().isEmpty());
}

}  // namespace pw
