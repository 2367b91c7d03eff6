// The "Templates" page of the configuration dialog: the ten templates by
// name, edited in the template dialog or reset. Every change goes to the
// store at once; the configuration dialog's Cancel does not undo it.
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/config_dialog.h"
#include "dialogs/named_widget.h"
#include "dialogs/template_dialog.h"
#include "dialogs/template_values.h"

namespace pw {

QWidget* ConfigDialog::BuildTemplatesPage() {
  auto* page = Named("TabTemplates", new QWidget);
  auto* text = new QLabel(QStringLiteral("Templates enable you to easily define different styles "
                                         "of notes, each with their own specific formatting, "
                                         "color and text contents."),
                          page);
  text->setWordWrap(true);
  lbTemplates_ = Named("LbTemplates", new QListWidget(page));
  editPropsButton_ =
      Named("BtnEditProps", new QPushButton(QStringLiteral("Edit Properties..."), page));
  removeButton_ = Named("BtnRemove", new QPushButton(QStringLiteral("Remove Template"), page));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(editPropsButton_);
  buttons->addWidget(removeButton_);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(text);
  layout->addWidget(lbTemplates_, 1);
  layout->addLayout(buttons);

  connect(editPropsButton_, &QPushButton::clicked, this, &ConfigDialog::onEditPropertiesClicked);
  connect(lbTemplates_, &QListWidget::itemDoubleClicked, this,
          &ConfigDialog::onEditPropertiesClicked);
  connect(removeButton_, &QPushButton::clicked, this, &ConfigDialog::onRemoveClicked);
  return page;
}

void ConfigDialog::FillTemplateList() {
  const int selected = lbTemplates_->currentRow();
  lbTemplates_->clear();
  lbTemplates_->addItems(templates_.Names());
  lbTemplates_->setCurrentRow(selected);
}

int ConfigDialog::SelectedTemplate() {
  if (lbTemplates_->currentRow() < 0) lbTemplates_->setCurrentRow(0);
  return lbTemplates_->currentRow() + 1;
}

void ConfigDialog::onEditPropertiesClicked() {
  const int number = SelectedTemplate();
  TemplateValues values;
  if (!templates_.Read(number, &values)) return;
  TemplateDialog dialog(values, configFile_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  templates_.Write(number, dialog.Values());
  FillTemplateList();
}

void ConfigDialog::onRemoveClicked() {
  const int number = SelectedTemplate();
  templates_.Write(number, ResetTemplateValues(number));
  FillTemplateList();
}

}  // namespace pw
