#include "dialogs/note_props_dialog.h"

#include <QBuffer>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "dialogs/center_on_screen.h"
#include "dialogs/note_props_font_dialog.h"
#include "dialogs/note_props_reminder_kinds.h"
#include "richtext/note_editor.h"

namespace pw {

namespace {

QDate DateOrToday(QDate date) {
  return date.isValid() ? date : QDate::currentDate();
}

}  // namespace

NotePropertiesDialog::NotePropertiesDialog(const NoteProps& props, NotePropsPage page,
                                           QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      opened_(props) {
  setObjectName(QStringLiteral("FrmNoteProps"));
  setWindowTitle(QStringLiteral("Note Properties"));
  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("PageControl1"));
  pages_->addTab(BuildSettingsPage(), QStringLiteral("Settings"));
  pages_->addTab(BuildNoteTextPage(), QStringLiteral("Note Text"));
  pages_->addTab(BuildReminderPage(), QStringLiteral("Reminder"));
  pages_->addTab(BuildExpirationPage(), QStringLiteral("Expiration"));
  pages_->setCurrentIndex(static_cast<int>(page));

  okButton_ = new QPushButton(QStringLiteral("OK"), this);
  okButton_->setObjectName(QStringLiteral("BtnOk"));
  okButton_->setDefault(true);
  cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancelButton_->setObjectName(QStringLiteral("BtnCancel"));
  cancelButton_->setAutoDefault(false);
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(okButton_);
  buttons->addWidget(cancelButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addLayout(buttons);

  onReminderIsActiveToggled();
  onNeverExpiresToggled();
  Fill(props);
  setFixedSize(sizeHint().expandedTo(kDesignSize));
}

void NotePropertiesDialog::Fill(const NoteProps& props) {
  QBuffer text;
  text.setData(props.richText);
  if (text.open(QIODevice::ReadOnly)) richEditProp_->LoadFromStream(&text);
  richEditProp_->SetBackgroundColor(props.color);
  richEditProp_->SetUrlDetection(props.urlDetection);

  descriptionEdit_->setText(props.title);
  showingCheckBox_->setChecked(true);
  SetNoteColor(props.color);
  stayOnTopCheckBox_->setChecked(props.stayOnTop);
  dateCreatedLabel_->setText(props.createdText);

  reminderIsActiveCheckBox_->setChecked(props.reminder.active);
  calendar_->setSelectedDate(DateOrToday(props.reminder.date));
  reminderTimeEdit_->setTime(props.reminder.time);
  RebuildReminderKinds();
  // A kind the list does not offer behaves as a reminder on the date.
  const int kind = props.reminder.recurrence;
  reminderTypeCombo_->setCurrentIndex(kind >= 0 && kind < kReminderKindCount ? kind : 0);

  neverExpiresCheckBox_->setChecked(!props.expiry.expires);
  moveToTrashCheckBox_->setChecked(props.expiry.movesToTrash);
  TickExpiryKind(props.expiry.type);
  expireDateEdit_->setDate(DateOrToday(props.expiry.date));
  expireTimeEdit_->setTime(props.expiry.time);
  onExpiryKindClicked();

  SetSampleCaptionFont(props.captionFont, props.captionColor);
}

NoteProps NotePropertiesDialog::Props() const {
  NoteProps props = opened_;
  QBuffer text;
  if (text.open(QIODevice::WriteOnly) && richEditProp_->SaveToStream(&text)) {
    props.richText = text.data();
  }
  props.title = descriptionEdit_->text();
  props.showing = showingCheckBox_->isChecked();
  props.stayOnTop = stayOnTopCheckBox_->isChecked();
  props.color = noteColor_;
  props.reminder = {.active = reminderIsActiveCheckBox_->isChecked(),
                    .recurrence = reminderTypeCombo_->currentIndex(),
                    .date = calendar_->selectedDate(),
                    .time = reminderTimeEdit_->time()};
  props.expiry = {.expires = !neverExpiresCheckBox_->isChecked(),
                  .type = expiresOnceRadio_->isChecked() ? 1 : 2,
                  .movesToTrash = moveToTrashCheckBox_->isChecked(),
                  .date = expireDateEdit_->date(),
                  .time = expireTimeEdit_->time()};
  props.captionFont = sampleCaptionLabel_->font();
  props.captionColor = sampleCaptionLabel_->palette().color(QPalette::WindowText);
  return props;
}

void NotePropertiesDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  RebuildReminderKinds();
  CenterOnScreen(*this);
}

void NotePropertiesDialog::SetNoteColor(const QColor& color) {
  noteColor_ = color;
  // ColorEdit is disabled, so its disabled colours are the ones shown.
  QPalette palette = colorEdit_->palette();
  palette.setColor(QPalette::All, QPalette::Base, color);
  colorEdit_->setPalette(palette);
}

void NotePropertiesDialog::SetSampleCaptionFont(const QFont& font, const QColor& color) {
  sampleCaptionLabel_->setFont(QFont(font.family(), font.pointSize()));
  QPalette palette = sampleCaptionLabel_->palette();
  palette.setColor(QPalette::WindowText, color);
  sampleCaptionLabel_->setPalette(palette);
}

void NotePropertiesDialog::TickExpiryKind(int type) {
  // An exclusive group always keeps one button ticked; a kind that is
  // neither 1 nor 2 shows none.
  expiryKinds_->setExclusive(false);
  expiresOnceRadio_->setChecked(type == 1);
  expiresEverydayRadio_->setChecked(type == 2);
  expiryKinds_->setExclusive(true);
}

void NotePropertiesDialog::onReminderIsActiveToggled() {
  const bool active = reminderIsActiveCheckBox_->isChecked();
  reminderTypeCombo_->setEnabled(active);
  calendar_->setEnabled(active);
  reminderTimeEdit_->setEnabled(active);
}

void NotePropertiesDialog::onNeverExpiresToggled() {
  const bool expires = !neverExpiresCheckBox_->isChecked();
  expiresOnceRadio_->setEnabled(expires);
  expiresEverydayRadio_->setEnabled(expires);
  expireTimeEdit_->setEnabled(expires);
  moveToTrashCheckBox_->setEnabled(expires);
  onExpiryKindClicked();
}

void NotePropertiesDialog::onExpiryKindClicked() {
  // The date counts for a note that expires once; one that never expires
  // has no date to pick.
  expireDateEdit_->setEnabled(!neverExpiresCheckBox_->isChecked() &&
                              !expiresEverydayRadio_->isChecked());
}

void NotePropertiesDialog::RebuildReminderKinds() {
  const int selected = reminderTypeCombo_->currentIndex();
  const QStringList entries = ReminderKindEntries(calendar_->selectedDate(), QLocale());
  for (int i = 0; i < entries.size(); ++i) {
    if (i < reminderTypeCombo_->count()) {
      reminderTypeCombo_->setItemText(i, entries[i]);
    } else {
      reminderTypeCombo_->addItem(entries[i]);
    }
  }
  reminderTypeCombo_->setCurrentIndex(selected < 0 ? 0 : selected);
}

void NotePropertiesDialog::onSelectColorClicked() {
  QColorDialog dialog(noteColor_, this);
  dialog.setObjectName(QStringLiteral("ColorDialog1"));
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  if (dialog.exec() == QDialog::Accepted) SetNoteColor(dialog.selectedColor());
}

void NotePropertiesDialog::onSelectCaptionFontClicked() {
  CaptionFontDialog dialog(sampleCaptionLabel_->font(),
                           sampleCaptionLabel_->palette().color(QPalette::WindowText), this);
  dialog.setObjectName(QStringLiteral("FontDialog1"));
  if (dialog.exec() == QDialog::Accepted) {
    SetSampleCaptionFont(dialog.SelectedFont(), dialog.SelectedColor());
  }
}

}  // namespace pw
