#include "dialogs/config_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialogs/center_on_screen.h"
#include "dialogs/leading_number.h"
#include "dialogs/named_widget.h"
#include "dialogs/ok_cancel_row.h"
#include "dialogs/program_logo.h"

namespace pw {
namespace {

// The design size; a larger font makes the dialog as large as its contents.
constexpr QSize kClientSize(341, 373);
constexpr QSize kLogoSize(131, 35);

}  // namespace

ConfigDialog::ConfigDialog(TemplateStore& templates, SoundPlayer& sounds, const QString& configFile,
                           QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      templates_(templates),
      sounds_(sounds),
      configFile_(configFile),
      pageControl_(Named("PageControl1", new QTabWidget(this))),
      okButton_(Named("BtnOk", new QPushButton(QStringLiteral("OK"), this))),
      cancelButton_(Named("BtnCancel", new QPushButton(QStringLiteral("Cancel"), this))) {
  setObjectName(QStringLiteral("FrmConfig"));
  setWindowTitle(QStringLiteral("Configure Paperwisp"));

  auto* logo = Named("Image1", new QLabel(this));
  logo->setPixmap(ProgramLogo(kLogoSize.width(), kLogoSize.height(), devicePixelRatio()));
  pageControl_->addTab(BuildPreferencesPage(), QStringLiteral("Preferences"));
  pageControl_->addTab(BuildRemindersPage(), QStringLiteral("Reminders"));
  pageControl_->addTab(BuildTemplatesPage(), QStringLiteral("Templates"));
  SelectPage(Page::kPreferences);
  FillTemplateList();
  lbTemplates_->setCurrentRow(0);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(logo);
  layout->addWidget(pageControl_, 1);
  layout->addLayout(OkCancelRow(okButton_, cancelButton_));
  // A fixed border, at the size its pages need at the user's font size.
  setFixedSize(sizeHint().expandedTo(kClientSize));

  connect(okButton_, &QPushButton::clicked, this, &ConfigDialog::onOkClicked);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
  CenterOnScreen(*this);
}

void ConfigDialog::SelectPage(Page page) {
  pageControl_->setCurrentIndex(static_cast<int>(page));
}

void ConfigDialog::onOkClicked() {
  // Text that reads as no number shows as the number it is written as.
  if (LeadingWholeNumber(repeatEdit_->text()) <= 0) repeatEdit_->setText(QStringLiteral("0"));
  if (LeadingWholeNumber(snoozeEdit_->text()) <= 0) snoozeEdit_->setText(QStringLiteral("1"));
  accept();
}

}  // namespace pw
