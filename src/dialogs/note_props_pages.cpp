// The four pages of the note properties dialog and their controls.
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "dialogs/note_props_dialog.h"
#include "richtext/note_editor.h"

namespace pw {

namespace {

// The width of the DESC field that keeps the caption.
constexpr int kMaxCaptionLength = 50;
// The time pickers show the seconds; the record keeps hour and minute.
const QString kTimeFormat = QStringLiteral("HH:mm:ss");

template <typename Control, typename... Args>
Control* Named(const char* name, Args&&... args) {
  auto* control = new Control(std::forward<Args>(args)...);
  control->setObjectName(QString::fromLatin1(name));
  return control;
}

QTimeEdit* MakeTimePicker(const char* name) {
  auto* picker = Named<QTimeEdit>(name);
  picker->setDisplayFormat(kTimeFormat);
  return picker;
}

}  // namespace

QWidget* NotePropertiesDialog::BuildSettingsPage() {
  auto* page = Named<QWidget>("TSSettings");
  auto* label1 = Named<QLabel>("Label1", QStringLiteral("Created On"));
  label1->setAlignment(Qt::AlignCenter);
  lblDateCreated_ = Named<QLabel>("LblDateCreated");
  lblDateCreated_->setAlignment(Qt::AlignCenter);
  ckBxShowing_ = Named<QCheckBox>("CkBxShowing", QStringLiteral("Note is Showing"));
  ckBxStayOnTop_ = Named<QCheckBox>("CkBxStayOnTop", QStringLiteral("Keep on Top"));

  auto* groupBox3 = Named<QGroupBox>("GroupBox3", QStringLiteral("Note Caption"));
  edDescription_ = Named<QLineEdit>("EdDescription");
  edDescription_->setMaxLength(kMaxCaptionLength);
  lblSampleCaption_ = Named<QLabel>("LblSampleCaption", QStringLiteral("Example Note Caption"));
  lblSampleCaption_->setAlignment(Qt::AlignCenter);
  lblSampleCaption_->setMinimumHeight(24);
  button2_ = Named<QPushButton>("Button2", QStringLiteral("Select..."));
  button2_->setAutoDefault(false);
  auto* captionLayout = new QGridLayout(groupBox3);
  captionLayout->addWidget(edDescription_, 0, 0, 1, 2);
  captionLayout->addWidget(lblSampleCaption_, 1, 0);
  captionLayout->addWidget(button2_, 1, 1);
  captionLayout->setColumnStretch(0, 1);

  auto* groupBox5 = Named<QGroupBox>("GroupBox5", QStringLiteral("Note Color"));
  edColor_ = Named<QLineEdit>("EdColor");
  edColor_->setEnabled(false);
  button1_ = Named<QPushButton>("Button1", QStringLiteral("Select..."));
  button1_->setAutoDefault(false);
  auto* colorLayout = new QHBoxLayout(groupBox5);
  colorLayout->addWidget(edColor_, 1);
  colorLayout->addWidget(button1_);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(label1);
  layout->addWidget(lblDateCreated_);
  layout->addWidget(ckBxShowing_);
  layout->addWidget(ckBxStayOnTop_);
  layout->addWidget(groupBox3);
  layout->addWidget(groupBox5);
  layout->addStretch();
  connect(button1_, &QPushButton::clicked, this, &NotePropertiesDialog::Button1Click);
  connect(button2_, &QPushButton::clicked, this, &NotePropertiesDialog::Button2Click);
  return page;
}

QWidget* NotePropertiesDialog::BuildNoteTextPage() {
  auto* page = Named<QWidget>("TSNoteText");
  richEditProp_ = Named<NoteEditor>("RichEditProp");
  richEditProp_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(richEditProp_);
  return page;
}

QWidget* NotePropertiesDialog::BuildReminderPage() {
  auto* page = Named<QWidget>("TSReminder");
  ckBxReminderIsActive_ =
      Named<QCheckBox>("CkBxReminderIsActive", QStringLiteral("Alarm is Active"));
  cmBxReminderType_ = Named<QComboBox>("CmBxReminderType");
  edReminderTime_ = MakeTimePicker("EdReminderTime");
  monthCalendar1_ = Named<QCalendarWidget>("MonthCalendar1");
  monthCalendar1_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  monthCalendar1_->setFirstDayOfWeek(QLocale().firstDayOfWeek());

  auto* form = new QFormLayout;
  form->addRow(Named<QLabel>("Label2", QStringLiteral("Activate On")), cmBxReminderType_);
  form->addRow(Named<QLabel>("Label3", QStringLiteral("Activate At")), edReminderTime_);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(ckBxReminderIsActive_);
  layout->addLayout(form);
  layout->addWidget(monthCalendar1_);
  layout->addStretch();
  connect(ckBxReminderIsActive_, &QCheckBox::toggled, this,
          &NotePropertiesDialog::CkBxReminderIsActiveClick);
  // A day picked with the keys counts as much as a clicked one.
  connect(monthCalendar1_, &QCalendarWidget::selectionChanged, this,
          &NotePropertiesDialog::RebuildReminderKinds);
  return page;
}

QWidget* NotePropertiesDialog::BuildExpirationPage() {
  auto* page = Named<QWidget>("TSExpiration");
  ckBxNeverExpires_ = Named<QCheckBox>("CkBxNeverExpires", QStringLiteral("Note Never Expires"));
  ckBxMoveToTrash_ = Named<QCheckBox>(
      "CkBxMoveToTrash", QStringLiteral("Move the note to the trash bin when it expires"));

  auto* groupBox2 = Named<QGroupBox>("GroupBox2", QStringLiteral("Expire Date"));
  rbExpiresOnce_ = Named<QRadioButton>("RbExpiresOnce", QStringLiteral("Expire Once on"));
  rbExpiresOnce_->setChecked(true);
  edExpireDate_ = Named<QDateEdit>("EdExpireDate");
  edExpireDate_->setCalendarPopup(true);
  edExpireDate_->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
  edExpireTime_ = MakeTimePicker("EdExpireTime");
  rbExpiresEveryday_ = Named<QRadioButton>("RbExpiresEveryday", QStringLiteral("Expires Everyday"));
  expiryKinds_ = new QButtonGroup(this);
  expiryKinds_->addButton(rbExpiresOnce_, 1);
  expiryKinds_->addButton(rbExpiresEveryday_, 2);
  auto* label4 = Named<QLabel>("Label4", QStringLiteral("at"));
  label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  auto* kindLayout = new QGridLayout(groupBox2);
  kindLayout->addWidget(rbExpiresOnce_, 0, 0);
  kindLayout->addWidget(edExpireDate_, 0, 1);
  kindLayout->addWidget(label4, 1, 0);
  kindLayout->addWidget(edExpireTime_, 1, 1);
  kindLayout->addWidget(rbExpiresEveryday_, 2, 0, 1, 2);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(ckBxNeverExpires_);
  layout->addWidget(ckBxMoveToTrash_);
  layout->addWidget(groupBox2);
  layout->addStretch();
  connect(ckBxNeverExpires_, &QCheckBox::toggled, this,
          &NotePropertiesDialog::CkBxNeverExpiresClick);
  connect(expiryKinds_, &QButtonGroup::idToggled, this, &NotePropertiesDialog::ExpiryKindClick);
  return page;
}

}  // namespace pw
