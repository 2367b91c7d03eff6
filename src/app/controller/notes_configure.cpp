// The configuration dialog as the controller runs it: filled from
// Config.cfg, and on OK the keys written, the log-on start registered or
// removed and the controller's settings read again. Template changes are
// written by the dialog at once, whatever button closes it.
#include <QCheckBox>
#include <QCoreApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTabWidget>

#include "app/controller/notes_main.h"
#include "app/controller/template_table_store.h"
#include "app/sync/sync_page.h"
#include "desktop/autostart_entry.h"
#include "desktop/taskbar_button.h"
#include "dialogs/config_dialog.h"
#include "dialogs/config_settings.h"
#include "settings/config_keys.h"

namespace pw {
namespace {

// The program starts at log-on exactly when `enabled`. False with `*error`
// set when the autostart entry cannot be written or removed.
bool RegisterLogOnStart(bool enabled, QString* error) {
  return enabled ? WriteAutostartEntry(QCoreApplication::applicationFilePath(), error)
                 : RemoveAutostartEntry(error);
}

}  // namespace

void NotesController::AddNoTemplateItems() {
  noTemplateSet_ = templateMenu_->addAction(QStringLiteral("No template is set yet"));
  noTemplateSet_->setObjectName(QStringLiteral("NoTemplateSet"));
  noTemplateSet_->setEnabled(false);
  noTemplateSet_->setVisible(false);
  configureTemplates_ = templateMenu_->addAction(QStringLiteral("Configure..."));
  configureTemplates_->setObjectName(QStringLiteral("ConfigureTemplates"));
  configureTemplates_->setVisible(false);
  connect(configureTemplates_, &QAction::triggered, this, &NotesController::ConfigureTemplates);
}

void NotesController::ApplyTaskbarButton() {
  if (!taskbarButton_) {
    taskbarButton_ = std::make_unique<TaskbarButton>(windowTitle());
    connect(taskbarButton_.get(), &TaskbarButton::activated, this, &NotesController::BringForward);
  }
  taskbarButton_->SetShown(settings_.enableTaskbarIcon);
}

void NotesController::onConfigure() {
  OpenConfiguration(static_cast<int>(ConfigDialog::Page::kPreferences));
}

void NotesController::ConfigureTemplates() {
  OpenConfiguration(static_cast<int>(ConfigDialog::Page::kTemplates));
}

void NotesController::OpenConfiguration(int page) {
  if (configDialog_) {
    static_cast<ConfigDialog*>(configDialog_.data())
        ->SelectPage(static_cast<ConfigDialog::Page>(page));
    configDialog_->raise();
    configDialog_->activateWindow();
    return;
  }
  const QString configFile = dataFolder_ + kConfigFileName;
  TemplateTableStore templates(*templatesTable_);
  templates.AddMissingTemplates();
  ConfigDialog dialog(templates, Sounds(), configFile, this);
  configDialog_ = &dialog;
  dialog.SelectPage(static_cast<ConfigDialog::Page>(page));
  auto* syncPage = new SyncPage(*sync_, dataFolder_);
  dialog.PageControl()->addTab(syncPage, QStringLiteral("Sync"));
  IniFile config(configFile);
  FillConfigDialog(dialog, config, dataFolder_);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  configDialog_.clear();
  if (!accepted) return;
  syncPage->Save();

  QString error;
  if (!WriteConfigDialog(dialog, config, &error)) {
    QMessageBox::warning(this, QStringLiteral("Paperwisp"),
                         QStringLiteral("Unable to save the settings: ") + error, QMessageBox::Ok);
  }
  if (!RegisterLogOnStart(dialog.LoadPaperwispCheckBox()->isChecked(), &error)) {
    QMessageBox::warning(this, QStringLiteral("Paperwisp"),
                         QStringLiteral("Unable to change the start at log-on: ") + error,
                         QMessageBox::Ok);
  }
  settings_ = LoadSettings(config);
  ApplyTaskbarButton();
}

}  // namespace pw
