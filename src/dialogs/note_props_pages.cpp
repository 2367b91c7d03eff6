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
  auto* createdOnLabel = Named<QLabel>("Label1", QStringLiteral("Created On"));
  createdOnLabel->setAlignment(Qt::AlignCenter);
  dateCreatedLabel_ = Named<QLabel>("LblDateCreated");
  dateCreatedLabel_->setAlignment(Qt::AlignCenter);
  showingCheckBox_ = Named<QCheckBox>("CkBxShowing", QStringLiteral("Note is Showing"));
  stayOnTopCheckBox_ = Named<QCheckBox>("CkBxStayOnTop", QStringLiteral("Keep on Top"));

  auto* captionGroup = Named<QGroupBox>("GroupBox3", QStringLiteral("Note Caption"));
  descriptionEdit_ = Named<QLineEdit>("EdDescription");
  descriptionEdit_->setMaxLength(kMaxCaptionLength);
  sampleCaptionLabel_ = Named<QLabel>("LblSampleCaption", QStringLiteral("Example Note Caption"));
  sampleCaptionLabel_->setAlignment(Qt::AlignCenter);
  sampleCaptionLabel_->setMinimumHeight(24);
  selectCaptionFontButton_ = Named<QPushButton>("Button2", QStringLiteral("Select..."));
  selectCaptionFontButton_->setAutoDefault(false);
  auto* captionLayout = new QGridLayout(captionGroup);
  captionLayout->addWidget(descriptionEdit_, 0, 0, 1, 2);
  captionLayout->addWidget(sampleCaptionLabel_, 1, 0);
  captionLayout->addWidget(selectCaptionFontButton_, 1, 1);
  captionLayout->setColumnStretch(0, 1);

  auto* colorGroup = Named<QGroupBox>("GroupBox5", QStringLiteral("Note Color"));
  colorEdit_ = Named<QLineEdit>("EdColor");
  colorEdit_->setEnabled(false);
  selectColorButton_ = Named<QPushButton>("Button1", QStringLiteral("Select..."));
  selectColorButton_->setAutoDefault(false);
  auto* colorLayout = new QHBoxLayout(colorGroup);
  colorLayout->addWidget(colorEdit_, 1);
  colorLayout->addWidget(selectColorButton_);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(createdOnLabel);
  layout->addWidget(dateCreatedLabel_);
  layout->addWidget(showingCheckBox_);
  layout->addWidget(stayOnTopCheckBox_);
  layout->addWidget(captionGroup);
  layout->addWidget(colorGroup);
  layout->addStretch();
  connect(selectColorButton_, &QPushButton::clicked, this,
          &NotePropertiesDialog::onSelectColorClicked);
  connect(selectCaptionFontButton_, &QPushButton::clicked, this,
          &NotePropertiesDialog::onSelectCaptionFontClicked);
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
  reminderIsActiveCheckBox_ =
      Named<QCheckBox>("CkBxReminderIsActive", QStringLiteral("Alarm is Active"));
  reminderTypeCombo_ = Named<QComboBox>("CmBxReminderType");
  reminderTimeEdit_ = MakeTimePicker("EdReminderTime");
  calendar_ = Named<QCalendarWidget>("MonthCalendar1");
  calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  calendar_->setFirstDayOfWeek(QLocale().firstDayOfWeek());

  auto* form = new QFormLayout;
  form->addRow(Named<QLabel>("Label2", QStringLiteral("Activate On")), reminderTypeCombo_);
  form->addRow(Named<QLabel>("Label3", QStringLiteral("Activate At")), reminderTimeEdit_);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(reminderIsActiveCheckBox_);
  layout->addLayout(form);
  layout->addWidget(calendar_);
  layout->addStretch();
  connect(reminderIsActiveCheckBox_, &QCheckBox::toggled, this,
          &NotePropertiesDialog::onReminderIsActiveToggled);
  // A day picked with the keys counts as much as a clicked one.
  connect(calendar_, &QCalendarWidget::selectionChanged, this,
          &NotePropertiesDialog::RebuildReminderKinds);
  return page;
}

QWidget* NotePropertiesDialog::BuildExpirationPage() {
  auto* page = Named<QWidget>("TSExpiration");
  neverExpiresCheckBox_ =
      Named<QCheckBox>("CkBxNeverExpires", QStringLiteral("Note Never Expires"));
  moveToTrashCheckBox_ = Named<QCheckBox>(
      "CkBxMoveToTrash", QStringLiteral("Move the note to the trash bin when it expires"));

  auto* expireGroup = Named<QGroupBox>("GroupBox2", QStringLiteral("Expire Date"));
  expiresOnceRadio_ = Named<QRadioButton>("RbExpiresOnce", QStringLiteral("Expire Once on"));
  expiresOnceRadio_->setChecked(true);
  expireDateEdit_ = Named<QDateEdit>("EdExpireDate");
  expireDateEdit_->setCalendarPopup(true);
  expireDateEdit_->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
  expireTimeEdit_ = MakeTimePicker("EdExpireTime");
  expiresEverydayRadio_ =
      Named<QRadioButton>("RbExpiresEveryday", QStringLiteral("Expires Everyday"));
  expiryKinds_ = new QButtonGroup(this);
  expiryKinds_->addButton(expiresOnceRadio_, 1);
  expiryKinds_->addButton(expiresEverydayRadio_, 2);
  auto* atLabel = Named<QLabel>("Label4", QStringLiteral("at"));
  atLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  auto* kindLayout = new QGridLayout(expireGroup);
  kindLayout->addWidget(expiresOnceRadio_, 0, 0);
  kindLayout->addWidget(expireDateEdit_, 0, 1);
  kindLayout->addWidget(atLabel, 1, 0);
  kindLayout->addWidget(expireTimeEdit_, 1, 1);
  kindLayout->addWidget(expiresEverydayRadio_, 2, 0, 1, 2);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(neverExpiresCheckBox_);
  layout->addWidget(moveToTrashCheckBox_);
  layout->addWidget(expireGroup);
  layout->addStretch();
  connect(neverExpiresCheckBox_, &QCheckBox::toggled, this,
          &NotePropertiesDialog::onNeverExpiresToggled);
  connect(expiryKinds_, &QButtonGroup::idToggled, this, &NotePropertiesDialog::onExpiryKindClicked);
  return page;
}

}  // namespace pw
