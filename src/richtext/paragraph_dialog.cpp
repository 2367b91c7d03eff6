#include "richtext/paragraph_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QVBoxLayout>
#include <tuple>

namespace pw {
namespace {

constexpr qreal kMaximumIndent = 2000;

struct AlignmentChoice {
  const char* text;
  Qt::Alignment alignment;
};

constexpr AlignmentChoice kAlignments[] = {
    {"Left", Qt::AlignLeft},
    {"Right", Qt::AlignRight},
    {"Center", Qt::AlignHCenter},
    {"Justify", Qt::AlignJustify},
};

}  // namespace

ParagraphDialog::ParagraphDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Paragraph"));
  auto* form = new QFormLayout;
  leftIndent_ = new QDoubleSpinBox(this);
  rightIndent_ = new QDoubleSpinBox(this);
  firstLineIndent_ = new QDoubleSpinBox(this);
  for (auto [field, label, minimum] :
       {std::tuple{leftIndent_, tr("&Left indent:"), 0.0},
        std::tuple{rightIndent_, tr("&Right indent:"), 0.0},
        std::tuple{firstLineIndent_, tr("&First line:"), -kMaximumIndent}}) {
    field->setRange(minimum, kMaximumIndent);
    field->setDecimals(0);
    field->setSuffix(tr(" px"));
    form->addRow(label, field);
  }
  alignment_ = new QComboBox(this);
  for (const AlignmentChoice& choice : kAlignments) {
    alignment_->addItem(tr(choice.text), QVariant::fromValue(int(choice.alignment)));
  }
  form->addRow(tr("&Alignment:"), alignment_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

void ParagraphDialog::SetSettings(const ParagraphSettings& settings) {
  leftIndent_->setValue(settings.leftIndent);
  rightIndent_->setValue(settings.rightIndent);
  firstLineIndent_->setValue(settings.firstLineIndent);
  const Qt::Alignment horizontal = settings.alignment & Qt::AlignHorizontal_Mask;
  const int index = alignment_->findData(QVariant::fromValue(int(horizontal)));
  alignment_->setCurrentIndex(index < 0 ? 0 : index);
}

ParagraphSettings ParagraphDialog::Settings() const {
  ParagraphSettings settings;
  settings.alignment = Qt::Alignment(alignment_->currentData().toInt());
  settings.leftIndent = leftIndent_->value();
  settings.rightIndent = rightIndent_->value();
  settings.firstLineIndent = firstLineIndent_->value();
  return settings;
}

}  // namespace pw
